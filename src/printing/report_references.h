#pragma once
// The reference curves on the report's graph, with their legend, through the
// same drawing as the screen.

#include <QPainter>

#include "core/measurement_record.h"
#include "printing/report_layout.h"
#include "references/reference_curves.h"

// In the graph frame of `layout`, at the record's axes (they must have a span).
void drawReportReferences(QPainter &painter, const ReferenceCurves &references, const MeasurementRecord &record,
                          const PageGeometry &page, const ReportStyle &style, const ReportLayout &layout);

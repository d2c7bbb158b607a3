#pragma once
// The reference curves on the screen graph, in the plot area at the record's
// present axes, so they follow every zoom.

#include <QPainter>

#include "core/measurement_record.h"
#include "graph/graph_colors.h"
#include "references/reference_curves.h"

void drawGraphReferences(QPainter &painter, const ReferenceCurves &references, const MeasurementRecord &record,
                         const GraphColors &colors);

#pragma once
// The report's peak table: below the text lines, after one empty line, a
// header and one row per peak (number, potential, height in the graph's
// current unit, width), as many as fit above the graph; a last line says how
// many more there are. Nothing without peaks or without room. It only writes
// where the page is otherwise blank.

#include <QPainter>
#include <QRect>
#include <vector>

#include "analysis/peaks.h"
#include "core/measurement_record.h"
#include "printing/report_layout.h"

// Where the table may go: from the line after the text lines' empty line to
// just above the graph, between the left and right margins.
QRect reportPeakTableArea(const PageGeometry &page, const ReportStyle &style, const MeasurementRecord &record);

// The lines the table takes in `area`: the header and a row per peak, or,
// when they do not all fit, the header, the rows that fit and a line telling
// how many more there are; 0 when not even that fits.
int reportPeakTableLines(const ReportLayout &layout, const QRect &area, std::size_t peakCount);

void drawReportPeakTable(QPainter &painter, const PageGeometry &page, const ReportStyle &style,
                         const MeasurementRecord &record, const std::vector<Peak> &peaks);

#pragma once
// The one-page quantitation report, laid out as the measurement report: the
// title, the text lines below it, and the plot in the lower half between the
// margins (lower still when the text needs the room).

#include <QPainter>
#include <QStringList>

#include "printing/report_layout.h"
#include "quantitation/quantitation.h"

inline const QString kQuantitationTitle = QStringLiteral("Quantitation");

// The table's file name, the method and the peaks taken, each result row
// with its unit, then the warnings.
QStringList quantitationReportLines(const QuantitationResult &result, const QString &tablePath);

// Where the text ends and the plot begins. Many samples take more lines than
// the upper half holds: the plot moves down to make room but keeps a third of
// the space between the margins, and the lines that still do not fit are
// counted in a last line instead of being drawn over the plot.
struct QuantitationPage {
  QStringList lines;  // the lines drawn
  int plotTop = 0;
};
QuantitationPage quantitationPage(const PageGeometry &page, const ReportStyle &style, const QStringList &lines);

// Draws the report; text past the right margin is cut there.
void drawQuantitationReport(QPainter &painter, const PageGeometry &page, const ReportStyle &style,
                            const QuantitationResult &result, const QString &tablePath);

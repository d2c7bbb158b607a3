#pragma once
// The one-page quantitation report, laid out as the measurement report: the
// title, the text lines below it, and the plot in the lower half between the
// margins.

#include <QPainter>
#include <QStringList>

#include "printing/report_layout.h"
#include "quantitation/quantitation.h"

inline const QString kQuantitationTitle = QStringLiteral("Quantitation");

// The table's file name, the method and the peaks taken, each result row
// with its unit, then the warnings.
QStringList quantitationReportLines(const QuantitationResult &result, const QString &tablePath);

// Draws the report; text past the right margin is cut there.
void drawQuantitationReport(QPainter &painter, const PageGeometry &page, const ReportStyle &style,
                            const QuantitationResult &result, const QString &tablePath);

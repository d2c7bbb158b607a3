#pragma once
// The results of a quantitation as rows of quantity, value and unit, and the
// texts made of them: the CSV of `dpv --quantify` (header Quantity,Value, no
// units), the tab-separated copy for spreadsheets (with units) and the lines
// of the report.

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <vector>

#include "quantitation/quantitation.h"

struct ResultRow {
  QString quantity;  // "Slope", "Concentration river", ...
  QString value;     // a number with 6 significant digits, "." always ("NAN" when not available)
  QString unit;      // "A", the table's unit, ...; may be empty
};

// Method, Peak potential [mV], Slope, Intercept, R2, Residual SD, LOD, LOQ,
// LOD (blank) when there is one, then Concentration NAME and Uncertainty
// NAME for each sample.
std::vector<ResultRow> resultRows(const QuantitationResult &result);

inline const QString kQuantitationCsvHeader = QStringLiteral("Quantity,Value");

// The header and a row "quantity,value" per result row.
QStringList quantitationCsvLines(const QuantitationResult &result);
// The same lines as file bytes: UTF-8, each line ended by CR LF.
QByteArray quantitationCsv(const QuantitationResult &result);
// "Quantity\tValue\tUnit" and a row per result row, lines ended by LF.
QString quantitationTabText(const QuantitationResult &result);

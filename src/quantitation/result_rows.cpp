#include "quantitation/result_rows.h"

#include "core/numbers.h"
#include "core/text_io.h"
#include "quantitation/csv_fields.h"

namespace {
QString number(double value) { return formatSignificant(value, 6); }
}  // namespace

std::vector<ResultRow> resultRows(const QuantitationResult &r) {
  const QString ampere = QStringLiteral("A");
  const QString perConcentration = r.unit.isEmpty() ? ampere : QStringLiteral("A per ") + r.unit;
  std::vector<ResultRow> rows{
      {QStringLiteral("Method"), methodText(r.method), QString()},
      {QStringLiteral("Peak potential [mV]"), number(r.peakPotential * 1000), QStringLiteral("mV")},
      {QStringLiteral("Slope"), number(r.fit.slope), perConcentration},
      {QStringLiteral("Intercept"), number(r.fit.intercept), ampere},
      {QStringLiteral("R2"), number(r.fit.r2), QString()},
      {QStringLiteral("Residual SD"), number(r.fit.residualSd), ampere},
      {QStringLiteral("LOD"), number(r.lod), r.unit},
      {QStringLiteral("LOQ"), number(r.loq), r.unit},
  };
  if (r.lodBlank) rows.push_back({QStringLiteral("LOD (blank)"), number(*r.lodBlank), r.unit});
  for (const SampleResult &s : r.samples) {
    rows.push_back({QStringLiteral("Concentration ") + s.name, number(s.concentration), r.unit});
    rows.push_back({QStringLiteral("Uncertainty ") + s.name, number(s.uncertainty), r.unit});
  }
  return rows;
}

QStringList quantitationCsvLines(const QuantitationResult &result) {
  QStringList lines{kQuantitationCsvHeader};
  for (const ResultRow &row : resultRows(result))
    lines << csvField(row.quantity) + QLatin1Char(',') + csvField(row.value);
  return lines;
}

QByteArray quantitationCsv(const QuantitationResult &result) { return encodeLines(quantitationCsvLines(result)); }

QString quantitationTabText(const QuantitationResult &result) {
  QString text = QStringLiteral("Quantity\tValue\tUnit\n");
  for (const ResultRow &row : resultRows(result))
    text += row.quantity + QLatin1Char('\t') + row.value + QLatin1Char('\t') + row.unit + QLatin1Char('\n');
  return text;
}

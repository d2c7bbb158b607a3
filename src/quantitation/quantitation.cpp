#include "quantitation/quantitation.h"

#include <QHash>
#include <algorithm>
#include <cmath>

#include "core/numbers.h"

namespace {

// Limits from the line's scatter and from the blanks' scatter.
constexpr double kLodFactor = 3.3, kLoqFactor = 10, kBlankLodFactor = 3;
constexpr int kLeastBlanks = 3;

QString amount(double value, const QString &unit) {
  return unit.isEmpty() ? formatSignificant(value, 4) : formatSignificant(value, 4) + QLatin1Char(' ') + unit;
}

double mean(const std::vector<double> &v) {
  double sum = 0;
  for (double x : v) sum += x;
  return sum / v.size();
}

double standardDeviation(const std::vector<double> &v) {
  const double m = mean(v);
  double sum = 0;
  for (double x : v) sum += (x - m) * (x - m);
  return std::sqrt(sum / (v.size() - 1));
}

void blankLimit(const std::vector<double> &blanks, QuantitationResult &r) {
  if (blanks.size() < kLeastBlanks) return;
  const double sd = standardDeviation(blanks);
  if (sd > 0) {
    r.lodBlank = kBlankLodFactor * sd / std::fabs(r.fit.slope);
    return;
  }
  r.warnings << QStringLiteral("The blanks' heights are all %1 A: no LOD from the blanks.")
                    .arg(formatSignificant(blanks.front(), 4));
}

// Samples by name, in the order they first appear: the heights of their replicates.
std::vector<std::pair<QString, std::vector<double>>> samplesByName(const QuantitationTable &table,
                                                                   const std::vector<MatchedPeak> &peaks) {
  std::vector<std::pair<QString, std::vector<double>>> samples;
  QHash<QString, std::size_t> index;
  for (std::size_t i = 0; i < table.entries.size(); ++i) {
    const TableEntry &e = table.entries[i];
    if (e.role != Role::Sample) continue;
    const QString name = e.sampleName();
    if (!index.contains(name)) index.insert(name, samples.size()), samples.push_back({name, {}});
    samples[index.value(name)].second.push_back(peaks[i].height);
  }
  return samples;
}

void calibrationSamples(const QuantitationTable &table, const std::vector<MatchedPeak> &peaks, QuantitationResult &r) {
  for (const auto &[name, heights] : samplesByName(table, peaks)) {
    SampleResult s;
    s.name = name;
    s.replicates = static_cast<int>(heights.size());
    s.height = mean(heights);
    s.concentration = predictX(r.fit, s.height);
    // The weight 1/x² of a sample at or below 0 has no meaning.
    const double weight0 = r.weighting == Weighting::None ? 1.0
                           : s.concentration > 0          ? 1.0 / (s.concentration * s.concentration)
                                                          : LineFit::kNone;
    s.uncertainty = predictionUncertainty(r.fit, s.height, s.replicates, weight0);
    if (s.concentration < r.lowest || s.concentration > r.highest)
      r.warnings << QStringLiteral("Sample \"%1\" (%2) lies outside the standards, %3 .. %4.")
                        .arg(name, amount(s.concentration, r.unit), formatSignificant(r.lowest, 4),
                             amount(r.highest, r.unit));
    r.samples.push_back(s);
  }
}

void standardAdditionSample(const QuantitationTable &table, const std::vector<MatchedPeak> &peaks,
                            QuantitationResult &r) {
  const auto samples = samplesByName(table, peaks);
  SampleResult s;
  s.name = samples.front().first;
  s.replicates = static_cast<int>(samples.front().second.size());
  s.height = mean(samples.front().second);
  s.concentration = r.fit.intercept / r.fit.slope;
  s.uncertainty = extrapolationUncertainty(r.fit);
  r.samples.push_back(s);
}

}  // namespace

bool quantify(const QuantitationTable &table, Method method, const std::vector<MatchedPeak> &peaks, Weighting weighting,
              QuantitationResult *result, TableError *error) {
  QuantitationResult r;
  r.method = method;
  r.weighting = weighting;
  r.unit = table.unit;
  std::vector<double> x, y, weights, blanks;
  double potentialSum = 0;
  int lastLine = 0;
  for (std::size_t i = 0; i < table.entries.size(); ++i) {
    const TableEntry &e = table.entries[i];
    const double height = peaks[i].height;
    if (e.role == Role::Blank) {
      blanks.push_back(height);
      r.points.push_back({0, height, e.role});
      continue;
    }
    if (method == Method::Calibration && e.role != Role::Standard) continue;
    x.push_back(e.concentration);
    y.push_back(height);
    if (weighting == Weighting::InverseSquare) weights.push_back(1.0 / (e.concentration * e.concentration));
    potentialSum += peaks[i].potential;
    lastLine = e.line;
    r.points.push_back({e.concentration, height, e.role});
  }
  r.fit = fitLine(x, y, weights);
  if (!(std::isfinite(r.fit.slope) && r.fit.slope != 0)) {
    *error = TableError{lastLine, QStringLiteral("the peak heights do not change with the concentration")};
    return false;
  }
  r.peakPotential = potentialSum / x.size();
  const auto [lowest, highest] = std::minmax_element(x.begin(), x.end());
  r.lowest = *lowest;
  r.highest = *highest;
  const double perSlope = r.fit.residualSd / std::fabs(r.fit.slope);
  r.lod = kLodFactor * perSlope;
  r.loq = kLoqFactor * perSlope;
  if (!std::isfinite(r.fit.residualSd))
    r.warnings << QStringLiteral("%1 points fit the line exactly: no residual SD, so no uncertainty, LOD or LOQ.")
                      .arg(r.fit.n);
  blankLimit(blanks, r);
  if (method == Method::Calibration)
    calibrationSamples(table, peaks, r);
  else
    standardAdditionSample(table, peaks, r);
  for (const SampleResult &s : r.samples)
    if (s.concentration < r.loq)
      r.warnings << QStringLiteral("Sample \"%1\" (%2) lies below the LOQ, %3.")
                        .arg(s.name, amount(s.concentration, r.unit), amount(r.loq, r.unit));
  *result = r;
  return true;
}

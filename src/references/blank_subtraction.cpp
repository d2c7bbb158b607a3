#include "references/blank_subtraction.h"

#include <QFileInfo>
#include <algorithm>
#include <cmath>

#include "analysis/record_curve.h"
#include "references/other_measurement.h"

namespace {

// Potentials are computed as start + i x step; they agree far closer than
// this when the grids are the same.
constexpr double kSamePotential = 1e-9;  // V

struct Range {
  double low, high;
};

Range rangeOf(const Curve &c) {
  const double first = c.potentialAt(0), last = c.potentialAt(static_cast<double>(c.count - 1));
  return {std::min(first, last), std::max(first, last)};
}

bool sameGrid(const Curve &sample, const Curve &blank) {
  return std::abs(sample.startPotential - blank.startPotential) <= kSamePotential &&
         std::abs(sample.step - blank.step) * static_cast<double>(sample.count) <= kSamePotential;
}

bool covers(const Curve &blank, const Curve &sample) {
  if (blank.count < 2 || sample.count == 0) return false;
  if (sameGrid(sample, blank)) return blank.count >= sample.count;
  if (blank.step == 0) return false;
  const Range b = rangeOf(blank), s = rangeOf(sample);
  return b.low <= s.low + kSamePotential && b.high >= s.high - kSamePotential;
}

// The blank between its two points around `potential`, held to its ends.
double interpolated(const Curve &blank, double potential) {
  const double last = static_cast<double>(blank.count - 1);
  const double t = std::clamp((potential - blank.startPotential) / blank.step, 0.0, last);
  const std::size_t i = std::min(static_cast<std::size_t>(t), blank.count - 2);
  const double f = t - static_cast<double>(i);
  return blank.values[i] + (blank.values[i + 1] - blank.values[i]) * f;
}

QString rangeText(const MeasurementRecord &record, const Curve &c) {
  const Range r = rangeOf(c);
  return record.formatPotential(r.low) + QStringLiteral(" .. ") + record.formatPotential(r.high);
}

}  // namespace

std::optional<std::vector<double>> blankAtPoints(const Curve &sample, const Curve &blank) {
  if (!covers(blank, sample)) return std::nullopt;
  std::vector<double> values(sample.count);
  const bool pointByPoint = sameGrid(sample, blank);
  for (std::size_t i = 0; i < sample.count; ++i)
    values[i] = pointByPoint ? blank.values[i] : interpolated(blank, sample.potentialAt(static_cast<double>(i)));
  return values;
}

Subtraction subtractBlankFile(MeasurementRecord &record, const QString &blankPath, QString *error) {
  MeasurementRecord blankFile;
  if (!readOtherMeasurement(record, blankPath, &blankFile, error)) return Subtraction::CannotRead;
  const QString name = QFileInfo(blankPath).fileName();
  if (!record.hasPoints()) {
    if (error) *error = QStringLiteral("The measurement holds no points to subtract the blank \"%1\" from.").arg(name);
    return Subtraction::NotCovered;
  }
  const Curve sample = recordCurve(record), blank = recordCurve(blankFile);
  const std::optional<std::vector<double>> blankValues = blankAtPoints(sample, blank);
  if (!blankValues) {
    if (error) {
      const QString blankRange = blank.count > 0 ? rangeText(record, blank) : QStringLiteral("no points");
      *error = QStringLiteral(
                   "The blank \"%1\" (%2) does not cover the potential range of the measurement (%3). "
                   "Nothing was subtracted.")
                   .arg(name, blankRange, rangeText(record, sample));
    }
    return Subtraction::NotCovered;
  }
  for (std::size_t i = 0; i < sample.count; ++i) record.document.points[i] -= (*blankValues)[i];
  record.document.description << QStringLiteral("Blank subtracted: ") + name;
  record.document.dataFileName.clear();
  record.document.dataSaved = false;
  record.document.askFileName = true;
  return Subtraction::Done;
}

#include "quantitation/peak_matching.h"

#include <QFileInfo>
#include <cmath>

#include "core/numbers.h"

namespace {

// Potentials within this much of the window's edge still count as inside:
// a peak read off exactly at the edge is not lost to rounding.
constexpr double kEdge = 1e-9;

QString millivolts(double volts) { return formatFixed(volts * 1000, 1) + QStringLiteral(" mV"); }

// The potential of the largest peak of the entries of `role`, or false.
bool largestPeak(const QuantitationTable &table, Role role, const std::vector<std::vector<Peak>> &peaks,
                 double *potential) {
  double largest = -1;
  for (std::size_t i = 0; i < table.entries.size(); ++i) {
    if (table.entries[i].role != role) continue;
    for (const Peak &p : peaks[i])
      if (std::fabs(p.height) > largest) largest = std::fabs(p.height), *potential = p.potential;
  }
  return largest >= 0;
}

}  // namespace

bool matchPeaks(const QuantitationTable &table, Method method, const std::vector<std::vector<Peak>> &peaks,
                const QuantitationSettings &settings, double *potential, std::vector<MatchedPeak> *matched,
                TableError *error) {
  const Role reference = method == Method::Calibration ? Role::Standard : Role::Sample;
  if (settings.potential) {
    *potential = *settings.potential;
  } else if (!largestPeak(table, reference, peaks, potential)) {
    for (const TableEntry &e : table.entries)
      if (e.role == reference) {
        *error = TableError{e.line, QStringLiteral("no peak in \"%1\"").arg(QFileInfo(e.file).fileName())};
        return false;
      }
  }
  std::vector<MatchedPeak> result(table.entries.size());
  for (std::size_t i = 0; i < table.entries.size(); ++i) {
    const TableEntry &e = table.entries[i];
    const Peak *nearest = nullptr;
    for (const Peak &p : peaks[i])
      if (std::fabs(p.potential - *potential) <= settings.window + kEdge &&
          (!nearest || std::fabs(p.potential - *potential) < std::fabs(nearest->potential - *potential)))
        nearest = &p;
    if (nearest) {
      result[i] = MatchedPeak{true, nearest->height, nearest->potential};
    } else if (e.role != Role::Blank) {
      *error = TableError{e.line,
                          QStringLiteral("no peak within %1 of %2 in \"%3\"")
                              .arg(millivolts(settings.window), millivolts(*potential), QFileInfo(e.file).fileName())};
      return false;
    }
  }
  *matched = result;
  return true;
}

#include "analysis/peaks_csv.h"

#include <algorithm>

#include "core/numbers.h"
#include "core/text_io.h"

namespace {

QString millivolts(double volts) { return formatFixed(volts * 1000, 2); }

}  // namespace

QStringList peaksCsvLines(const std::vector<Peak> &peaks) {
  std::vector<Peak> sorted = peaks;
  std::stable_sort(sorted.begin(), sorted.end(),
                   [](const Peak &a, const Peak &b) { return a.potential < b.potential; });
  QStringList lines{kPeaksCsvHeader};
  int number = 0;
  for (const Peak &p : sorted)
    lines << QStringList{QString::number(++number),    millivolts(p.potential), formatSignificant(p.height, 6),
                         formatSignificant(p.area, 6), millivolts(p.width),     millivolts(p.low.potential),
                         millivolts(p.high.potential)}
                 .join(QLatin1Char(','));
  return lines;
}

QByteArray peaksCsv(const std::vector<Peak> &peaks) { return encodeLines(peaksCsvLines(peaks)); }

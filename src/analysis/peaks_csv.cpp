#include "analysis/peaks_csv.h"

#include <algorithm>
#include <charconv>

#include "app/numbers.h"
#include "app/text_io.h"

namespace {

// The shortest of fixed and exponent form with 6 significant digits and no
// trailing zeros, as C's "%g" writes it, but never with a locale's comma.
QString significant6(double v) {
  if (v == 0) v = 0;  // no "-0"
  char text[32];
  const auto end = std::to_chars(text, text + sizeof text, v, std::chars_format::general, 6).ptr;
  return QString::fromLatin1(text, static_cast<int>(end - text));
}

QString millivolts(double volts) { return formatFixed(volts * 1000, 2); }

}  // namespace

QStringList peaksCsvLines(const std::vector<Peak> &peaks) {
  std::vector<Peak> sorted = peaks;
  std::stable_sort(sorted.begin(), sorted.end(),
                   [](const Peak &a, const Peak &b) { return a.potential < b.potential; });
  QStringList lines{kPeaksCsvHeader};
  int number = 0;
  for (const Peak &p : sorted)
    lines << QStringList{QString::number(++number), millivolts(p.potential), significant6(p.height),
                         significant6(p.area), millivolts(p.width), millivolts(p.low.potential),
                         millivolts(p.high.potential)}
                 .join(QLatin1Char(','));
  return lines;
}

QByteArray peaksCsv(const std::vector<Peak> &peaks) { return encodeLines(peaksCsvLines(peaks)); }

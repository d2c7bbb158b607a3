#include "references/reference_palette.h"

#include <cmath>

namespace {

// Vermillion, bluish green, reddish purple, orange, sky blue, black, blue,
// yellow: blue comes late beside the program's default blue curve, yellow
// last for its poor contrast on white.
const QColor kOkabeIto[] = {QColor(213, 94, 0),   QColor(0, 158, 115), QColor(204, 121, 167), QColor(230, 159, 0),
                            QColor(86, 180, 233), QColor(0, 0, 0),     QColor(0, 114, 178),   QColor(240, 228, 66)};

// A weighted RGB distance ("redmean") that follows the eye better than plain RGB.
double colourDistance(const QColor &a, const QColor &b) {
  const double r = (a.red() + b.red()) / 2.0;
  const double dr = a.red() - b.red(), dg = a.green() - b.green(), db = a.blue() - b.blue();
  return std::sqrt((2 + r / 256) * dr * dr + 4 * dg * dg + (2 + (255 - r) / 256) * db * db);
}

// Nearer than this is taken for the same colour on a thin line. No colour
// lies this near to more than two of the palette, so at least four remain.
constexpr double kTooClose = 120;

}  // namespace

QVector<QColor> referenceColors(int count, const QColor &ownCurve, const QColor &background) {
  QVector<QColor> usable;
  for (const QColor &c : kOkabeIto)
    if (colourDistance(c, ownCurve) >= kTooClose && colourDistance(c, background) >= kTooClose) usable << c;
  QVector<QColor> colors;
  for (int i = 0; i < count; ++i) colors << usable[i % usable.size()];
  return colors;
}

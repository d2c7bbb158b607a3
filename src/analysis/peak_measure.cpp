#include "analysis/peak_measure.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

struct Line {
  double x0, y0, slope;
  double at(double x) const { return y0 + slope * (x - x0); }
};

}  // namespace

bool measureBetween(const PreparedCurve &c, std::size_t from, std::size_t to, Measurement *m) {
  if (from > to) std::swap(from, to);
  const std::size_t n = c.size();
  if (to >= n || to < from + 2) return false;
  const double *s = c.smooth();
  const double *raw = c.raw();
  const Line line{static_cast<double>(from), s[from], (s[to] - s[from]) / static_cast<double>(to - from)};
  auto above = [&](std::size_t i) { return s[i] - line.at(static_cast<double>(i)); };

  std::size_t top = from + 1;
  for (std::size_t i = from + 2; i < to; ++i)
    if (above(i) > above(top)) top = i;
  const double a = above(top - 1), b = above(top), d = above(top + 1);
  if (!(b > 0)) return false;
  double shift = 0, height = b;
  const double curvature = a - 2 * b + d;
  if (curvature < 0) {
    shift = std::clamp(0.5 * (a - d) / curvature, -0.5, 0.5);
    height = b - 0.25 * (a - d) * shift;
  }
  const double half = height / 2;

  // Half height, walking out from the top; the line goes on past the ends.
  const double none = std::numeric_limits<double>::quiet_NaN();
  std::size_t k = top;
  while (k > 0 && above(k - 1) > half) --k;
  const double low = k == 0 ? none : k - (above(k) - half) / (above(k) - above(k - 1));
  k = top;
  while (k + 1 < n && above(k + 1) > half) ++k;
  const double high = k + 1 == n ? none : k + (above(k) - half) / (above(k) - above(k + 1));

  double area = 0;
  for (std::size_t i = from; i < to; ++i)
    area += 0.5 * ((raw[i] - line.at(static_cast<double>(i))) + (raw[i + 1] - line.at(static_cast<double>(i + 1))));

  *m = Measurement{from, to, static_cast<double>(top) + shift, height, low, high, area};
  return true;
}

Peak peakOf(const PreparedCurve &c, const Measurement &m) {
  const Curve &curve = c.curve();
  const double sign = c.sign();
  const double *s = c.smooth();
  auto end = [&](std::size_t i) {
    return BaselineEnd{i, curve.potentialAt(static_cast<double>(i)), sign * s[i]};
  };
  const double slope = (s[m.to] - s[m.from]) / static_cast<double>(m.to - m.from);
  const double baseAtTop = s[m.from] + slope * (m.top - static_cast<double>(m.from));
  Peak p;
  p.potential = curve.potentialAt(m.top);
  p.height = sign * m.height;
  p.area = sign * m.area * std::fabs(curve.step);
  p.width = m.width() * std::fabs(curve.step);
  p.topCurrent = sign * (baseAtTop + m.height);
  p.topIndex = static_cast<std::size_t>(std::lround(m.top));
  p.low = end(m.from);
  p.high = end(m.to);
  if (p.high.potential < p.low.potential) std::swap(p.low, p.high);
  return p;
}

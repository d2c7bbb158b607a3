#include "analysis/peak_measure.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// Steps of the half-height walk: long peaks are walked every k-th point first.
constexpr std::size_t kCoarsePoints = 2048;

// The baseline through the smoothed curve at two points, and the height of
// the curve above it.
struct Line {
  double x0, y0, slope;
  const double *s;
  std::size_t end;  // the curve's last point
  Line(const PreparedCurve &c, std::size_t from, std::size_t to)
      : x0(static_cast<double>(from)),
        y0(c.smooth()[from]),
        slope((c.smooth()[to] - c.smooth()[from]) / static_cast<double>(to - from)),
        s(c.smooth()),
        end(c.size() - 1) {}
  double at(double x) const { return y0 + slope * (x - x0); }
  double above(std::size_t i) const { return s[i] - at(static_cast<double>(i)); }
};

// Where the top lies, from `top`: the vertex of the least-squares parabola
// through the points around it that stand above 3/4 of `height`. Three points
// alone place a broad top by the noise on them; the points of the cap place
// it by its shape. `fallback` when the cap has no vertex.
double vertexOffset(const Line &line, std::size_t top, double height, double fallback) {
  const double cap = 0.75 * height;
  std::size_t left = 0, right = 0;
  while (left + 1 <= top && line.above(top - left - 1) > cap) ++left;
  while (top + right + 1 <= line.end && line.above(top + right + 1) > cap) ++right;
  const double r = static_cast<double>(std::max<std::size_t>(1, std::min(left, right)));
  const std::size_t reach = static_cast<std::size_t>(r);
  double sy = 0, sxy = 0, sxxy = 0;
  for (std::size_t k = top - reach; k <= top + reach; ++k) {
    const double x = static_cast<double>(k) - static_cast<double>(top), y = line.above(k);
    sy += y;
    sxy += x * y;
    sxxy += x * x * y;
  }
  // Sums of 1, x^2 and x^4 over x = -r .. r.
  const double n = 2 * r + 1, sxx = r * (r + 1) * (2 * r + 1) / 3,
               sxxxx = r * (r + 1) * (2 * r + 1) * (3 * r * r + 3 * r - 1) / 15;
  const double curvature = (n * sxxy - sxx * sy) / (n * sxxxx - sxx * sxx);
  if (!(curvature < 0)) return fallback;
  return std::clamp(-(sxy / sxx) / (2 * curvature), -r, r);
}

}  // namespace

std::size_t farthestAbove(const PreparedCurve &c, std::size_t from, std::size_t to) {
  const Line line(c, from, to);
  std::size_t top = from + 1;
  for (std::size_t i = from + 2; i < to; ++i)
    if (line.above(i) > line.above(top)) top = i;
  return top;
}

std::size_t climbAbove(const PreparedCurve &c, std::size_t from, std::size_t to, std::size_t start) {
  const Line line(c, from, to);
  std::size_t top = start;
  while (top + 2 <= to && line.above(top + 1) > line.above(top)) ++top;
  while (top > from + 1 && line.above(top - 1) > line.above(top)) --top;
  return top;
}

bool measureAt(const PreparedCurve &c, std::size_t from, std::size_t to, std::size_t top, Measurement *m) {
  const std::size_t n = c.size();
  if (to >= n || to < from + 2 || top <= from || top >= to) return false;
  const Line line(c, from, to);
  const double a = line.above(top - 1), b = line.above(top), d = line.above(top + 1);
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
  const std::size_t stride = std::max<std::size_t>(1, (to - from) / kCoarsePoints);
  std::size_t k = top;
  while (k >= stride && line.above(k - stride) > half) k -= stride;
  while (k > 0 && line.above(k - 1) > half) --k;
  const double low = k == 0 ? none : k - (line.above(k) - half) / (line.above(k) - line.above(k - 1));
  k = top;
  while (k + stride < n && line.above(k + stride) > half) k += stride;
  while (k + 1 < n && line.above(k + 1) > half) ++k;
  const double high = k + 1 == n ? none : k + (line.above(k) - half) / (line.above(k) - line.above(k + 1));

  *m = Measurement{from, to, static_cast<double>(top) + vertexOffset(line, top, height, shift), height, low, high, 0};
  return true;
}

double areaAbove(const PreparedCurve &c, std::size_t from, std::size_t to) {
  // Trapezoids under the raw points, less the trapezoid under the line;
  // four running sums keep the long loop from waiting on one.
  const double *raw = c.raw();
  double sums[4] = {0, 0, 0, 0};
  std::size_t i = from + 1;
  for (; i + 4 <= to; i += 4)
    for (int k = 0; k < 4; ++k) sums[k] += raw[i + k];
  for (; i < to; ++i) sums[0] += raw[i];
  const double points = (sums[0] + sums[1]) + (sums[2] + sums[3]) + 0.5 * (raw[from] + raw[to]);
  const double line = 0.5 * (c.smooth()[from] + c.smooth()[to]) * static_cast<double>(to - from);
  return points - line;
}

Peak peakOf(const PreparedCurve &c, const Measurement &m) {
  const Curve &curve = c.curve();
  const double sign = c.sign();
  const Line line(c, m.from, m.to);
  auto end = [&](std::size_t i) {
    return BaselineEnd{i, curve.potentialAt(static_cast<double>(i)), sign * c.smooth()[i]};
  };
  Peak p;
  p.potential = curve.potentialAt(m.top);
  p.height = sign * m.height;
  p.area = sign * m.area * std::fabs(curve.step);
  p.width = m.width() * std::fabs(curve.step);
  p.topCurrent = sign * (line.at(m.top) + m.height);
  p.topIndex = static_cast<std::size_t>(std::lround(m.top));
  p.low = end(m.from);
  p.high = end(m.to);
  if (p.high.potential < p.low.potential) std::swap(p.low, p.high);
  return p;
}

#include "analysis/savitzky_golay.h"

#include <algorithm>
#include <cmath>

namespace {

// The centre value of the parabola fitted to 2m + 1 points is
// a * sum(y) - b * sum(k^2 y), k the offset from the centre.
struct Weights {
  double a, b;
  explicit Weights(int m) {
    const double d = (2.0 * m - 1) * (2.0 * m + 1) * (2.0 * m + 3);
    a = 3.0 * (3.0 * m * m + 3.0 * m - 1) / d;
    b = 15.0 / d;
  }
  double value(double s0, double s2) const { return a * s0 - b * s2; }
};

// Sums of y, k y and k^2 y over a window, k the offset from its centre.
struct Moments {
  double s0 = 0, s1 = 0, s2 = 0;
  void add(double y, double k) {
    s0 += y;
    s1 += k * y;
    s2 += k * k * y;
  }
  // The centre moves one point on: every offset drops by one.
  void recentre() {
    s2 += s0 - 2 * s1;
    s1 -= s0;
  }
};

// Sliding a window of 2m + 1 points one point on: the point at offset -m
// leaves, the one at m + 1 joins, and the centre moves.
struct Slide {
  double left, right, left2, right2;
  explicit Slide(int m) : left(-m), right(m + 1.0), left2(left * left), right2(right * right) {}
  void apply(Moments &w, double leaving, double joining) const {
    w.s0 += joining - leaving;
    const double s1 = w.s1 + (right * joining - left * leaving);
    const double s2 = w.s2 + (right2 * joining - left2 * leaving);
    w.s2 = s2 - 2 * s1 + w.s0;
    w.s1 = s1 - w.s0;
  }
};

// Values 0 .. m - 1 of `y` (read through `at`), each from the symmetric window
// that reaches the end.
template <typename At, typename Store>
void smoothEdge(int m, At at, Store store) {
  Moments w;
  w.add(at(0), 0);
  store(0, at(0));
  for (int i = 1; i < m; ++i) {
    // Window 0 .. 2i about centre i: two points join on the right.
    w.add(at(2 * i - 1), i);
    w.add(at(2 * i), i + 1);
    w.recentre();
    store(i, Weights(i).value(w.s0, w.s2));
  }
}

// Exact sums are taken afresh every 8 window lengths (and no more often than
// every 256 points), so rounding cannot build up and the fresh sums cost little.
constexpr std::size_t kRefreshWindows = 8;
constexpr std::size_t kRefreshLeast = 256;

}  // namespace

int smoothingHalfWindow(double span, double step, std::size_t count) {
  if (!(span > 0) || !(std::fabs(step) > 0) || !std::isfinite(span / step)) return 0;
  const double limit = (static_cast<double>(count) / 4 - 1) / 2;
  if (limit < 2) return 0;
  const double m = std::clamp(std::round(span / std::fabs(step) / 2), 2.0, std::floor(limit));
  return static_cast<int>(m);
}

void smoothSavitzkyGolay(const double *y, std::size_t n, int m, double *out) {
  if (m <= 0 || n < 2 * static_cast<std::size_t>(m) + 1) {
    std::copy(y, y + n, out);
    return;
  }
  const std::size_t half = static_cast<std::size_t>(m);
  smoothEdge(
      m, [&](int i) { return y[i]; }, [&](int i, double v) { out[i] = v; });
  smoothEdge(
      m, [&](int i) { return y[n - 1 - i]; }, [&](int i, double v) { out[n - 1 - i] = v; });

  const Weights weights(m);
  const Slide slide(m);
  const std::size_t refresh = std::max(kRefreshLeast, kRefreshWindows * (2 * half + 1));
  const std::size_t end = n - half;  // centres half .. end - 1
  for (std::size_t block = half; block < end; block += refresh) {
    Moments w;
    for (int k = -m; k <= m; ++k) w.add(y[block + k], k);
    const std::size_t blockEnd = std::min(end, block + refresh);
    for (std::size_t i = block; i < blockEnd; ++i) {
      out[i] = weights.value(w.s0, w.s2);
      if (i + half + 1 < n) slide.apply(w, y[i - half], y[i + half + 1]);
    }
  }
}

#include "analysis/baseline.h"

#include <algorithm>

std::pair<std::size_t, std::size_t> tangentEnds(const double *s, std::size_t lo, std::size_t top,
                                                std::size_t hi, std::vector<std::size_t> &hull) {
  hull.clear();
  // Andrew's monotone chain, lower half: drop points that do not turn left.
  auto turnsLeft = [s](std::size_t o, std::size_t a, std::size_t b) {
    return static_cast<double>(a - o) * (s[b] - s[o]) - (s[a] - s[o]) * static_cast<double>(b - o) > 0;
  };
  for (std::size_t i = lo; i <= hi; ++i) {
    while (hull.size() >= 2 && !turnsLeft(hull[hull.size() - 2], hull.back(), i)) hull.pop_back();
    hull.push_back(i);
  }
  // The first vertex right of the top closes the edge under it.
  const auto right = std::upper_bound(hull.begin(), hull.end(), top);
  if (right == hull.begin() || right == hull.end()) return {lo, hi};
  return {*(right - 1), *right};
}

std::pair<std::size_t, std::size_t> valleyEnds(const double *s, std::size_t lo, std::size_t top,
                                               std::size_t hi) {
  const std::size_t left = static_cast<std::size_t>(std::min_element(s + lo, s + top + 1) - s);
  const std::size_t right = static_cast<std::size_t>(std::min_element(s + top, s + hi + 1) - s);
  return {left, right};
}

#include "analysis/baseline.h"

#include <algorithm>

namespace {

// Points searched in a window before they are searched one by one.
constexpr std::size_t kCoarsePoints = 2048;

// Andrew's monotone chain, lower half: adds point i (indices increasing),
// dropping the points before it that no longer turn left.
void addToHull(const double *s, std::vector<std::size_t> &hull, std::size_t i) {
  auto turnsLeft = [s](std::size_t o, std::size_t a, std::size_t b) {
    return static_cast<double>(a - o) * (s[b] - s[o]) - (s[a] - s[o]) * static_cast<double>(b - o) > 0;
  };
  while (hull.size() >= 2 && !turnsLeft(hull[hull.size() - 2], hull.back(), i)) hull.pop_back();
  hull.push_back(i);
}

// The hull edge over `top`, or the outermost points when there is none.
std::pair<std::size_t, std::size_t> edgeOver(const std::vector<std::size_t> &hull, std::size_t top) {
  const auto right = std::upper_bound(hull.begin(), hull.end(), top);
  if (right == hull.begin() || right == hull.end()) return {hull.front(), hull.back()};
  return {*(right - 1), *right};
}

}  // namespace

std::pair<std::size_t, std::size_t> tangentEnds(const double *s, std::size_t lo, std::size_t top, std::size_t hi,
                                                std::vector<std::size_t> &hull) {
  const std::size_t stride = std::max<std::size_t>(1, (hi - lo) / kCoarsePoints);
  hull.clear();
  for (std::size_t i = lo; i < hi; i += stride) addToHull(s, hull, i);
  addToHull(s, hull, hi);
  auto ends = edgeOver(hull, top);
  if (stride == 1) return ends;
  // Point by point around the two ends, each kept on its side of the top.
  hull.clear();
  const std::size_t leftFrom = ends.first > lo + stride ? ends.first - stride : lo;
  const std::size_t leftTo = std::min(ends.first + stride, top - 1);
  const std::size_t rightFrom = std::max(ends.second > stride ? ends.second - stride : 0, top + 1);
  const std::size_t rightTo = std::min(ends.second + stride, hi);
  for (std::size_t i = leftFrom; i <= leftTo; ++i) addToHull(s, hull, i);
  for (std::size_t i = rightFrom; i <= rightTo; ++i) addToHull(s, hull, i);
  const auto fine = edgeOver(hull, top);
  return fine.first < top && top < fine.second ? fine : ends;
}

std::pair<std::size_t, std::size_t> valleyEnds(const double *s, std::size_t lo, std::size_t top, std::size_t hi) {
  const std::size_t left = static_cast<std::size_t>(std::min_element(s + lo, s + top + 1) - s);
  const std::size_t right = static_cast<std::size_t>(std::min_element(s + top, s + hi + 1) - s);
  return {left, right};
}

#pragma once
// Where a peak's baseline touches the curve `s` (indices, first < second).

#include <cstddef>
#include <utility>
#include <vector>

// The common tangent: the edge of the lower convex hull of points lo .. hi
// that passes under the top `top` (lo < top < hi); the curve lies on or above
// the line between the two points. Long windows are searched on every k-th
// point first and then point by point around the two ends found, which is
// exact for a curve smooth over k points. `hull` is working storage.
std::pair<std::size_t, std::size_t> tangentEnds(const double *s, std::size_t lo, std::size_t top, std::size_t hi,
                                                std::vector<std::size_t> &hull);

// The lowest point of lo .. top and the lowest of top .. hi.
std::pair<std::size_t, std::size_t> valleyEnds(const double *s, std::size_t lo, std::size_t top, std::size_t hi);

#include "analysis/peak_search.h"

#include <algorithm>

std::vector<Extreme> alternatingExtremes(const double *s, std::size_t n, double swing) {
  std::vector<Extreme> out;
  if (n == 0) return out;
  int direction = 0;  // +1: following a rise to a top, -1: a fall to a valley
  std::size_t high = 0, low = 0, candidate = 0;
  for (std::size_t i = 1; i < n; ++i) {
    const double v = s[i];
    if (direction == 0) {
      // Until the first swing, both ways are open.
      if (v > s[high]) high = i;
      if (v < s[low]) low = i;
      if (s[high] - s[low] > swing) {
        direction = high > low ? 1 : -1;
        out.push_back(high > low ? Extreme{low, false} : Extreme{high, true});
        candidate = high > low ? high : low;
      }
    } else if (direction > 0) {
      if (v > s[candidate]) {
        candidate = i;
      } else if (s[candidate] - v > swing) {
        out.push_back(Extreme{candidate, true});
        direction = -1;
        candidate = i;
      }
    } else {
      if (v < s[candidate]) {
        candidate = i;
      } else if (v - s[candidate] > swing) {
        out.push_back(Extreme{candidate, false});
        direction = 1;
        candidate = i;
      }
    }
  }
  if (direction != 0) out.push_back(Extreme{candidate, direction > 0});
  return out;
}

int sharperSide(const double *s, std::size_t n, const std::vector<Extreme> &extremes, std::size_t lag, std::size_t from,
                std::size_t to) {
  double tops = 0, valleys = 0;
  for (std::size_t k = 1; k + 1 < extremes.size(); ++k) {
    const std::size_t i = extremes[k].index;
    if (i < from || i > to) continue;
    const double bend = s[i >= lag ? i - lag : 0] - 2 * s[i] + s[std::min(n - 1, i + lag)];
    if (extremes[k].top)
      tops += std::max(0.0, -bend);
    else
      valleys += std::max(0.0, bend);
  }
  return tops >= valleys ? 1 : -1;
}

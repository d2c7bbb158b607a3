#include "analysis/peaks.h"

#include <algorithm>
#include <cmath>

#include "analysis/baseline.h"
#include "analysis/noise.h"
#include "analysis/peak_measure.h"
#include "analysis/peak_search.h"
#include "analysis/prepared_curve.h"

namespace {

// The baseline of a peak reaches this many half-height widths from its top:
// far enough that the tails of a peak have died away, near enough that a
// transient or a slope farther off does not tilt it.
constexpr double kReach = 2.5;
constexpr int kGrowRounds = 40;
// A window within this much of the reach wanted is wide enough.
constexpr double kGrowSlack = 1.1;
// Noise below this fraction of the largest value is rounding, not noise.
constexpr double kNoiseFloor = 1e-9;

double noiseOf(const PreparedCurve &c) { return std::max(estimateNoise(c.raw(), c.size()), kNoiseFloor * c.largest()); }

// Measures the top `top` with a baseline within `left` .. `right`. The window
// starts small around the top and grows to the reach of the width measured in
// it, until it reaches no farther: a window too narrow cuts the flanks and
// measures the peak narrower, so it grows; one wide enough stays.
bool measureCandidate(const PreparedCurve &c, const AnalysisSettings &settings, std::size_t left, std::size_t top,
                      std::size_t right, std::vector<std::size_t> &hull, Measurement *m) {
  const double *s = c.smooth();
  const double t = static_cast<double>(top);
  double reach = std::max({2.0, static_cast<double>(c.halfWindow()), settings.minWidth / std::fabs(c.curve().step)});
  bool measured = false;
  for (int round = 0; round < kGrowRounds; ++round) {
    const std::size_t lo = t - reach > static_cast<double>(left) ? static_cast<std::size_t>(t - reach) : left;
    const std::size_t hi =
        t + reach < static_cast<double>(right) ? static_cast<std::size_t>(std::ceil(t + reach)) : right;
    const auto ends =
        settings.baseline == BaselineKind::Valleys ? valleyEnds(s, lo, top, hi) : tangentEnds(s, lo, top, hi, hull);
    if (ends.first >= top || ends.second <= top) break;
    const std::size_t climbed = climbAbove(c, ends.first, ends.second, top);
    Measurement next;
    if (!measureAt(c, ends.first, ends.second, climbed, &next) || !std::isfinite(next.width())) break;
    *m = next;
    measured = true;
    const double wanted = kReach * m->width();
    if (wanted <= kGrowSlack * reach || (lo == left && hi == right)) break;
    reach = wanted;
  }
  if (measured) m->area = areaAbove(c, m->from, m->to);
  return measured;
}

bool acceptable(const Measurement &m, const AnalysisSettings &settings, double step, double least) {
  const double width = m.width() * std::fabs(step);
  const double top = std::round(m.top);
  return m.height > least && width >= settings.minWidth && width <= settings.maxWidth &&
         top - static_cast<double>(m.from) >= 2 && static_cast<double>(m.to) - top >= 2;
}

}  // namespace

std::vector<Peak> findPeaks(const Curve &curve, const AnalysisSettings &settings) {
  PreparedCurve c(curve, settings);
  if (!c.usable()) return {};
  const double least = settings.threshold * noiseOf(c);
  // Near the ends the smoothing windows reach the first or last point, where
  // a switch-on transient makes the smoothed curve ring: no top, no baseline
  // end and no say in the sign there.
  const std::size_t margin = 2 * static_cast<std::size_t>(c.halfWindow());
  if (c.size() <= 2 * margin + 4) return {};
  const std::size_t first = margin, final = c.size() - 1 - margin;

  std::vector<Extreme> extremes = alternatingExtremes(c.smooth(), c.size(), least);
  int sign = curve.peakSign;
  if (sign == 0)
    sign = sharperSide(c.smooth(), c.size(), extremes, static_cast<std::size_t>(std::max(2, c.halfWindow())), first,
                       final);
  if (sign < 0) {
    // The same swings, seen from the other side.
    c.flip();
    for (Extreme &e : extremes) e.top = !e.top;
  }

  std::vector<Peak> peaks;
  std::vector<std::size_t> hull;
  for (std::size_t k = 1; k + 1 < extremes.size(); ++k) {
    const std::size_t top = extremes[k].index;
    if (!extremes[k].top || top < first + 2 || top + 2 > final) continue;
    // A valley shared with another peak bounds the baseline. Past any other
    // valley it may reach on, up to the top or the end beyond: on a sloped
    // baseline that valley is where the slope outruns the peak's tail, not
    // where the peak ends.
    const std::size_t last = extremes.size() - 1;
    const std::size_t left = std::max(first, k >= 3 ? extremes[k - 1].index : k == 2 ? extremes[0].index : 0);
    const std::size_t right = std::min(final, k + 3 <= last   ? extremes[k + 1].index
                                              : k + 2 == last ? extremes[last].index
                                                              : c.size() - 1);
    Measurement m;
    if (!measureCandidate(c, settings, left, top, right, hull, &m) || !acceptable(m, settings, curve.step, least))
      continue;
    const Peak p = peakOf(c, m);
    if (std::isfinite(p.potential) && std::isfinite(p.height) && std::isfinite(p.area)) peaks.push_back(p);
  }
  std::sort(peaks.begin(), peaks.end(), [](const Peak &a, const Peak &b) { return a.potential < b.potential; });
  return peaks;
}

std::optional<Peak> measurePeak(const Curve &curve, const AnalysisSettings &settings, int sign, std::size_t fromIndex,
                                std::size_t toIndex) {
  PreparedCurve c(curve, settings);
  if (!c.usable()) return std::nullopt;
  if (sign < 0) c.flip();
  const std::size_t last = c.size() - 1;
  const std::size_t from = std::min({fromIndex, toIndex, last}), to = std::min(std::max(fromIndex, toIndex), last);
  if (to < from + 2) return std::nullopt;
  Measurement m;
  if (!measureAt(c, from, to, farthestAbove(c, from, to), &m)) return std::nullopt;
  m.area = areaAbove(c, from, to);
  return peakOf(c, m);
}

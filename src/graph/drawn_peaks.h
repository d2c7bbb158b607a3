#pragma once
// The peak analysis of the curve as the graph draws it: the stored points
// 0 .. pointIndex - 1 with the display damping, those within the visible
// potential range. The window, the report and `dpv --peaks` read their peaks
// from here, so they agree with what the graph shows.

#include <cstdint>
#include <vector>

#include "analysis/analysis_settings.h"
#include "analysis/curve.h"
#include "analysis/peak_table.h"
#include "analysis/peaks.h"
#include "core/measurement_record.h"

enum class BaselineSide { Low, High };  // the end at the lower or the higher potential

class DrawnPeaks {
 public:
  explicit DrawnPeaks(const AnalysisSettings &settings = {}) : settings_(settings) {}

  const AnalysisSettings &settings() const { return settings_; }
  void setSettings(const AnalysisSettings &settings);

  // Takes the record's drawn curve (scale and damping weights as the last
  // redraw left them) and finds its peaks afresh when the curve differs from
  // the one analysed last, so that moved baselines stay while the curve does.
  // True when the peaks were found afresh.
  bool follow(const MeasurementRecord &record);
  // Forgets the curve: the next follow analyses afresh.
  void clear();

  // In increasing potential; the point indices are those of curve().
  const std::vector<Peak> &peaks() const { return peaks_; }
  const Curve &curve() const { return curve_; }
  // The stored point at index `curveIndex` of the analysed curve.
  int32_t recordIndex(std::size_t curveIndex) const { return first_ + static_cast<int32_t>(curveIndex); }

  // Moves one baseline end of peak `peak` to the point of the curve nearest
  // `potential` and measures the peak against the new line. False, with
  // nothing changed, when no peak lies between the ends. The peaks stay in
  // increasing potential; the moved one's new place is returned in `moved`.
  bool moveBaselineEnd(std::size_t peak, BaselineSide side, double potential, std::size_t *moved = nullptr);

 private:
  AnalysisSettings settings_;
  std::vector<double> values_;  // the analysed curve's currents
  int32_t first_ = 0;           // stored point of values_[0]
  Curve curve_;
  std::vector<Peak> peaks_;
};

// The peaks of the record's drawn curve, as the window finds them.
std::vector<Peak> drawnCurvePeaks(const MeasurementRecord &record, const AnalysisSettings &settings);

// The graph's units for the peak table: its current unit, one decimal more
// than its readouts.
PeakTableUnits peakTableUnits(const MeasurementRecord &record);

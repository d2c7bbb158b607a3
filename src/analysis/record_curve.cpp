#include "analysis/record_curve.h"

#include <algorithm>

Curve recordCurve(const MeasurementRecord &r) {
  Curve c;
  c.startPotential = r.sweepStart;
  c.step = r.pulseStep;
  c.peakSign = r.pulseAmplitude > 0 ? 1 : r.pulseAmplitude < 0 ? -1 : 0;
  if (r.pointIndex <= 0 || r.points.empty()) return c;
  c.values = r.points.data();
  c.count = std::min(static_cast<std::size_t>(r.pointIndex) + 1, r.points.size());
  return c;
}

std::vector<Peak> recordPeaks(const MeasurementRecord &record, const AnalysisSettings &settings) {
  return findPeaks(recordCurve(record), settings);
}

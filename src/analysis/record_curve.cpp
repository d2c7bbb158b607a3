#include "analysis/record_curve.h"

#include <algorithm>

Curve recordCurve(const MeasurementRecord &r) {
  Curve c;
  c.startPotential = r.params.sweepStart;
  c.step = r.params.pulseStep;
  c.peakSign = r.params.pulseAmplitude > 0 ? 1 : r.params.pulseAmplitude < 0 ? -1 : 0;
  if (r.document.pointIndex <= 0 || r.document.points.empty()) return c;
  c.values = r.document.points.data();
  c.count = std::min(static_cast<std::size_t>(r.document.pointIndex) + 1, r.document.points.size());
  return c;
}

std::vector<Peak> recordPeaks(const MeasurementRecord &record, const AnalysisSettings &settings) {
  return findPeaks(recordCurve(record), settings);
}

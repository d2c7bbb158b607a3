#include "measurement/parameters.h"

#include <cmath>

#include "core/numbers.h"

void SetParameters(MeasurementRecord &r) {
  const double speed = readNumber(r.texts.sweep);
  if (!(speed > 0)) return;
  r.sweepSpeed = speed * 0.001;
  r.pulseAmplitude = readNumber(r.texts.amplitude) * 0.001;
  const double period = readNumber(r.texts.period);
  if (!(period > 0)) {
    r.pulsePeriod = period;
    return;
  }
  r.pulsePeriod = period * 0.001;
  r.accumulationFraction = readNumber(r.texts.accumulation) * 0.01;
  r.recordingTime = std::fabs(r.axisPotEnd - r.axisPotStart) / r.sweepSpeed;
  r.pulseStep = r.sweepSpeed * r.pulsePeriod;
  // A falling sweep steps downwards, so sweepStart + i * pulseStep stays the
  // potential of point i in both directions.
  if (r.axisPotEnd < r.axisPotStart) r.pulseStep = -r.pulseStep;
  // Saturates instead of overflowing for absurd recording times.
  r.pulseNumber = roundToInt32(r.recordingTime / r.pulsePeriod);
  r.pulseStepInfo = QStringLiteral("Pulse step: ") + formatFixed(r.pulseStep * 1000.0, 1) + QStringLiteral(" mV");
  r.recordTimeInfo = QStringLiteral("Recording time: ") + formatFixed(r.recordingTime, 0) + QStringLiteral(" s");
  r.pulseNrInfo = QStringLiteral("Pulse number: ") + QString::number(r.pulseNumber);
}

void PrePotEditChange(MeasurementRecord &r) { r.prePotential = readNumber(r.texts.prePot) * 0.001; }

void PreTimeEditChange(MeasurementRecord &r) {
  const double t = readNumber(r.texts.preTime);
  r.preTime = t >= 0 ? t : 0;
}

#include "measurement/parameters.h"

#include <cmath>

#include "core/numbers.h"

void SetParameters(MeasurementRecord &r) {
  const double speed = readNumber(r.texts.sweep);
  if (!(speed > 0)) return;
  r.params.sweepSpeed = speed * 0.001;
  r.params.pulseAmplitude = readNumber(r.texts.amplitude) * 0.001;
  const double period = readNumber(r.texts.period);
  if (!(period > 0)) {
    r.params.pulsePeriod = period;
    return;
  }
  r.params.pulsePeriod = period * 0.001;
  r.params.accumulationFraction = readNumber(r.texts.accumulation) * 0.01;
  r.params.recordingTime = std::fabs(r.params.axisPotEnd - r.params.axisPotStart) / r.params.sweepSpeed;
  r.params.pulseStep = r.params.sweepSpeed * r.params.pulsePeriod;
  // A falling sweep steps downwards, so sweepStart + i * pulseStep stays the
  // potential of point i in both directions.
  if (r.params.axisPotEnd < r.params.axisPotStart) r.params.pulseStep = -r.params.pulseStep;
  // Saturates instead of overflowing for absurd recording times.
  r.params.pulseNumber = roundToInt32(r.params.recordingTime / r.params.pulsePeriod);
  r.display.pulseStepInfo =
      QStringLiteral("Pulse step: ") + formatFixed(r.params.pulseStep * 1000.0, 1) + QStringLiteral(" mV");
  r.display.recordTimeInfo =
      QStringLiteral("Recording time: ") + formatFixed(r.params.recordingTime, 0) + QStringLiteral(" s");
  r.display.pulseNrInfo = QStringLiteral("Pulse number: ") + QString::number(r.params.pulseNumber);
}

void PrePotEditChange(MeasurementRecord &r) { r.params.prePotential = readNumber(r.texts.prePot) * 0.001; }

void PreTimeEditChange(MeasurementRecord &r) {
  const double t = readNumber(r.texts.preTime);
  r.params.preTime = t >= 0 ? t : 0;
}

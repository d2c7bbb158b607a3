#include "measurement/run_plan.h"

#include <cmath>

#include "core/numbers.h"

RunPlan planRun(const MeasurementRecord &r) {
  RunPlan plan;
  plan.sweepStart = r.params.sweepStart;
  plan.pulseStep = r.params.pulseStep;
  plan.pulseAmplitude = r.params.pulseAmplitude;
  plan.pulsePeriod = r.params.pulsePeriod;
  plan.accumulation = r.params.accumulationFraction;
  plan.preTime = r.params.preTime;
  plan.prePotential = r.params.prePotential;
  plan.pulseNumber = r.params.pulseNumber;
  plan.electrodes = r.texts.electrodes;
  plan.currentRange = 2 * r.params.maxAbsCurrent;
  plan.potentialRange = r.params.maxAbsPotential;
  return plan;
}

QString sweepProblem(const MeasurementRecord &r) {
  // The texts decide, not the record's numbers: SetParameters keeps the last
  // good speed and period when the texts have none.
  const ParameterTexts &t = r.texts;
  const struct {
    const char *name;
    const QString &text;
  } measured[] = {{"sweep speed", t.sweep},
                  {"pulse period", t.period},
                  {"pulse amplitude", t.amplitude},
                  {"data accumulation", t.accumulation},
                  {"start potential", t.potStart},
                  {"end potential", t.potEnd},
                  {"preelectrolysis time", t.preTime},
                  {"preelectrolysis potential", t.prePot}};
  for (const auto &m : measured)
    if (!std::isfinite(readNumber(m.text)))
      return QStringLiteral("The %1 \"%2\" is out of range.").arg(QLatin1String(m.name), m.text);
  if (!(readNumber(t.sweep) > 0))
    return QStringLiteral("The sweep speed must be above 0 mV/s, not \"%1\".").arg(t.sweep);
  if (!(readNumber(t.period) > 0))
    return QStringLiteral("The pulse period must be above 0 ms, not \"%1\".").arg(t.period);
  if (r.params.pulseNumber < 1)
    return QStringLiteral("The sweep has no points: enter different start and end potentials.");
  if (r.params.pulseNumber > kMaxRunPoints)
    return QStringLiteral(
               "The sweep would have %1 points; at most %2 are possible. Use a larger pulse period or "
               "sweep speed, or a smaller potential range.")
        .arg(r.params.pulseNumber)
        .arg(kMaxRunPoints);
  return QString();
}

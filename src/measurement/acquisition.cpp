#include "measurement/acquisition.h"

#include <algorithm>
#include <cmath>

#include "core/numbers.h"

namespace {
// Instrument time one tick polls for.
constexpr double kTickSeconds = 0.11;
// After that, a tick goes on polling until no sampling window opens within
// this time, so the pause between ticks (repaints, clicks) falls between
// windows instead of into one; but never longer than one more tick.
constexpr double kPauseSeconds = 0.02;
// A tick never holds the program longer than this, even when the instrument
// timer stops counting (an instrument unplugged during a run).
constexpr int64_t kTickLimitMs = 250;
}  // namespace

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
    return QStringLiteral("The sweep would have %1 points; at most %2 are possible. Use a larger pulse period or "
                          "sweep speed, or a smaller potential range.")
        .arg(r.params.pulseNumber)
        .arg(kMaxRunPoints);
  return QString();
}

Acquisition::Acquisition(MeasurementRecord &record, RunInstrument &instrument, Clock clock)
    : record_(record), instrument_(instrument), clock_(std::move(clock)) {}

void Acquisition::start() {
  MeasurementRecord &r = record_;
  plan_.sweepStart = r.params.sweepStart;
  plan_.pulseStep = r.params.pulseStep;
  plan_.pulseAmplitude = r.params.pulseAmplitude;
  plan_.pulsePeriod = r.params.pulsePeriod;
  plan_.accumulation = r.params.accumulationFraction;
  plan_.preTime = r.params.preTime;
  plan_.prePotential = r.params.prePotential;
  plan_.pulseNumber = r.params.pulseNumber;

  // A fresh run never shows values left over from an earlier run or file.
  r.document.points.assign(static_cast<size_t>(plan_.pulseNumber), 0.0);
  r.document.pointIndex = 0;
  point_ = 0;
  const int electrodes = r.texts.electrodes;
  if (plan_.preTime != 0) {
    r.runState = RunPreelectrolysis;
    r.display.panels.status = QStringLiteral("Preelectrolysis");
    instrument_.PotentiostatOn(electrodes, 2 * r.params.maxAbsCurrent, r.params.maxAbsPotential, plan_.prePotential);
  } else {
    r.runState = RunMeasuring;
    r.display.panels.status = QStringLiteral("Measuring");
    instrument_.PotentiostatOn(electrodes, 2 * r.params.maxAbsCurrent, r.params.maxAbsPotential, plan_.sweepStart);
    instrument_.TimerReset();
    instrument_.TimerStart();
  }
  r.preStartMs = clock_();
  r.document.dataSaved = false;
  r.document.askFileName = true;
  r.baseCount = r.pulseCount = 0;
  r.baseSum = r.pulseSum = 0;
  r.basePotential = plan_.sweepStart;
  statistics_ = Statistics();
  if (drawPoint_) drawPoint_(plan_.sweepStart, 0.0);
}

bool Acquisition::tick() {
  if (record_.runState == RunIdle) return false;
  if (record_.runState == RunPreelectrolysis) {
    preelectrolysisTick();
    if (record_.runState == RunPreelectrolysis) return true;
  }
  return sweepTick();
}

void Acquisition::preelectrolysisTick() {
  MeasurementRecord &r = record_;
  const double left = plan_.preTime - (clock_() - r.preStartMs) / 1000.0;
  r.display.panels.time = formatFixed(left, 1) + QStringLiteral(" s");
  r.display.panels.potential = r.texts.prePot + QStringLiteral(" mV");
  r.display.panels.current = r.formatCurrent(instrument_.PotentiostatGetCurrent());
  if (left > 0) return;
  instrument_.PotentiostatSetPotential(plan_.sweepStart);
  r.display.panels.status = QStringLiteral("Measuring");
  r.display.panels.time.clear();
  r.display.panels.potential.clear();
  r.display.panels.current.clear();
  r.runState = RunMeasuring;
  instrument_.TimerReset();
  instrument_.TimerStart();
}

bool Acquisition::sweepTick() {
  MeasurementRecord &r = record_;
  const double T = plan_.pulsePeriod;
  const double halfWindow = plan_.accumulation / 2;
  const int64_t startMs = clock_();
  const double t0 = instrument_.GetTime();
  double t = t0;
  do {
    t = instrument_.GetTime();
    const double n = point_;
    if ((n + 0.5 - halfWindow) * T < t && t < (n + 0.5) * T) {
      r.baseSum += instrument_.PotentiostatGetCurrent();
      ++r.baseCount;
    }
    if ((n + 1 - halfWindow) * T < t && t < (n + 1) * T) {
      r.pulseSum += instrument_.PotentiostatGetCurrent();
      ++r.pulseCount;
    }
    if (t > (n + 0.5) * T) instrument_.PotentiostatSetPotential(r.basePotential + plan_.pulseAmplitude);
    if (t > (n + 1) * T && !completePoint()) return false;
  } while ((t - t0 < kTickSeconds || (t - t0 < 2 * kTickSeconds && !pauseFits(t))) &&
           clock_() - startMs < kTickLimitMs);
  return true;
}

bool Acquisition::pauseFits(double t) const {
  const double T = plan_.pulsePeriod;
  const double window = plan_.accumulation / 2 * T;
  if (!(window > 0)) return true;  // empty windows take no samples
  // The two windows of each point from this one up to the end of the pause.
  const int32_t first = point_;
  const int32_t last = first + 1 + static_cast<int32_t>(std::min(kPauseSeconds / T, 1e6));
  for (int32_t n = first; n <= last; ++n) {
    for (const double end : {(n + 0.5) * T, (n + 1.0) * T}) {
      if (t < end && t + kPauseSeconds > end - window) return false;
    }
  }
  return true;
}

bool Acquisition::completePoint() {
  MeasurementRecord &r = record_;
  const int32_t n = point_;
  // Nothing ever writes outside the storage, whatever changed it meanwhile.
  if (static_cast<size_t>(n) >= r.document.points.size()) return false;
  double &value = r.document.points[static_cast<size_t>(n)];
  if (r.baseCount > 0 && r.pulseCount > 0)
    value = r.pulseSum / r.pulseCount - r.baseSum / r.baseCount;
  else
    ++statistics_.pointsWithoutSamples;
  ++statistics_.points;
  // A save made during the run does not cover the points that follow it.
  r.document.dataSaved = false;
  statistics_.baseReadings += r.baseCount;
  r.display.panels.potential = r.formatPotential(r.basePotential);
  r.display.panels.current = r.formatCurrent(value);
  r.display.panels.pointNumber = QString::number(n);
  if (drawPoint_) drawPoint_(r.basePotential, value);
  r.display.panels.analysis = QStringLiteral(" Reading per point: ") + QString::number(r.baseCount);
  r.baseSum = r.pulseSum = 0;
  r.baseCount = r.pulseCount = 0;
  if (n + 1 >= plan_.pulseNumber) return false;
  point_ = n + 1;
  r.document.pointIndex = point_;
  r.basePotential = point_ * plan_.pulseStep + plan_.sweepStart;
  instrument_.PotentiostatSetPotential(r.basePotential);
  return true;
}

void Acquisition::stop() {
  instrument_.TimerStop();
  instrument_.PotentiostatOff();
  MeasurementRecord &r = record_;
  r.display.panels.clear();
  if (r.zoomed()) r.display.panels.status = QStringLiteral("Zoom");
  r.runState = RunIdle;
}

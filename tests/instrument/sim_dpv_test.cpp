// A differential pulse sweep over the simulated cell, driven through the
// instrument operations on the virtual clock, must show the textbook peak of
// a reversible couple: at E0 - amplitude/2, 90.4/n mV wide at half height for
// small amplitudes (25 degrees Celsius), one peak for each couple.

#include <gtest/gtest.h>
#include <QTemporaryDir>
#include <algorithm>
#include <cmath>
#include <vector>

#include "core/app_paths.h"
#include "instrument/instrument.h"
#include "instrument/simulated_port_backend.h"
#include "port_fakes.h"

namespace {

struct Sweep {
  double start = -0.2;
  double end = 0.4;
  double step = 0.001;
  double amplitude = 0.010;
  double period = 0.05;
  double accumulation = 0.1;
  double maxCurrent = 1e-4;
};

struct Peak {
  double potential;  // base potential of the maximum, V
  double height;     // A
  double width;      // at half height, V
};

// The run's time slots: base window before the pulse, pulse-end window.
std::vector<double> runDpv(Instrument &ins, const Sweep &s) {
  const int points = static_cast<int>(std::lround((s.end - s.start) / s.step));
  std::vector<double> result(points, 0.0);
  ins.PotentiostatOn(3, 2 * s.maxCurrent, std::max(std::abs(s.start), std::abs(s.end)), s.start);
  ins.TimerReset();
  ins.TimerStart();
  const double T = s.period;
  const double A = s.accumulation;
  int n = 0;
  double base = s.start;
  double baseSum = 0, pulseSum = 0;
  int baseCount = 0, pulseCount = 0;
  while (n < points) {
    const double t = ins.GetTime();
    if ((n + 0.5 - A / 2) * T < t && t < (n + 0.5) * T) {
      baseSum += ins.PotentiostatGetCurrent();
      ++baseCount;
    }
    if ((n + 1 - A / 2) * T < t && t < (n + 1) * T) {
      pulseSum += ins.PotentiostatGetCurrent();
      ++pulseCount;
    }
    if (t > (n + 0.5) * T) ins.PotentiostatSetPotential(base + s.amplitude);
    if (t > (n + 1) * T) {
      if (baseCount > 0 && pulseCount > 0) result[n] = pulseSum / pulseCount - baseSum / baseCount;
      baseSum = pulseSum = 0;
      baseCount = pulseCount = 0;
      ++n;
      base = s.start + n * s.step;
      ins.PotentiostatSetPotential(base);
    }
  }
  ins.TimerStop();
  ins.PotentiostatOff();
  return result;
}

// The largest point between the potentials `from` and `to` (the whole sweep
// by default) and its surroundings.
Peak findPeak(const std::vector<double> &i, const Sweep &s, double from = -1e9, double to = 1e9) {
  auto indexOf = [&](double e) {
    const double k = std::clamp((e - s.start) / s.step, 1.0, i.size() - 2.0);
    return static_cast<int>(std::lround(k));
  };
  const auto first = i.begin() + indexOf(from);
  const auto last = i.begin() + indexOf(to) + 1;
  const int top = static_cast<int>(std::max_element(first, last) - i.begin());
  // Vertex of the parabola through the top three points.
  const double a = i[top - 1], b = i[top], c = i[top + 1];
  const double shift = 0.5 * (a - c) / (a - 2 * b + c);
  const double height = b - 0.25 * (a - c) * shift;
  const double half = height / 2;
  auto crossing = [&](int from, int direction) {
    int k = from;
    while (i[k + direction] > half) k += direction;
    const double fraction = (i[k] - half) / (i[k] - i[k + direction]);
    return s.start + (k + direction * fraction) * s.step;
  };
  return Peak{s.start + (top + shift) * s.step, height, crossing(top, 1) - crossing(top, -1)};
}

class SimulatedDpv : public ::testing::Test {
 protected:
  void SetUp() override { setProgramFolder(folder.path()); }
  void TearDown() override { setProgramFolder(QString()); }

  std::vector<double> curve(const QString &cell, const Sweep &s) {
    SimOptions options;
    QString error;
    EXPECT_TRUE(parseSimOptions(cell, &options, &error)) << error.toStdString();
    ScopedBackend<SimulatedPortBackend> sim(SimulatedPortBackend::Timing::Virtual, options);
    Instrument ins;
    ins.SelDeviceChange(0);
    return runDpv(ins, s);
  }
  Peak sweep(const QString &cell, const Sweep &s) { return findPeak(curve(cell, s), s); }

  QTemporaryDir folder;
};

}  // namespace

TEST_F(SimulatedDpv, OneElectronPeakPositionAndWidth) {
  Sweep s;
  const Peak p = sweep(QStringLiteral("noise=0,errors=0"), s);
  EXPECT_NEAR(p.potential, 0.100 - s.amplitude / 2, 0.001);
  EXPECT_NEAR(p.width, 0.0904, 0.003);
  EXPECT_GT(p.height, 0);
}

TEST_F(SimulatedDpv, TwoElectronPeakIsHalfAsWide) {
  Sweep s;
  s.amplitude = 0.005;
  s.step = 0.0005;
  s.start = 0.1;
  s.end = 0.35;
  const Peak p = sweep(QStringLiteral("E0=0.25,n=2,noise=0,errors=0"), s);
  EXPECT_NEAR(p.potential, 0.250 - s.amplitude / 2, 0.0007);
  EXPECT_NEAR(p.width, 0.0452, 0.0015);
}

TEST_F(SimulatedDpv, DefaultCellFitsTheFactoryCurrentAxis) {
  // Factory parameters: 50 mV amplitude, 50 ms period, 10 mV/s (0.5 mV steps), 10 % accumulation,
  // current axis -100..100 uA; converter errors and noise as shipped.
  Sweep s;
  s.amplitude = 0.05;
  s.step = 0.0005;
  const Peak p = sweep(QString(), s);
  EXPECT_GT(p.height, 30e-6);
  EXPECT_LT(p.height, 100e-6);
  EXPECT_NEAR(p.potential, 0.100 - s.amplitude / 2, 0.003);
}

TEST_F(SimulatedDpv, ALongHistoryKeepsThePeakOfTheExactSum) {
  // 3000 points at 5 ms: 6000 steps, nearly all of them folded into the sum
  // of exponentials. The figures are those of the sum over every step.
  Sweep s;
  s.period = 0.005;
  s.step = 0.0002;
  s.amplitude = 0.025;
  const Peak p = sweep(QStringLiteral("noise=0,errors=0"), s);
  EXPECT_NEAR(p.potential, 0.0884260465, 0.002 * 0.0884260465);
  EXPECT_NEAR(p.height, 1.26803925e-4, 0.002 * 1.26803925e-4);
  EXPECT_NEAR(p.width, 0.0914562231, 0.002 * 0.0914562231);
}

TEST_F(SimulatedDpv, TwoCouplesGiveOnePeakEach) {
  Sweep s;
  s.start = -0.1;
  s.end = 0.5;  // within the 500 mV range of the D/A converter
  const std::vector<double> i = curve(QStringLiteral("E0=0.1,n=1,C=1.2;E0=0.35,n=2,C=0.6,noise=0,errors=0"), s);
  const Peak first = findPeak(i, s, 0.0, 0.22);
  const Peak second = findPeak(i, s, 0.23, 0.45);
  EXPECT_NEAR(first.potential, 0.100 - s.amplitude / 2, 0.001);
  EXPECT_NEAR(second.potential, 0.350 - s.amplitude / 2, 0.001);
  EXPECT_NEAR(first.width, 0.0904, 0.003);
  EXPECT_NEAR(second.width, 0.0452, 0.0015);
  // Heights as n C (sigma - 1) / (sigma + 1), sigma = exp(n F dE / 2RT).
  auto theory = [&](int n, double c) { return n * c * std::tanh(n * s.amplitude / (4 * 0.0256926)); };
  EXPECT_NEAR(second.height / first.height, theory(2, 0.6) / theory(1, 1.2), 0.02 * theory(2, 0.6) / theory(1, 1.2));
}

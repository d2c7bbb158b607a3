#include <gtest/gtest.h>
#include <QTemporaryDir>
#include <cmath>

#include "core/app_paths.h"
#include "instrument/instrument.h"
#include "instrument/simulated_port_backend.h"
#include "port_fakes.h"

namespace {

SimOptions quiet(bool errors) {
  SimOptions o;
  o.converterErrors = errors;
  o.cell.currentNoise = 0;
  o.cell.potentialNoise = 0;
  return o;
}

class Simulator : public ::testing::Test {
 protected:
  void SetUp() override { setProgramFolder(folder.path()); }
  void TearDown() override { setProgramFolder(QString()); }
  QTemporaryDir folder;
  Instrument instrument;
};

}  // namespace

TEST_F(Simulator, ConversionReadsBusyForAShortTimeAfterItsStart) {
  ScopedBackend<SimulatedPortBackend> sim(SimulatedPortBackend::Timing::Virtual, quiet(false));
  instrument.SelDeviceChange(0);
  instrument.PotentiostatOn(2, 2e-4, 0.5, -0.3);
  Instrument::SetPort(151, 0);
  EXPECT_GE(Instrument::ReadPort(149), 16);
  sim->virtualClock()->advance(SimInstrument::kConversionSeconds);
  EXPECT_LT(Instrument::ReadPort(149), 16);
}

TEST_F(Simulator, TimerCountsTenMicrosecondsPerCountAndStops) {
  ScopedBackend<SimulatedPortBackend> sim(SimulatedPortBackend::Timing::Virtual);
  instrument.SelDeviceChange(0);
  instrument.TimerReset();
  instrument.TimerStart();
  sim->virtualClock()->advance(12.345);
  const double running = instrument.GetTime();
  EXPECT_NEAR(running, 12.345, 1e-3);
  instrument.TimerStop();
  const double stopped = instrument.GetTime();
  sim->virtualClock()->advance(1.0);
  EXPECT_DOUBLE_EQ(instrument.GetTime(), stopped);
  instrument.TimerReset();
  EXPECT_DOUBLE_EQ(instrument.GetTime(), 0.0);
}

TEST_F(Simulator, GetTimeIsNeverTornAcrossACarry) {
  ScopedBackend<SimulatedPortBackend> sim(SimulatedPortBackend::Timing::Virtual);
  instrument.SelDeviceChange(0);
  instrument.TimerReset();
  instrument.TimerStart();
  VirtualClock &clock = *sim->virtualClock();
  // Try every phase of a low-byte wrap, one microsecond apart.
  for (int offset = 0; offset < 600; ++offset) {
    clock.advance(2.5e-3 + 1e-6);
    const double before = sim->instrument().timerCount() * 1e-5;
    const double t = instrument.GetTime();
    const double after = sim->instrument().timerCount() * 1e-5;
    ASSERT_GE(t, before - 1e-9) << offset;
    ASSERT_LE(t, after + 1e-9) << offset;
  }
}

TEST_F(Simulator, ConverterErrorsAreWhatCalibrationCorrects) {
  ScopedBackend<SimulatedPortBackend> sim(SimulatedPortBackend::Timing::Virtual, quiet(true));
  instrument.SelDeviceChange(1);
  // Potential meter, "2 V" range: the rest potential read raw and calibrated.
  instrument.PotentiometerOn(2.0);
  const double rest = sim->instrument().cell().parameters().restPotential;
  const double raw = instrument.PotentiometerGetPotential();
  EXPECT_GT(std::abs(raw - rest), 2e-3);
  const RangeError e = sim->instrument().meterError(1);
  instrument.calibration().adcZeroText[1] = QString::number(e.zero);
  instrument.calibration().adcFactText[1] = QString::number(e.gain, 'g', 10);
  instrument.SetCalibration();
  instrument.PotentiometerOn(2.0);
  EXPECT_NEAR(instrument.PotentiometerGetPotential(), rest, 0.6e-3);  // half a count

  // D/A output, "500 mV" range.
  const RangeError d = sim->instrument().dacError(2);
  instrument.calibration().dacZeroText[2] = QString::number(d.zero);
  instrument.calibration().dacFactText[2] = QString::number(d.gain, 'g', 10);
  instrument.SetCalibration();
  instrument.PotentiostatOn(2, 1e-3, 0.5, 0.3);
  EXPECT_NEAR(sim->instrument().outputPotential(), 0.3, 0.13e-3);
}

TEST_F(Simulator, ModelOneCurrentConverterIsInvertedOnTheBus) {
  // With the cell at a potential well past E0 the anodic current is positive
  // whichever model measures it.
  ScopedBackend<SimulatedPortBackend> sim(SimulatedPortBackend::Timing::Virtual, quiet(false));
  for (int model : {0, 1, 2}) {
    instrument.SelDeviceChange(model);
    instrument.PotentiostatOn(3, 2e-4, 0.5, 0.4);
    sim->virtualClock()->advance(0.05);
    instrument.PotentiostatGetCurrent();
    const int code = sim->instrument().dacCode();
    EXPECT_GT(code, 2048);
    EXPECT_GT(instrument.PotentiostatGetCurrent(), 1e-6) << model;
    instrument.PotentiostatOff();
    EXPECT_EQ(sim->instrument().cellMode(), SimInstrument::CellMode::Off);
  }
}

TEST_F(Simulator, ConversionClipsAtTheEndsOfTheRange) {
  ScopedBackend<SimulatedPortBackend> sim(SimulatedPortBackend::Timing::Virtual, quiet(false));
  instrument.SelDeviceChange(2);
  // "1 nA" range against a current of microamperes.
  instrument.PotentiostatOn(2, 1e-10, 0.5, 0.4);
  sim->virtualClock()->advance(0.01);
  EXPECT_DOUBLE_EQ(instrument.PotentiostatGetCurrent(), 2047 * 9.76e-13);
  instrument.PotentiostatSetPotential(-0.4);
  EXPECT_DOUBLE_EQ(instrument.PotentiostatGetCurrent(), -2048 * 9.76e-13);
}

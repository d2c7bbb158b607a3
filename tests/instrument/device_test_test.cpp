#include <gtest/gtest.h>
#include <QTemporaryDir>

#include "core/app_paths.h"
#include "instrument/instrument.h"
#include "instrument/silent_port_backend.h"
#include "instrument/simulated_port_backend.h"
#include "port_fakes.h"

namespace {

class DeviceTesting : public ::testing::Test {
 protected:
  void SetUp() override { setProgramFolder(folder.path()); }
  void TearDown() override { setProgramFolder(QString()); }
  QTemporaryDir folder;
  Instrument instrument;
};

void expectAll(const DeviceTestResult &r, UnitStatus s) {
  EXPECT_EQ(r.potentiostat, s);
  EXPECT_EQ(r.adConverter, s);
  EXPECT_EQ(r.daConverter, s);
  EXPECT_EQ(r.timer, s);
}

}  // namespace

TEST_F(DeviceTesting, SimulatorAnswersAsEveryModel) {
  ScopedBackend<SimulatedPortBackend> sim(SimulatedPortBackend::Timing::Virtual);
  expectAll(instrument.lastTest(), UnitStatus::Testing);
  for (int model : {0, 1, 2}) {
    instrument.SelDeviceChange(model);
    EXPECT_TRUE(instrument.DeviceTest()) << model;
    expectAll(instrument.lastTest(), UnitStatus::Ok);
    // Also with the cell on, which sets the identification's low bit.
    instrument.PotentiostatOn(2, 1e-4, 0.5, 0.0);
    EXPECT_TRUE(instrument.DeviceTest()) << model;
    EXPECT_EQ(sim->instrument().activeModel(), model);
    instrument.PotentiostatOff();
  }
}

TEST_F(DeviceTesting, DeviceTestLeavesTheTimerCountingFromAFreshReset) {
  ScopedBackend<SimulatedPortBackend> sim(SimulatedPortBackend::Timing::Virtual);
  instrument.SelDeviceChange(0);
  sim->virtualClock()->advance(3.0);
  instrument.DeviceTest();
  EXPECT_LT(instrument.GetTime(), 1e-3);
  sim->virtualClock()->advance(0.5);
  EXPECT_NEAR(instrument.GetTime(), 0.5, 1e-3);
}

TEST_F(DeviceTesting, SilentBusFailsEveryUnit) {
  ScopedBackend<SilentPortBackend> silent;
  instrument.SelDeviceChange(1);
  EXPECT_FALSE(instrument.DeviceTest());
  expectAll(instrument.lastTest(), UnitStatus::NotReady);
}

struct FaultCase {
  SimFault fault;
  bool potentiostat, converters, timer;
};

class SimulatedFaults : public DeviceTesting, public ::testing::WithParamInterface<FaultCase> {};

TEST_P(SimulatedFaults, OnlyTheFailingUnitsAreNotReady) {
  ScopedBackend<SimulatedPortBackend> sim(SimulatedPortBackend::Timing::Virtual);
  sim->instrument().setFault(GetParam().fault);
  instrument.SelDeviceChange(2);
  const FaultCase c = GetParam();
  EXPECT_EQ(instrument.DeviceTest(), c.potentiostat && c.converters && c.timer);
  const DeviceTestResult &r = instrument.lastTest();
  auto status = [](bool ok) { return ok ? UnitStatus::Ok : UnitStatus::NotReady; };
  EXPECT_EQ(r.potentiostat, status(c.potentiostat));
  EXPECT_EQ(r.adConverter, status(c.converters));
  EXPECT_EQ(r.daConverter, status(c.converters));
  EXPECT_EQ(r.timer, status(c.timer));
}

INSTANTIATE_TEST_SUITE_P(Faults, SimulatedFaults,
                         ::testing::Values(FaultCase{SimFault::None, true, true, true},
                                           FaultCase{SimFault::Silent, false, false, false},
                                           FaultCase{SimFault::TimerStuck, true, true, false},
                                           // a stuck conversion still identifies the card
                                           FaultCase{SimFault::ConverterStuck, true, true, true}));

TEST_F(DeviceTesting, WithoutAModelThePotentiostatIsNotProbed) {
  ScopedBackend<ScriptedBusBackend> bus;
  bus->answer = [](uint8_t address) -> uint8_t {
    if (address == 150) return 0xA5;
    return 0;
  };
  instrument.SelDeviceChange(-1);
  EXPECT_FALSE(instrument.DeviceTest());  // the timer never counts here
  EXPECT_EQ(instrument.lastTest().potentiostat, UnitStatus::Testing);
  for (uint8_t reg : {118, 116, 174}) EXPECT_EQ(bus->readsOf(reg), 0);
  EXPECT_EQ(instrument.lastTest().adConverter, UnitStatus::Ok);
}

TEST_F(DeviceTesting, RealTimeSimulatorPassesTooBecauseEachPortAccessTakesItsTime) {
  ScopedBackend<SimulatedPortBackend> sim(SimulatedPortBackend::Timing::RealTime);
  instrument.SelDeviceChange(1);
  EXPECT_TRUE(instrument.DeviceTest());
  expectAll(instrument.lastTest(), UnitStatus::Ok);
}

#include <gtest/gtest.h>
#include <QTemporaryDir>

#include "core/app_paths.h"
#include "instrument/instrument.h"
#include "port_fakes.h"

namespace {

BusAccess Wr(uint8_t address, uint8_t value) { return {true, address, value}; }

class Operations : public ::testing::Test {
 protected:
  void SetUp() override { setProgramFolder(folder.path()); }
  void TearDown() override { setProgramFolder(QString()); }
  void select(int model) {
    instrument.SelDeviceChange(model);
    bus->log.clear();
  }

  QTemporaryDir folder;
  ScopedBackend<ScriptedBusBackend> bus;
  Instrument instrument;
};

}  // namespace

struct DacCase {
  double volts;
  uint8_t high;
  uint8_t low;
};

class DacCodes : public Operations, public ::testing::WithParamInterface<DacCase> {};

TEST_P(DacCodes, PotentialBecomesAClampedRoundedCodeWrittenHighByteFirst) {
  select(0);
  instrument.PotentiostatOn(2, 1e-3, 5.0, 0.0);  // 5 V range: offset 2048, scale 0.00244
  ASSERT_DOUBLE_EQ(instrument.dacOffset(), 2048);
  ASSERT_DOUBLE_EQ(instrument.dacScale(), 0.00244);
  bus->log.clear();
  instrument.PotentiostatSetPotential(GetParam().volts);
  const std::vector<BusAccess> expected = {Wr(148, GetParam().high), Wr(149, GetParam().low)};
  EXPECT_EQ(bus->log, expected);
}

INSTANTIATE_TEST_SUITE_P(Examples, DacCodes,
                         ::testing::Values(DacCase{0.0, 8, 0}, DacCase{10.0, 15, 255}, DacCase{-10.0, 0, 0},
                                           // 0.00122 V is half a count: 2048.5 rounds to even 2048
                                           DacCase{0.00122, 8, 0}, DacCase{-0.00122, 8, 0}));

TEST_F(Operations, PotentiostatOnWritesModeThenPotentialThenCommand) {
  select(2);
  instrument.PotentiostatOn(4, 2e-6, 0.3, 0.0);
  // potential range 2 ("500 mV"), current range 3 ("1 uA") on model 2, 4 electrodes
  const std::vector<BusAccess> expected = {Wr(150, 2 * 8 + 2), Wr(148, 8), Wr(149, 0), Wr(174, 3 * 32 + 7)};
  EXPECT_EQ(bus->writes(), expected);
  EXPECT_EQ(instrument.currentRange(), 3);
  EXPECT_EQ(instrument.potentialRange(), 2);
}

TEST_F(Operations, CalibrationEntersOffsetsAndScalesAtTheNextSwitchOn) {
  select(0);
  CalibrationStore &cal = instrument.calibration();
  cal.currZeroText[4] = QStringLiteral("12.5");
  cal.currFactText[4] = QStringLiteral("1.1");
  cal.dacZeroText[3] = QStringLiteral("-3");
  cal.dacFactText[3] = QStringLiteral("0.5");
  instrument.SetCalibration();
  instrument.PotentiostatOn(3, 2e-4, 0.2, 0.0);
  EXPECT_DOUBLE_EQ(instrument.adcOffset(), 2048 - 12.5);
  EXPECT_DOUBLE_EQ(instrument.currScale(), 9.76e-8 * 1.1);
  EXPECT_DOUBLE_EQ(instrument.dacOffset(), 2051);
  EXPECT_DOUBLE_EQ(instrument.dacScale(), 9.76e-5 * 0.5);
}

TEST_F(Operations, StatusPollGivesUpAfterExactly100ReadsAndKeepsTheStatusBits) {
  select(0);
  instrument.PotentiostatOn(2, 2e-4, 0.2, 0.0);
  bus->answer = [](uint8_t address) -> uint8_t { return address == 149 ? 0x13 : 0x20; };
  bus->log.clear();
  const double current = instrument.PotentiostatGetCurrent();
  EXPECT_EQ(bus->readsOf(149), 100);
  EXPECT_EQ(bus->readsOf(148), 1);
  EXPECT_EQ(bus->log.front(), Wr(151, 0));
  EXPECT_DOUBLE_EQ(current, (0x13 * 256 + 0x20 - 2048) * 9.76e-8);
}

TEST_F(Operations, StatusPollStopsAtTheFirstReadyByte) {
  select(0);
  instrument.PotentiostatOn(2, 2e-4, 0.2, 0.0);
  int reads = 0;
  bus->answer = [&reads](uint8_t address) -> uint8_t {
    if (address == 149) return ++reads < 3 ? 0xF8 : 0x08;
    return 0x10;
  };
  bus->log.clear();
  EXPECT_DOUBLE_EQ(instrument.PotentiostatGetCurrent(), 16 * 9.76e-8);
  EXPECT_EQ(bus->readsOf(149), 3);
}

TEST_F(Operations, CurrentSignFollowsTheModel) {
  // A count 100 above the zero code.
  bus->answer = [](uint8_t address) -> uint8_t { return address == 149 ? 0x08 : 100; };
  for (int model : {0, 1, 2}) {
    select(model);
    instrument.PotentiostatOn(2, 2e-4, 0.2, 0.0);
    const double current = instrument.PotentiostatGetCurrent();
    if (model == 1)
      EXPECT_LT(current, 0) << model;
    else
      EXPECT_GT(current, 0) << model;
    EXPECT_NEAR(std::abs(current), 100 * 9.76e-8, 1e-15) << model;
  }
}

TEST_F(Operations, PotentialMeterCommandBytes) {
  select(0);
  instrument.PotentiostatOn(2, 1e-3, 0.2, 0.0);  // current range 3 on model 0
  bus->log.clear();
  instrument.PotentiometerOn(0.5);
  std::vector<BusAccess> expected = {Wr(150, 2 * 2 + 1), Wr(118, 19)};
  EXPECT_EQ(bus->writes(), expected);
  EXPECT_EQ(instrument.meterRangeName(), QStringLiteral("500 mV"));
  bus->log.clear();
  instrument.PotentiometerOff();
  expected = {Wr(118, 3 * 32 + 8)};
  EXPECT_EQ(bus->writes(), expected);

  for (int model : {1, 2}) {
    select(model);
    instrument.PotentiometerOn(5.0);
    const uint8_t reg = deviceModel(model).potentiostatRegister;
    expected = {Wr(150, 0), Wr(reg, 93)};
    EXPECT_EQ(bus->writes(), expected) << model;
    bus->log.clear();
    instrument.PotentiostatOff();
    expected = {Wr(reg, static_cast<uint8_t>(instrument.currentRange() * 32))};
    EXPECT_EQ(bus->writes(), expected) << model;
  }
}

TEST_F(Operations, MeterReadingUsesMeterOffsetAndScale) {
  select(1);
  instrument.calibration().adcFactText[3] = QStringLiteral("2");
  instrument.SetCalibration();
  instrument.PotentiometerOn(0.2);
  bus->answer = [](uint8_t address) -> uint8_t { return address == 149 ? 0x07 : 0xF8; };  // 2040
  EXPECT_DOUBLE_EQ(instrument.PotentiometerGetPotential(), -8 * 9.76e-5 * 2);
  instrument.setMeterOffset(2040);
  EXPECT_DOUBLE_EQ(instrument.PotentiometerGetPotential(), 0.0);
}

TEST_F(Operations, WithoutAModelTheModelDependentOperationsDoNothing) {
  instrument.SelDeviceChange(5);
  EXPECT_FALSE(instrument.hasModel());
  instrument.PotentiostatOn(2, 1e-3, 1.0, 0.5);
  instrument.PotentiostatOff();
  instrument.PotentiometerOn(1.0);
  instrument.PotentiometerOff();
  EXPECT_TRUE(bus->log.empty());
  EXPECT_FALSE(QFile::exists(folder.filePath(QStringLiteral("gwr305.cal"))));
}

TEST_F(Operations, TimerCommandsAndCountBytes) {
  select(0);
  instrument.TimerReset();
  instrument.TimerStart();
  instrument.TimerStop();
  const std::vector<BusAccess> expected = {Wr(134, 0), Wr(133, 0), Wr(132, 0)};
  EXPECT_EQ(bus->writes(), expected);
  bus->answer = [](uint8_t address) -> uint8_t { return static_cast<uint8_t>(0x10 * (address - 131)); };
  EXPECT_DOUBLE_EQ(instrument.GetTime(), 0x40302010u * 1e-5);
}

TEST_F(Operations, GetTimeReadsAgainWhenTheHigherBytesMovedAndNeverTears) {
  select(0);
  // A counter that carries from 0x01FF to 0x0200 between the first reads of
  // its low and its second byte: a single pass would give 0x02FF.
  int reads = 0;
  bus->answer = [&reads](uint8_t address) -> uint8_t {
    const uint32_t count = reads < 1 ? 0x01FF : 0x0200;
    ++reads;
    return static_cast<uint8_t>(count >> (8 * (address - 132)));
  };
  EXPECT_DOUBLE_EQ(instrument.GetTime(), 0x0200 * 1e-5);
  EXPECT_EQ(bus->readsOf(132), 2);
}

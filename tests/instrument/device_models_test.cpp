#include <gtest/gtest.h>

#include "instrument/device_models.h"

struct RangeCase {
  const char *table;
  int model;
  double value;
  int expected;
};

class RangeChoice : public ::testing::TestWithParam<RangeCase> {};

TEST_P(RangeChoice, PicksTheSmallestRangeThatFits) {
  const RangeCase c = GetParam();
  int got = -1;
  if (std::string(c.table) == "potential") {
    got = chooseRange(kPotentialRanges, kPotentialRangeCount - 1, c.value);
  } else {
    const DeviceModel &m = deviceModel(c.model);
    got = chooseRange(m.currentRanges, m.currentRangeCount - 1, c.value);
  }
  EXPECT_EQ(got, c.expected) << c.table << " " << c.value;
}

INSTANTIATE_TEST_SUITE_P(Examples, RangeChoice,
                         ::testing::Values(RangeCase{"potential", 0, 0.1, 3}, RangeCase{"potential", 0, 0.2, 3},
                                           RangeCase{"potential", 0, 0.3, 2}, RangeCase{"potential", 0, 2.5, 0},
                                           RangeCase{"potential", 0, 7, 0}, RangeCase{"potential", 0, -0.3, 2},
                                           RangeCase{"current", 1, 0.002, 0}, RangeCase{"current", 1, 0.0021, 0},
                                           RangeCase{"current", 1, 1e-10, 6}, RangeCase{"current", 0, 1e-10, 7},
                                           RangeCase{"current", 0, 2e-4, 4}, RangeCase{"current", 2, -2e-4, 1}));

TEST(DeviceModels, CurrentRangeTablesOfTheThreeModels) {
  const DeviceModel &m0 = deviceModel(0);
  ASSERT_EQ(m0.currentRangeCount, 8);
  EXPECT_STREQ(m0.currentRanges[0].name, "1 A");
  EXPECT_STREQ(m0.currentRanges[7].name, "100 nA");
  EXPECT_DOUBLE_EQ(m0.currentRanges[0].factor, 0.000976);
  for (int model : {1, 2}) {
    const DeviceModel &m = deviceModel(model);
    ASSERT_EQ(m.currentRangeCount, 7);
    EXPECT_STREQ(m.currentRanges[0].name, "1 mA");
    EXPECT_STREQ(m.currentRanges[6].name, "1 nA");
    EXPECT_DOUBLE_EQ(m.currentRanges[6].factor, 9.76e-13);
  }
}

TEST(DeviceModels, RegistersFilesAndElectrodeLimits) {
  const int registers[] = {118, 116, 174};
  const char *files[] = {"gwr305.cal", "gwrf406.cal", "gwrf583.cal"};
  const int electrodes[] = {3, 3, 4};
  for (int i = 0; i < kModelCount; ++i) {
    EXPECT_EQ(deviceModel(i).potentiostatRegister, registers[i]);
    EXPECT_STREQ(deviceModel(i).calFileName, files[i]);
    EXPECT_EQ(deviceModel(i).maxElectrodes, electrodes[i]);
    EXPECT_EQ(modelAtPotentiostatRegister(registers[i]), i);
  }
  EXPECT_EQ(modelAtPotentiostatRegister(150), -1);
}

TEST(DeviceModels, PotentiostatCommandBytes) {
  // range x 32 + electrode code; a count the model lacks gets its nearest one.
  EXPECT_EQ(potentiostatCommand(deviceModel(0), 4, 2), 4 * 32 + 11);
  EXPECT_EQ(potentiostatCommand(deviceModel(0), 4, 3), 4 * 32 + 7);
  EXPECT_EQ(potentiostatCommand(deviceModel(0), 4, 4), 4 * 32 + 7);
  EXPECT_EQ(potentiostatCommand(deviceModel(1), 0, 2), 1);
  EXPECT_EQ(potentiostatCommand(deviceModel(2), 6, 3), 6 * 32 + 5);
  EXPECT_EQ(potentiostatCommand(deviceModel(2), 6, 4), 6 * 32 + 7);
  EXPECT_EQ(potentiostatCommand(deviceModel(2), 1, 0), 32 + 1);
}

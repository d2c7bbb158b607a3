// Calibration texts beyond the double range count as their defaults, so no
// infinity reaches the conversions and their integer codes.
#include <gtest/gtest.h>
#include <QTemporaryDir>
#include <cmath>

#include "core/app_paths.h"
#include "core/text_io.h"
#include "instrument/instrument.h"
#include "port_fakes.h"

TEST(CalibrationLimits, TextsBeyondTheDoubleRangeReadAsDefaults) {
  QTemporaryDir folder;
  setProgramFolder(folder.path());
  ScopedBackend<ScriptedBusBackend> bus;
  const QStringList lines = {"[Calibration]",     "GWR Zero 0=1e999",   "GWR Fact 0=-1e999", "GWR Zero 1=1e-320",
                             "GWR Fact 1=1e-320", "DAC Zero 0=-1e999",  "DAC Fact 0=1e999",  "DAC Zero 1=1e999",
                             "DAC Fact 1=1e-320", "ADC Zero 0=1e99999", "ADC Fact 0=1e999",  "ADC Fact 1=2.5e-400"};
  ASSERT_TRUE(writeFileAtomically(folder.filePath("gwr305.cal"), encodeLines(lines), nullptr));
  Instrument instrument;
  instrument.SelDeviceChange(0);
  const CalibrationStore &cal = instrument.calibration();
  EXPECT_EQ(cal.currZero[0], 0.0);
  EXPECT_EQ(cal.currFact[0], 1.0);
  EXPECT_EQ(cal.dacZero[0], 0.0);
  EXPECT_EQ(cal.dacFact[0], 1.0);
  EXPECT_EQ(cal.dacZero[1], 0.0);
  EXPECT_EQ(cal.adcZero[0], 0.0);
  EXPECT_EQ(cal.adcFact[0], 1.0);
  // Denormals are numbers: they stay, and the conversions hold them.
  EXPECT_GT(cal.currZero[1], 0.0);
  EXPECT_GT(cal.dacFact[1], 0.0);
  EXPECT_EQ(cal.adcFact[1], 0.0);  // below the smallest double: 0, as the text is read
  // The texts stay as read, so the dialogs show and save what the file holds.
  EXPECT_EQ(cal.currZeroText[0], "1e999");

  // A potential through a factor near the smallest double gives the highest
  // code, not an undefined one.
  instrument.PotentiostatOn(2, 1e-3, 1.0, 0.5);
  ASSERT_GT(std::abs(instrument.dacScale()), 0.0);
  instrument.PotentiostatSetPotential(0.5);
  EXPECT_TRUE(std::isfinite(instrument.PotentiostatGetCurrent()));
  setProgramFolder(QString());
}

// Numbers read and written with "." whatever the C library's locale, and
// beyond the double range without undefined behaviour.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cmath>
#include <limits>

#include "comma_locale.h"
#include "core/numbers.h"
#include "dpv_program.h"
#include "qstring_print.h"

namespace {

QByteArray readAll(const QString &path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeAll(const QString &path, const QByteArray &bytes) {
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << path.toStdString();
  f.write(bytes);
}

// The file without its "Date time=" line, which follows the user's locale.
QByteArray withoutDateTime(QByteArray bytes) {
  const qsizetype at = bytes.indexOf("Date time=");
  if (at >= 0) bytes.remove(at, bytes.indexOf("\r\n", at) - at);
  return bytes;
}

}  // namespace

TEST(ReadNumber, MagnitudesBeyondTheDoubleRange) {
  const double inf = std::numeric_limits<double>::infinity();
  EXPECT_EQ(readNumber("1e999"), inf);
  EXPECT_EQ(readNumber(" -1e999x"), -inf);
  EXPECT_EQ(readNumber("123456789e99999999999999"), inf);
  EXPECT_EQ(readNumber("0.0001e400"), inf);
  EXPECT_EQ(readNumber("1e-400"), 0.0);
  EXPECT_EQ(readNumber("-0.001e-400"), 0.0);
  EXPECT_EQ(readNumber("1000e-330"), 0.0);  // the digits before the point count
  EXPECT_EQ(readNumber("0.001e310"), 1e307);
  EXPECT_NEAR(readNumber("1e-320"), 1e-320, 1e-323);  // a denormal stays
  EXPECT_EQ(readNumber("0e99999"), 0.0);
  EXPECT_EQ(readFiniteNumber("1e999", 1.0), 1.0);
  EXPECT_EQ(readFiniteNumber("-1e999", 0.0), 0.0);
  EXPECT_EQ(readFiniteNumber("2.5", 1.0), 2.5);
  EXPECT_GT(readFiniteNumber("1e-320", 1.0), 0.0);
}

// The C library's locale is what QApplication takes from the environment.
TEST(CommaLocale, NumbersInProcessIgnoreIt) {
  CommaLocale locale;
  if (!locale.active()) GTEST_SKIP() << locale.whyNot().toStdString();
  EXPECT_EQ(readNumber("12.5"), 12.5);
  EXPECT_EQ(readNumber(" -0.98"), -0.98);
  EXPECT_EQ(readNumber("2.5E-2"), 0.025);
  EXPECT_EQ(readNumber("1,5"), 1.0);  // the comma is no decimal point here either
  EXPECT_EQ(formatFixed(12.5, 1), "12.5");
  EXPECT_EQ(formatFixed(-1234.5678, 3), "-1234.568");
  EXPECT_EQ(formatSignificant(1.519234e-05, 6), "1.51923e-05");
  EXPECT_EQ(formatSignificant(-12.5, 6), "-12.5");
}

// A measurement and a text export made under the comma locale are those made
// under the C locale, byte for byte (the run's date aside, which follows the
// user's locale on purpose).
TEST(CommaLocale, MeasureAndExportAsUnderTheCLocale) {
  QString locpath;
  {
    CommaLocale locale;
    if (!locale.active()) GTEST_SKIP() << locale.whyNot().toStdString();
    locpath = locale.locpath();
  }
  QTemporaryDir folder;
  ASSERT_TRUE(folder.isValid());
  // Every number has a fraction, so a reader that stops at the "." gets
  // other values: calibration factors of 0, another sweep, another axis.
  writeAll(folder.filePath("marelt.ini"), "[Setup]\r\nC min=-2.5\r\nC max=7.5\r\nC units=uA\r\n");
  QByteArray calibration = "[Calibration]\r\n";
  for (int i = 0; i < 8; ++i)
    calibration += "GWR Zero " + QByteArray::number(i) + "=1.5\r\nGWR Fact " + QByteArray::number(i) + "=0.98\r\n";
  for (int i = 0; i < 4; ++i)
    calibration += "DAC Zero " + QByteArray::number(i) + "=0.5\r\nDAC Fact " + QByteArray::number(i) + "=1.02\r\n";
  writeAll(folder.filePath("gwr305.cal"), calibration);
  writeAll(
      folder.filePath("params.dpv"),
      "[Setup]\r\nC min=-2.5\r\nC max=7.5\r\nC units=uA\r\nDamping=12.5\r\nDamping units=%\r\n"
      "P start=-100.5\r\nP end=100.5\r\nSweep speed=20.5\r\nPulse amplitude=25.5\r\nPulse period=50.5\r\n"
      "Data accumulation=40.5\r\nPreelectrolysis time=0\r\nPreelectrolysis potential=0\r\n[Info]\r\nx\r\n[Data]\r\n");

  auto run = [&](const char *name, bool comma, const QStringList &arguments) {
    QProcessEnvironment env = dpvEnvironment();
    env.insert("LC_ALL", comma ? kCommaLocale : "C");
    if (comma && !locpath.isEmpty()) env.insert("LOCPATH", locpath);
    const ProgramRun r = runDpv(
        QStringList{"--folder", folder.path(), "--port", "sim-fast", "--sim-cell", "E0=0.0125,noise=0.5"} + arguments,
        env);
    EXPECT_TRUE(r.finished) << name;
    EXPECT_EQ(r.exitCode, 0) << name << ": " << r.output.toStdString();
  };
  run("measure C", false, {"--measure", folder.filePath("params.dpv"), folder.filePath("c.dpv")});
  run("measure de", true, {"--measure", folder.filePath("params.dpv"), folder.filePath("de.dpv")});
  const QByteArray measuredC = readAll(folder.filePath("c.dpv"));
  // 201 mV at 20.5 mV/s and 50.5 ms: 194 points.
  ASSERT_EQ(measuredC.mid(measuredC.indexOf("[Data]")).count("\r\n"), 1 + 194) << measuredC.left(600).toStdString();
  EXPECT_EQ(withoutDateTime(readAll(folder.filePath("de.dpv"))), withoutDateTime(measuredC));

  run("export C", false, {"--export-text", folder.filePath("c.dpv"), folder.filePath("c.txt")});
  run("export de", true, {"--export-text", folder.filePath("c.dpv"), folder.filePath("de.txt")});
  const QByteArray exportedC = readAll(folder.filePath("c.txt"));
  ASSERT_TRUE(exportedC.contains("-100.5")) << exportedC.left(600).toStdString();
  EXPECT_EQ(readAll(folder.filePath("de.txt")), exportedC);
}

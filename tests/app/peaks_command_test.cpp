// dpv --peaks IN.dpv OUT.csv as a shell runs it: the peaks of the curve as
// the window shows it after File > Open, CR LF, and the exit codes.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "dpv_program.h"
#include "files/files_test_support.h"
#include "two_peaks.h"

namespace {

class PeaksCommand : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(folder.isValid());
    writeBytes(in, twoPeakMeasurement());
  }
  ProgramRun peaks(const QString &input, const QString &output) {
    return runDpv({"--folder", folder.path(), "--peaks", input, output});
  }

  QTemporaryDir folder;
  const QString in = folder.filePath("two peaks.dpv");
  const QString header = "Peak,Potential [mV],Height [A],Area [A V],Width [mV],Baseline from [mV],Baseline to [mV]";
};

}  // namespace

TEST_F(PeaksCommand, WritesOneRowPerPeakInIncreasingPotential) {
  const QString out = folder.filePath("peaks.csv");
  const ProgramRun run = peaks(in, out);
  ASSERT_TRUE(run.finished);
  ASSERT_EQ(run.exitCode, 0) << run.output.toStdString();
  const QByteArray bytes = readBytes(out);
  ASSERT_TRUE(bytes.endsWith("\r\n"));
  const QStringList lines = QString::fromUtf8(bytes.chopped(2)).split("\r\n");
  ASSERT_EQ(lines.size(), 3) << bytes.toStdString();
  EXPECT_EQ(lines[0], header);
  const QStringList first = lines[1].split(','), second = lines[2].split(',');
  ASSERT_EQ(first.size(), 7);
  EXPECT_EQ(first[0], "1");
  EXPECT_EQ(first[1], "50.00");
  EXPECT_EQ(second[0], "2");
  EXPECT_EQ(second[1], "300.00");
  // Exponent form with 6 significant digits, a width with 2 decimals.
  EXPECT_TRUE(second[2].contains(QRegularExpression("^1\\.99\\d{3}e-05$"))) << second[2].toStdString();
  EXPECT_TRUE(second[4].contains(QRegularExpression("^6\\d\\.\\d\\d$"))) << second[4].toStdString();
  EXPECT_EQ(bytes.count('\n'), bytes.count("\r\n"));

  // "-" writes the same to standard output.
  const ProgramRun toStdout = peaks(in, "-");
  EXPECT_EQ(toStdout.exitCode, 0);
  EXPECT_EQ(toStdout.output.toUtf8(), bytes);
}

TEST_F(PeaksCommand, TheCurveIsTakenAsTheGraphDrawsIt) {
  // The damping the file names: the drawn curve lags behind the sweep.
  QByteArray damped = twoPeakMeasurement();
  damped.replace("Damping=0\r\n", "Damping=80\r\n");
  writeBytes(folder.filePath("damped.dpv"), damped);
  const ProgramRun run = peaks(folder.filePath("damped.dpv"), "-");
  ASSERT_EQ(run.exitCode, 0) << run.output.toStdString();
  const QStringList lines = run.output.split("\r\n");
  ASSERT_GE(lines.size(), 3);
  EXPECT_GT(lines[2].split(',')[1].toDouble(), 302.0) << lines[2].toStdString();
  // The settings file's section "Analysis" is read: too narrow a maximum
  // leaves out the wider peak.
  writeBytes(folder.filePath("marelt.ini"), "[Analysis]\r\nMaximum width=70\r\n");
  const ProgramRun narrow = peaks(in, "-");
  const QStringList rows = narrow.output.split("\r\n");
  ASSERT_EQ(rows.size(), 3) << narrow.output.toStdString();
  EXPECT_TRUE(rows[1].startsWith("1,300.00,")) << rows[1].toStdString();
}

TEST_F(PeaksCommand, AFlatCurveGivesTheHeaderAlone) {
  QByteArray flat = twoPeakMeasurement();
  flat.truncate(flat.indexOf("[Data]\r\n") + 8);
  for (int i = 0; i < 300; ++i) flat += "0.0100\r\n";
  writeBytes(in, flat);
  const ProgramRun run = peaks(in, "-");
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(run.output, header + "\r\n");
}

TEST_F(PeaksCommand, UnreadableInputExits1AndUnwritableOutput2) {
  const ProgramRun missing = peaks(folder.filePath("none.dpv"), folder.filePath("out.csv"));
  EXPECT_EQ(missing.exitCode, 1);
  EXPECT_TRUE(missing.output.contains("none.dpv")) << missing.output.toStdString();
  EXPECT_FALSE(QFile::exists(folder.filePath("out.csv")));
  const ProgramRun unwritable = peaks(in, folder.filePath("no such folder/out.csv"));
  EXPECT_EQ(unwritable.exitCode, 2);
  EXPECT_TRUE(unwritable.output.contains("out.csv")) << unwritable.output.toStdString();
  // Without its output file the form is refused before anything is read.
  const ProgramRun incomplete = runDpv({"--folder", folder.path(), "--peaks", in});
  EXPECT_EQ(incomplete.exitCode, 2);
  EXPECT_TRUE(incomplete.output.contains("name exactly one output file")) << incomplete.output.toStdString();
}

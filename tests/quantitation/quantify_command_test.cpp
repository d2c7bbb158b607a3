// dpv --quantify run as a shell runs it: the rows on success, and for a bad
// table, an output that cannot be written or a bad option the exit code and
// a message that names the line.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cmath>

#include "dpv_program.h"
#include "qstring_print.h"
#include "quantitation/synthetic_files.h"

namespace {

void writeAll(const QString &path, const QByteArray &bytes) {
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << path.toStdString();
  f.write(bytes);
}

QByteArray readAll(const QString &path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class QuantifyCommand : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir.isValid());
    const struct {
      const char *name;
      double height;
    } files[] = {{"s1.dpv", 10.2}, {"s2.dpv", 19.8}, {"s4.dpv", 40.1}, {"x.dpv", 25}, {"b.dpv", 0}};
    for (const auto &f : files) writeAll(dir.filePath(f.name), syntheticMeasurement(f.height));
  }
  QString table(const QByteArray &text) {
    const QString path = dir.filePath("table.csv");
    writeAll(path, text);
    return path;
  }
  ProgramRun quantify(const QStringList &arguments) { return runDpv(QStringList{"--folder", dir.path()} + arguments); }

  QTemporaryDir dir;
};

const QByteArray kGood =
    "File,Role,Concentration [mg/L]\r\ns1.dpv,standard,1\r\ns2.dpv,standard,2\r\n"
    "s4.dpv,standard,4\r\nx.dpv,sample,\r\n";

}  // namespace

TEST_F(QuantifyCommand, WritesTheRowsToAFileOrToStandardOutput) {
  const QString out = dir.filePath("result.csv");
  ProgramRun run = quantify({"--quantify", table(kGood), out});
  ASSERT_TRUE(run.finished);
  ASSERT_EQ(run.exitCode, 0) << run.output.toStdString();
  const QByteArray written = readAll(out);
  EXPECT_TRUE(written.startsWith("Quantity,Value\r\nMethod,calibration\r\nPeak potential [mV],75"))
      << written.toStdString();
  const QList<QByteArray> rows = written.split('\n');
  ASSERT_EQ(rows.size(), 12);  // the header, 10 rows and the empty rest after the last CR LF
  ASSERT_TRUE(rows[9].startsWith("Concentration x,")) << rows[9].toStdString();
  EXPECT_NEAR(rows[9].mid(16).trimmed().toDouble(), 2.5, 0.05) << rows[9].toStdString();
  EXPECT_TRUE(rows[10].startsWith("Uncertainty x,")) << rows[10].toStdString();

  run = quantify({"--quantify", table(kGood), "-"});
  ASSERT_TRUE(run.finished);
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(run.output.toUtf8(), written);

  // The user's potential, window and weighting.
  run = quantify(
      {"--quantify", table(kGood), "-", "--peak-potential", "80", "--peak-window", "6", "--weighting", "1/x2"});
  ASSERT_TRUE(run.finished);
  EXPECT_EQ(run.exitCode, 0) << run.output.toStdString();
  EXPECT_NE(run.output.toUtf8(), written);
  run = quantify({"--quantify", table(kGood), "-", "--peak-potential", "90", "--peak-window", "5"});
  ASSERT_TRUE(run.finished);
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_TRUE(run.output.contains("line 2: no peak within 5.0 mV of 90.0 mV in \"s1.dpv\""))
      << run.output.toStdString();
}

TEST_F(QuantifyCommand, ABadTableNamesItsLine) {
  const struct {
    QByteArray table;
    const char *says;
  } cases[] = {
      {"File,Role,Concentration\r\ns1.dpv,standard,1\r\nmissing.dpv,standard,2\r\nx.dpv,sample,\r\n",
       "table.csv: line 3: Cannot open file"},
      {"File,Role,Concentration\r\ns1.dpv,standard,1\r\ns2.dpv,stnadard,2\r\n", "table.csv: line 3: unknown role"},
      {"File,Role,Concentration\r\ns1.dpv,standard,1\r\nx.dpv,sample,\r\n",
       "table.csv: line 3: a calibration needs at least two standards"},
      {"File,Role,Concentration\r\ns1.dpv,standard,1\r\ns2.dpv,standard,2\r\nb.dpv,blank,\r\n",
       "table.csv: line 4: the table has no sample"},
      {"File,Role,Concentration\r\ns1.dpv,standard,1\r\nb.dpv,standard,2\r\nx.dpv,sample,\r\n",
       "table.csv: line 3: no peak within 20.0 mV"},
      {"Datei,Rolle\r\n", "table.csv: line 1: the first line must be the header"},
  };
  const QString out = dir.filePath("result.csv");
  for (const auto &c : cases) {
    const ProgramRun run = quantify({"--quantify", table(c.table), out});
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.exitCode, 1) << c.table.toStdString();
    EXPECT_TRUE(run.output.contains(QString::fromUtf8(c.says))) << run.output.toStdString();
    EXPECT_FALSE(QFile::exists(out));
  }
  const ProgramRun run = quantify({"--quantify", dir.filePath("none.csv"), out});
  ASSERT_TRUE(run.finished);
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_TRUE(run.output.contains("none.csv")) << run.output.toStdString();
}

TEST_F(QuantifyCommand, AnOutputThatCannotBeWrittenOrABadOption) {
  ProgramRun run = quantify({"--quantify", table(kGood), dir.filePath("no/such/folder/result.csv")});
  ASSERT_TRUE(run.finished);
  EXPECT_EQ(run.exitCode, 2);
  EXPECT_TRUE(run.output.contains("Cannot write file")) << run.output.toStdString();

  const QList<QStringList> bad = {
      {"--quantify", table(kGood), "-", "--weighting", "1/x"},
      {"--quantify", table(kGood), "-", "--peak-window", "0"},
      {"--quantify", table(kGood), "-", "--peak-potential", "75 mV"},
      {"--quantify", table(kGood)},
      {"--peak-window", "10"},
  };
  for (const QStringList &arguments : bad) {
    run = quantify(arguments);
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.exitCode, 2) << arguments.join(' ').toStdString();
    EXPECT_TRUE(run.output.contains("dpv --help")) << run.output.toStdString();
  }
}

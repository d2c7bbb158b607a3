// What the program refuses at start, and why it says so: a --folder that does
// not exist, an output that is the input, a port that cannot be opened, a
// sweep speed or pulse period that is not above 0.
#include <gtest/gtest.h>

#include <unistd.h>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cerrno>
#include <cstring>

#include "app/command_line.h"
#include "app/same_file.h"
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

const QByteArray kMeasurement =
    "[Setup]\r\nDate time=today\r\nC min=-10\r\nC max=10\r\nC units=uA\r\nP start=-100\r\nP end=100\r\n"
    "Sweep speed=100\r\nPulse period=50\r\n[Info]\r\ncell A\r\n[Data]\r\n1.00\r\n2.00\r\n3.00\r\n";

class CommandLineChecks : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(folder.isValid());
    in = folder.filePath("in.dpv");
    writeAll(in, kMeasurement);
  }
  QTemporaryDir folder;
  QString in;
};

}  // namespace

TEST_F(CommandLineChecks, AFolderThatDoesNotExistIsRefusedByEveryForm) {
  CommandLine cl;
  cl.folder = folder.filePath("missing");
  EXPECT_TRUE(commandLineProblem(cl).contains(folder.filePath("missing"))) << commandLineProblem(cl).toStdString();
  cl.folder = in;  // a file is no folder either
  EXPECT_FALSE(commandLineProblem(cl).isEmpty());
  cl.folder = folder.path();
  EXPECT_EQ(commandLineProblem(cl), QString());

  const QString missing = folder.filePath("missing");
  const QList<QStringList> forms = {{},  // the window
                                    {"--export-text", in, folder.filePath("out.txt")},
                                    {"--resave", in, folder.filePath("out.dpv")},
                                    {"--report", in, folder.filePath("out.pdf")},
                                    {"--port", "sim-fast", "--measure", in, folder.filePath("out2.dpv")},
                                    {"--recover", folder.filePath("out3.dpv")}};
  for (const QStringList &form : forms) {
    const ProgramRun run = runDpv(QStringList{"--folder", missing} + form);
    ASSERT_TRUE(run.finished) << form.join(' ').toStdString();
    EXPECT_EQ(run.exitCode, 2) << form.join(' ').toStdString();
    EXPECT_TRUE(run.output.contains("does not exist")) << run.output.toStdString();
    EXPECT_TRUE(run.output.contains(missing)) << run.output.toStdString();
  }
  EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), QStringList{"in.dpv"});
}

TEST_F(CommandLineChecks, AnOutputThatIsTheInputIsRefusedByEveryForm) {
  ASSERT_TRUE(QDir(folder.path()).mkdir("sub"));
  ASSERT_TRUE(QFile::link(in, folder.filePath("symlink.dpv")));
  ASSERT_EQ(::link(QFile::encodeName(in).constData(), QFile::encodeName(folder.filePath("hardlink.dpv")).constData()),
            0);
  const QStringList sameAsInput = {in, folder.filePath("sub/../in.dpv"), folder.filePath("symlink.dpv"),
                                   folder.filePath("hardlink.dpv"), folder.path() + "//./in.dpv"};
  for (const QString &out : sameAsInput) EXPECT_TRUE(sameFile(in, out)) << out.toStdString();
  EXPECT_FALSE(sameFile(in, folder.filePath("other.dpv")));  // does not exist yet
  writeAll(folder.filePath("copy.dpv"), kMeasurement);
  EXPECT_FALSE(sameFile(in, folder.filePath("copy.dpv")));  // equal bytes, another file

  const QStringList forms = {"--export-text", "--resave", "--report", "--measure", "--peaks"};
  for (int i = 0; i < forms.size(); ++i) {
    const QString out = sameAsInput[i % 4 + 1];
    const ProgramRun run = runDpv({"--folder", folder.path(), "--port", "sim-fast", forms[i], in, out});
    ASSERT_TRUE(run.finished) << forms[i].toStdString();
    EXPECT_EQ(run.exitCode, 2) << forms[i].toStdString() << " " << out.toStdString() << ": "
                               << run.output.toStdString();
    EXPECT_TRUE(run.output.contains("is the input file")) << run.output.toStdString();
    EXPECT_EQ(readAll(in), kMeasurement) << forms[i].toStdString();
  }
  EXPECT_TRUE(QFileInfo(folder.filePath("symlink.dpv")).isSymLink());
}

TEST_F(CommandLineChecks, MeasureOnAPortThatCannotBeOpenedSaysWhy) {
  const ProgramRun run = runDpv({"--folder", folder.path(), "--port", "ppdev:" + folder.filePath("no-parport"),
                                 "--measure", in, folder.filePath("out.dpv")});
  ASSERT_TRUE(run.finished);
  EXPECT_EQ(run.exitCode, 3) << run.output.toStdString();
  // The system's text, in the user's language.
  EXPECT_TRUE(run.output.contains(QString::fromLocal8Bit(std::strerror(ENOENT)))) << run.output.toStdString();
  EXPECT_TRUE(run.output.contains(folder.filePath("no-parport"))) << run.output.toStdString();
  EXPECT_FALSE(QFile::exists(folder.filePath("out.dpv")));
}

// The settings hold a good speed and period, which SetParameters keeps when
// the file's texts are not above 0; the run must judge the file's texts.
TEST_F(CommandLineChecks, MeasureRefusesASpeedOrPeriodNotAbove0) {
  writeAll(folder.filePath("marelt.ini"), "[Setup]\r\nSweep speed=100\r\nPulse period=50\r\n");
  const struct {
    const char *line;
    const char *named;
  } cases[] = {{"Sweep speed=0", "sweep speed"},     {"Sweep speed=-5", "sweep speed"},
               {"Sweep speed=", "sweep speed"},      {"Pulse period=0", "pulse period"},
               {"Pulse period=-50", "pulse period"}, {"Sweep speed=1e999", "sweep speed"}};
  for (const auto &c : cases) {
    QByteArray params = kMeasurement;
    const QByteArray key = QByteArray(c.line).left(QByteArray(c.line).indexOf('=') + 1);
    const qsizetype at = params.indexOf(key);
    params.replace(at, params.indexOf("\r\n", at) - at, c.line);
    writeAll(folder.filePath("params.dpv"), params);
    const ProgramRun run = runDpv({"--folder", folder.path(), "--port", "sim-fast", "--measure",
                                   folder.filePath("params.dpv"), folder.filePath("out.dpv")});
    ASSERT_TRUE(run.finished) << c.line;
    EXPECT_EQ(run.exitCode, 3) << c.line << ": " << run.output.toStdString();
    EXPECT_TRUE(run.output.contains(c.named)) << c.line << ": " << run.output.toStdString();
    EXPECT_FALSE(QFile::exists(folder.filePath("out.dpv"))) << c.line;
  }
}

// Started from a plain terminal, with no display at all.
TEST_F(CommandLineChecks, WithoutADisplayAWrongOptionOrTheWindowIsToldNotAborted) {
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  for (const char *name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"}) env.remove(QString::fromLatin1(name));
  const ProgramRun bogus = runDpv({"--bogus"}, env);
  ASSERT_TRUE(bogus.finished);
  EXPECT_EQ(bogus.exitCode, 1) << bogus.output.toStdString();
  EXPECT_TRUE(bogus.output.contains("bogus")) << bogus.output.toStdString();

  const ProgramRun window = runDpv({"--folder", folder.path()}, env);
  ASSERT_TRUE(window.finished);
  EXPECT_EQ(window.exitCode, 1) << window.output.toStdString();
  EXPECT_TRUE(window.output.contains("no display")) << window.output.toStdString();

  const ProgramRun form = runDpv({"--export-text", in, folder.filePath("out.txt")}, env);
  EXPECT_EQ(form.exitCode, 0) << form.output.toStdString();
}

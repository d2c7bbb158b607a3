// SIGTERM, SIGINT and SIGHUP end the program in order: the window as a close
// does (settings and calibration written), --measure with the cell off.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>

#include "core/ini_file.h"
#include "dpv_program.h"
#include "qstring_print.h"

namespace {

// True once the process has a handler for `signal` (it is then ready for it).
bool catches(qint64 pid, int signal) {
  QFile status(QStringLiteral("/proc/%1/status").arg(pid));
  if (!status.open(QIODevice::ReadOnly)) return false;
  for (const QByteArray &line : status.readAll().split('\n'))
    if (line.startsWith("SigCgt:")) return (line.mid(7).trimmed().toULongLong(nullptr, 16) >> (signal - 1)) & 1;
  return false;
}

struct Child {
  QProcess process;
  QByteArray output;

  ~Child() {
    if (process.state() != QProcess::NotRunning) {
      process.kill();
      process.waitForFinished();
    }
  }

  bool start(const QStringList &arguments, int readySignal) {
    process.setProcessEnvironment(dpvEnvironment());
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(dpvProgram(), arguments);
    if (!process.waitForStarted()) return false;
    return QTest::qWaitFor([&] { return catches(process.processId(), readySignal); }, 20000);
  }
  bool waitForOutput(const QByteArray &text) {
    return QTest::qWaitFor(
               [&] {
                 output += process.readAll();
                 return output.contains(text) || process.state() == QProcess::NotRunning;
               },
               60000) &&
           output.contains(text);
  }
  bool end(int signal) {
    signalChild(process, signal);
    const bool ended = process.waitForFinished(30000);
    output += process.readAll();
    return ended;
  }
};

}  // namespace

TEST(TerminationSignal, TheWindowWritesItsSettingsAndEnds) {
  for (const int signal : {SIGTERM, SIGINT, SIGHUP}) {
    QTemporaryDir folder;
    IniFile settings(folder.filePath("marelt.ini"));
    settings.writeString("Setup", "C min", "-33");
    ASSERT_TRUE(settings.save());
    Child child;
    // A file that cannot be opened puts an error box up, which nobody answers.
    ASSERT_TRUE(child.start({"--folder", folder.path(), "--port", "sim-fast", folder.filePath("missing.dpv")}, signal));
    QTest::qWait(300);
    ASSERT_TRUE(child.end(signal)) << signal;
    EXPECT_EQ(child.process.exitStatus(), QProcess::NormalExit) << signal;
    EXPECT_EQ(child.process.exitCode(), 128 + signal) << child.output.toStdString();
    EXPECT_TRUE(child.output.contains("missing.dpv")) << child.output.toStdString();  // the box's text
    const IniFile written(folder.filePath("marelt.ini"));
    EXPECT_EQ(written.readString("Setup", "C min", ""), "-33");
    EXPECT_TRUE(written.hasKey("Setup", "Selected device")) << signal;
    EXPECT_TRUE(written.hasKey("Page setup", "Font size")) << signal;
    EXPECT_EQ(IniFile(folder.filePath("gwr305.cal")).sectionKeys("Calibration").size(), 32) << signal;
  }
}

TEST(TerminationSignal, MeasureSwitchesTheCellOffAndWritesNothing) {
  QTemporaryDir folder;
  QFile params(folder.filePath("params.dpv"));
  ASSERT_TRUE(params.open(QIODevice::WriteOnly));
  params.write("[Setup]\r\nP start=-500\r\nP end=500\r\nSweep speed=10\r\nPulse period=50\r\n[Info]\r\n[Data]\r\n");
  params.close();
  const QString out = folder.filePath("out.dpv");
  Child child;
  // The simulated instrument in real time: the sweep takes 100 s.
  ASSERT_TRUE(child.start({"--folder", folder.path(), "--port", "sim", "--measure", params.fileName(), out}, SIGTERM));
  ASSERT_TRUE(child.waitForOutput("measuring 2000 points")) << child.output.toStdString();
  ASSERT_TRUE(child.end(SIGTERM));
  EXPECT_EQ(child.process.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(child.process.exitCode(), 128 + SIGTERM) << child.output.toStdString();
  EXPECT_TRUE(child.output.contains("SIGTERM: measurement stopped, cell switched off")) << child.output.toStdString();
  EXPECT_FALSE(QFile::exists(out));
}

// A file named on the command line opens at start, given as a path relative
// to the current folder or as a file: URL, as file managers pass it.
#include <gtest/gtest.h>
#include <QDir>
#include <QTemporaryDir>
#include <QUrl>

#include "qstring_print.h"

#include "app/command_line.h"
#include "app/ui/program_windows.h"
#include "app/ui/sdimain.h"
#include "core/app_paths.h"
#include "files/files_test_support.h"
#include "instrument/port_backend.h"

namespace {

const QByteArray kMeasurement =
    "[Setup]\r\nDate time=today\r\nC min=-10\r\nC max=90\r\nC units=uA\r\nDamping=0\r\nDamping units=%\r\n"
    "P start=-200\r\nP end=400\r\nSweep speed=10\r\nPulse amplitude=50\r\nPulse period=50\r\n"
    "Data accumulation=10\r\nPreelectrolysis time=0\r\nPreelectrolysis potential=0\r\n[Info]\r\nopened\r\n"
    "[Data]\r\n1.5000\r\n2.5000\r\n3.5000\r\n";

class OpenAtStart : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(settings_.isValid());
    ASSERT_TRUE(work_.isValid());
    setProgramFolder(settings_.path());
    QString error;
    ASSERT_TRUE(selectPortBackend("sim-fast", QString(), &error)) << error.toStdString();
    previous_ = QDir::currentPath();
    ASSERT_TRUE(QDir().mkpath(work_.path() + "/sub dir"));
    writeBytes(work_.path() + "/sub dir/a b%.dpv", kMeasurement);
    ASSERT_TRUE(QDir::setCurrent(work_.path()));
  }
  void TearDown() override {
    QDir::setCurrent(previous_);
    setProgramFolder(QString());
  }

  // What main() does with the arguments: parse them, open the file.
  void start(TSDIAppForm &w, const QString &argument) {
    const CommandLine cl = parseCommandLine({"dpv", argument}, QString());
    ASSERT_EQ(cl.mode, CommandLine::Mode::Gui);
    w.openAtStart(cl.input);
  }
  void expectOpened(const TSDIAppForm &w) {
    EXPECT_EQ(w.record().document.dataFileName, expected());
    EXPECT_EQ(w.windowTitle(), "Differential pulse voltammetry [a b%.dpv]");
    EXPECT_EQ(w.record().document.pointIndex, 2);
    EXPECT_EQ(w.record().texts.potEnd, "400");
  }
  QString expected() const { return work_.path() + "/sub dir/a b%.dpv"; }

  QTemporaryDir settings_, work_;
  QString previous_;
};

}  // namespace

TEST_F(OpenAtStart, ArgumentsBecomeAbsolutePaths) {
  EXPECT_EQ(localFileArgument("sub dir/a b%.dpv"), expected());
  EXPECT_EQ(localFileArgument("./sub dir/../sub dir/a b%.dpv"), expected());
  EXPECT_EQ(localFileArgument(expected()), expected());
  EXPECT_EQ(localFileArgument(QUrl::fromLocalFile(expected()).toString(QUrl::FullyEncoded)), expected());
  EXPECT_EQ(localFileArgument("file://" + work_.path() + "/sub%20dir/a%20b%25.dpv"), expected());
  EXPECT_EQ(localFileArgument("FILE://" + work_.path() + "/sub%20dir/a%20b%25.dpv"), expected());
  // A file: URL without a host is relative to the current folder too.
  EXPECT_EQ(localFileArgument("file:name.dpv"), work_.path() + "/name.dpv");
}

TEST_F(OpenAtStart, ARelativePathOpens) {
  ProgramWindows windows;
  TSDIAppForm &w = windows.mainWindow();
  start(w, "sub dir/a b%.dpv");
  expectOpened(w);
}

TEST_F(OpenAtStart, AFileUrlOpens) {
  ProgramWindows windows;
  TSDIAppForm &w = windows.mainWindow();
  start(w, QUrl::fromLocalFile(expected()).toString(QUrl::FullyEncoded));
  expectOpened(w);
}

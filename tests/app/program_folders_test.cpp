// Where the settings, calibration and shipped files live: a portable copy
// keeps them beside the program, an installed one in the user's config folder.
#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>

#include "qstring_print.h"

#include "app/ui/program_windows.h"
#include "app/ui/sdimain.h"
#include "core/app_paths.h"
#include "instrument/port_backend.h"

namespace {

class ProgramFolderChoice : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(root_.isValid());
    ASSERT_TRUE(QDir().mkpath(bin()));
  }
  QString bin() const { return root_.path() + "/usr/bin"; }
  ProgramFolders installed(const QString &folderOption, const QString &xdg) const {
    return chooseProgramFolders(FileLayout::Installed, bin(), folderOption, xdg, "/home/u");
  }

  QTemporaryDir root_;
};

// Sets an environment variable for one test and puts the old value back.
class ScopedEnv {
 public:
  ScopedEnv(const char *name, const QByteArray *value) : name_(name), had_(qEnvironmentVariableIsSet(name)) {
    old_ = qgetenv(name);
    if (value)
      qputenv(name, *value);
    else
      qunsetenv(name);
  }
  ~ScopedEnv() {
    if (had_)
      qputenv(name_, old_);
    else
      qunsetenv(name_);
  }

 private:
  const char *name_;
  bool had_;
  QByteArray old_;
};

}  // namespace

TEST_F(ProgramFolderChoice, APortableCopyKeepsEverythingBesideTheProgram) {
  const ProgramFolders f = chooseProgramFolders(FileLayout::Portable, bin(), QString(), "/xdg", "/home/u");
  EXPECT_EQ(f.user, bin() + "/");
  EXPECT_EQ(f.shipped, bin() + "/");
  EXPECT_FALSE(f.createUser);

  // --folder moves the user's files only.
  const ProgramFolders g = chooseProgramFolders(FileLayout::Portable, bin(), "/data/lab/", "/xdg", "/home/u");
  EXPECT_EQ(g.user, "/data/lab/");
  EXPECT_EQ(g.shipped, bin() + "/");
}

TEST_F(ProgramFolderChoice, AnInstalledCopyUsesTheConfigFolderAndShareDpv) {
  const ProgramFolders f = installed(QString(), "/xdg/config");
  EXPECT_EQ(f.user, "/xdg/config/dpv/");
  EXPECT_TRUE(f.createUser);
  EXPECT_EQ(f.shipped, root_.path() + "/usr/share/dpv/");

  // Unset, empty or relative XDG_CONFIG_HOME: ~/.config.
  EXPECT_EQ(installed(QString(), QString()).user, "/home/u/.config/dpv/");
  EXPECT_EQ(installed(QString(), "config").user, "/home/u/.config/dpv/");

  // --folder wins, and is not created (a mistyped folder is reported on saving).
  const ProgramFolders g = installed("/data/lab", "/xdg/config");
  EXPECT_EQ(g.user, "/data/lab/");
  EXPECT_FALSE(g.createUser);
  EXPECT_EQ(g.shipped, root_.path() + "/usr/share/dpv/");
}

TEST_F(ProgramFolderChoice, AMareltIniBesideAnInstalledProgramMakesItPortable) {
  QFile ini(bin() + "/marelt.ini");
  ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
  ini.close();
  const ProgramFolders f = installed(QString(), "/xdg/config");
  EXPECT_EQ(f.user, bin() + "/");
  EXPECT_FALSE(f.createUser);
  // The files the package ships stay where the package put them.
  EXPECT_EQ(f.shipped, root_.path() + "/usr/share/dpv/");
  // --folder still wins.
  EXPECT_EQ(installed("/data/lab", QString()).user, "/data/lab/");
}

TEST(InstalledProgram, SettingsAndCalibrationLandInTheConfigFolderItCreates) {
  QTemporaryDir config;
  ASSERT_TRUE(config.isValid());
  const QByteArray xdg = config.path().toLocal8Bit() + "/nested";
  const ScopedEnv env("XDG_CONFIG_HOME", &xdg);
  QString error;
  ASSERT_TRUE(selectPortBackend("sim-fast", QString(), &error)) << error.toStdString();
  setProgramFolder(QString());
  setFileLayout(FileLayout::Installed);
  const QString folder = config.path() + "/nested/dpv/";
  EXPECT_EQ(programFolder(), folder);
  EXPECT_TRUE(QDir(folder).exists());
  EXPECT_EQ(shippedFile("marelt.hlp"),
            QDir::cleanPath(QCoreApplication::applicationDirPath() + "/../share/dpv/marelt.hlp"));
  {
    ProgramWindows windows;
    TSDIAppForm &w = windows.mainWindow();
    w.PotEndEdit->setText("300");
    w.close();
  }
  setFileLayout(FileLayout::Portable);
  EXPECT_TRUE(QFile::exists(folder + "marelt.ini"));
  EXPECT_TRUE(QFile::exists(folder + "gwr305.cal"));
  EXPECT_FALSE(QFile::exists(QCoreApplication::applicationDirPath() + "/marelt.ini"));
  QFile ini(folder + "marelt.ini");
  ASSERT_TRUE(ini.open(QIODevice::ReadOnly));
  EXPECT_TRUE(ini.readAll().contains("P end=300"));
}

// Help > Help index finds a help file with any program folder, and captions
// reach the window system exactly as the windows set them.
#include <gtest/gtest.h>
#include <QAction>
#include <QCoreApplication>
#include <QFile>
#include <QGuiApplication>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <QWindow>

#include "qstring_print.h"

#include "app/application_identity.h"
#include "app/ui/help_window.h"
#include "app/ui/program_windows.h"
#include "app/ui/sdimain.h"
#include "core/app_paths.h"
#include "files/files_test_support.h"
#include "instrument/port_backend.h"

#include "program_folder_test.h"

namespace {

class MainWindowHelp : public ProgramFolderTest {
 protected:
  void SetUp() override {
    ProgramFolderTest::SetUp();
    // The help the build puts beside the program, here beside the test.
    shipped_ = shippedFile("marelt.hlp");
    if (!QFile::exists(shipped_)) {
      ASSERT_TRUE(QFile::copy(QString(DPV_HELP_FILE), shipped_));
      placed_ = true;
    }
  }
  void TearDown() override {
    if (placed_) QFile::remove(shipped_);
    ProgramFolderTest::TearDown();
  }

  // Help > Help index; the text shown, or the message of the box that came instead.
  QString helpShown(TSDIAppForm &w) {
    QString message;
    QTimer watch;  // a message box instead of the help is noted and closed
    watch.setInterval(10);
    QObject::connect(&watch, &QTimer::timeout, [&message] {
      if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
        message = "message: " + box->text();
        box->accept();
      }
    });
    watch.start();
    w.Helpindex1->trigger();
    QTest::qWait(50);
    watch.stop();
    auto *help = w.findChild<HelpWindow *>();
    if (!message.isEmpty() || !help || !help->isVisible()) return message;
    help->hide();
    return help->findChild<QTextBrowser *>()->toPlainText();
  }

  QString shipped_;
  bool placed_ = false;
};

}  // namespace

TEST_F(MainWindowHelp, AFolderWithoutHelpShowsTheHelpShippedWithTheProgram) {
  ProgramWindows windows;
  TSDIAppForm &w = windows.mainWindow();
  w.show();
  const QString shown = helpShown(w);
  EXPECT_TRUE(shown.contains("Differential pulse voltammetry")) << shown.toStdString();
  EXPECT_FALSE(shown.startsWith("message: ")) << shown.toStdString();

  // The folder's own help file comes first.
  writeBytes(folder_.filePath("marelt.hlp"), "<html><body><p>Help of this folder</p></body></html>");
  EXPECT_EQ(helpShown(w), "Help of this folder");
}

TEST(Captions, TheWindowSystemGetsEachCaptionWithoutTheProgramsName) {
  const QString name = QCoreApplication::applicationName();
  setApplicationIdentity();
  // With no display name of its own the application adds nothing to the
  // captions; its display name then follows the application name.
  QCoreApplication::setApplicationName("probe");
  EXPECT_EQ(QGuiApplication::applicationDisplayName(), "probe");
  QCoreApplication::setApplicationName(name);

  QTemporaryDir folder;
  setProgramFolder(folder.path());
  {
    ProgramWindows windows;
    TSDIAppForm &w = windows.mainWindow();
    w.show();
    QString title, platformTitle;
    answerModal<QDialog>([&](QDialog *about) {
      title = about->windowTitle();
      platformTitle = about->windowHandle()->title();
      about->accept();
    });
    w.HelpAbout1->trigger();
    EXPECT_EQ(title, "About");
    EXPECT_EQ(platformTitle, "About");
    EXPECT_EQ(w.windowHandle()->title(), "Differential pulse voltammetry");
  }
  setProgramFolder(QString());
}

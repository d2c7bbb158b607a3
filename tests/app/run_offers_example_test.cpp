// Run on the factory settings (start equal to end) offers the example
// parameters; opening them makes the next Run measure.
#include <gtest/gtest.h>
#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include "qstring_print.h"

#include "app/ui/program_windows.h"
#include "app/ui/sdimain.h"
#include "core/app_paths.h"
#include "instrument/port_backend.h"
#include "modal_answer.h"

#include "program_folder_test.h"

namespace {

struct BoxSeen {
  QString text;
  QStringList buttons;
};

// Answers the next message box by the button with this text, noting what it showed.
std::shared_ptr<bool> answerByButton(const QString &buttonText, BoxSeen *seen) {
  return answerModal<QWidget>([=](QWidget *w) {
    auto *box = qobject_cast<QMessageBox *>(w);
    if (!box) {
      if (auto *dialog = qobject_cast<QDialog *>(w)) dialog->reject();
      return;
    }
    seen->text = box->text();
    QAbstractButton *chosen = nullptr;
    for (QAbstractButton *b : box->buttons()) {
      seen->buttons << b->text().remove('&');
      if (b->text().remove('&') == buttonText) chosen = b;
    }
    seen->buttons.sort();
    if (chosen)
      chosen->click();
    else
      box->buttons().constFirst()->click();
  });
}

// The installed layout with the settings in a fresh folder, and the examples
// where the package puts them (../share/dpv/examples beside the program).
class RunOnFactorySettings : public ProgramFolderTest {
 protected:
  void SetUp() override {
    setFileLayout(FileLayout::Installed);
    ProgramFolderTest::SetUp();
    const QString example = shippedFile("examples/first-sweep.dpv");
    ASSERT_TRUE(QDir().mkpath(QFileInfo(example).absolutePath()));
    if (!QFile::exists(example)) {
      ASSERT_TRUE(QFile::copy(QString(DPV_EXAMPLES_DIR) + "/first-sweep.dpv", example));
    }
  }
  void TearDown() override {
    ProgramFolderTest::TearDown();
    setFileLayout(FileLayout::Portable);
  }
};

}  // namespace

TEST_F(RunOnFactorySettings, OpenExampleLoadsTheParametersAndTheNextRunMeasures) {
  ProgramWindows windows;
  TSDIAppForm &w = windows.mainWindow();
  w.show();
  BoxSeen seen;
  auto answered = answerByButton("Open example", &seen);
  w.Run1->trigger();
  ASSERT_TRUE(*answered);
  EXPECT_TRUE(seen.text.startsWith("The measurement cannot start.\n")) << seen.text.toStdString();
  EXPECT_TRUE(seen.text.contains("Open the example parameters?")) << seen.text.toStdString();
  EXPECT_EQ(seen.buttons, QStringList({"Close", "Open example"}));
  // Opened as File > Open opens a file; nothing measured yet.
  EXPECT_EQ(w.PotStartEdit->text(), "-200");
  EXPECT_EQ(w.PotEndEdit->text(), "400");
  EXPECT_EQ(w.record().params.pulseNumber, 1200);
  EXPECT_EQ(w.windowTitle(), "Differential pulse voltammetry [first-sweep.dpv]");
  EXPECT_EQ(w.record().document.dataFileName, shippedFile("examples/first-sweep.dpv"));
  EXPECT_TRUE(w.Run1->isEnabled());

  // In real time, so the run is seen going on.
  QString error;
  ASSERT_TRUE(selectPortBackend("sim", QString(), &error)) << error.toStdString();
  w.Run1->trigger();
  EXPECT_TRUE(w.Stop1->isEnabled());
  ASSERT_TRUE(QTest::qWaitFor([&] { return w.record().document.pointIndex > 5; }));
  w.Stop1->trigger();
  EXPECT_TRUE(w.Run1->isEnabled());
  // The run belongs to no file: Save asks for a name and never writes the example.
  EXPECT_TRUE(w.record().document.dataFileName.isEmpty());
}

TEST_F(RunOnFactorySettings, CloseLeavesTheSettingsAsTheyWere) {
  ProgramWindows windows;
  TSDIAppForm &w = windows.mainWindow();
  BoxSeen seen;
  auto answered = answerByButton("Close", &seen);
  w.Run1->trigger();
  ASSERT_TRUE(*answered);
  EXPECT_EQ(w.PotStartEdit->text(), "0");
  EXPECT_EQ(w.PotEndEdit->text(), "0");
  EXPECT_EQ(w.windowTitle(), "Differential pulse voltammetry");
  EXPECT_TRUE(w.Run1->isEnabled());
}

TEST_F(RunOnFactorySettings, OtherProblemsOfferNoExample) {
  ProgramWindows windows;
  TSDIAppForm &w = windows.mainWindow();
  w.PotStartEdit->setText("-200");
  w.PotEndEdit->setText("400");
  w.PulsePeriodEdit->setText("0");
  BoxSeen seen;
  auto answered = answerByButton("OK", &seen);
  w.Run1->trigger();
  ASSERT_TRUE(*answered);
  EXPECT_EQ(seen.text, "The measurement cannot start.\nThe pulse period must be above 0 ms, not \"0\".");
  EXPECT_EQ(seen.buttons, QStringList({"OK"}));
}

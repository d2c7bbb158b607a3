// Every command of the main window, reached as a user reaches it: each menu
// item and each tool button, with every window it opens answered.
#include <gtest/gtest.h>
#include <QAction>
#include <QDialog>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

#include "qstring_print.h"

#include "app/ui/program_windows.h"
#include "app/ui/sdimain.h"
#include "core/app_paths.h"
#include "instrument/port_backend.h"

namespace {

// While it lives, answers every modal window as a cautious user does: a
// message box with No (or Cancel, or its only button), any other dialog,
// file dialogs included, with Cancel. Remembers the captions it answered.
class ModalAnswers {
 public:
  ModalAnswers() {
    timer_.setInterval(10);
    QObject::connect(&timer_, &QTimer::timeout, [this] { answer(); });
    timer_.start();
  }

  // The captions answered since the last call.
  QStringList take() {
    QStringList seen;
    seen.swap(seen_);
    return seen;
  }

 private:
  void answer() {
    QWidget *modal = QApplication::activeModalWidget();
    if (!modal || !modal->isVisible()) return;
    seen_ << modal->windowTitle();
    if (auto *box = qobject_cast<QMessageBox *>(modal)) {
      for (auto button : {QMessageBox::No, QMessageBox::Cancel, QMessageBox::Ok, QMessageBox::Close})
        if (QAbstractButton *b = box->button(button)) return b->click();
      return box->reject();
    }
    if (auto *dialog = qobject_cast<QDialog *>(modal)) return dialog->reject();
    modal->close();
  }

  QTimer timer_;
  QStringList seen_;
};

QString withoutAmpersand(QString text) { return text.remove(QLatin1Char('&')); }

}  // namespace

TEST(MainWindowCommands, EveryMenuItemAndToolButtonRunsAndTheProgramGoesOn) {
  QTemporaryDir folder;
  ASSERT_TRUE(folder.isValid());
  setProgramFolder(folder.path());
  QFile::copy(QString(DPV_HELP_FILE), folder.filePath("marelt.hlp"));
  QString error;
  ASSERT_TRUE(selectPortBackend("sim-fast", QString(), &error)) << error.toStdString();
  {
    ProgramWindows windows;
    TSDIAppForm &w = windows.mainWindow();
    // A short sweep, so Run starts a real measurement that Stop ends.
    w.PotStartEdit->setText("-200");
    w.PotEndEdit->setText("400");
    w.SweepEdit->setText("600");
    w.show();
    ASSERT_TRUE(QTest::qWaitFor([&] { return w.record().params.pulseNumber == 20; }));

    ModalAnswers answers;
    QStringList log;
    auto note = [&](const QString &where) {
      QTest::qWait(30);  // an answer that comes late still counts for this command
      log << where + ": " + answers.take().join(", ");
      ASSERT_TRUE(w.isVisible()) << where.toStdString();
    };
    const QList<QAction *> menus = w.menuBar()->actions();
    for (QAction *menuAction : menus)
      for (QAction *item : menuAction->menu()->actions()) {
        if (item->isSeparator() || item == w.FileExit1) continue;
        item->trigger();
        note(withoutAmpersand(menuAction->text()) + "/" + withoutAmpersand(item->text()));
      }
    auto *tools = w.findChild<QToolBar *>();
    ASSERT_NE(tools, nullptr);
    for (QAction *action : tools->actions()) {
      auto *button = qobject_cast<QToolButton *>(tools->widgetForAction(action));
      if (action->isSeparator() || !button) continue;
      button->click();
      note("Tools/" + withoutAmpersand(button->defaultAction()->text()));
    }

    const QString question = "Differential pulse voltammetry";  // caption of "Data not saved. Save?"
    const QStringList expected = {
        "File/New: ",
        "File/Open: Open",
        "File/Save: Save As",
        "File/Save As...: Save As",
        "File/Add reference curve...: Add reference curve",
        "File/Remove reference curves: ",
        "File/Printer setup: Printer setup",
        "File/Print: Print report",
        "Edit/Cut: ",
        "Edit/Copy: ",
        "Edit/Paste: ",
        "Edit/View data text: View data text",
        "Work/Run: " + question,
        "Work/Stop: ",
        "Work/Peak analysis: ",
        "Work/Quantitation: Quantitation",
        "Work/Subtract blank...: " + question + ", Subtract blank",
        "Setup/Graph setup: Graph colors",
        "Setup/Device setup: Measurement device test",
        "Setup/Potentiostat calibration: Hardware calibration",
        "Setup/Potential meter calibration: Potential meter calibration",
        "Help/Help index: ",
        "Help/About...: About",
        "Tools/New: " + question,
        "Tools/Open: Open",
        "Tools/Save: Save As",
        "Tools/Cut: ",
        "Tools/Copy: ",
        "Tools/Paste: ",
        "Tools/Print: Print report",
        "Tools/View data text: View data text",
        "Tools/Peak analysis: ",
        "Tools/Open-circuit potential: Electrode potential in open circuit",
        "Tools/Run: " + question,
        "Tools/Stop: ",
    };
    EXPECT_EQ(log, expected);

    // Exit asks about the unsaved run, then ends the program.
    w.FileExit1->trigger();
    QTest::qWait(30);
    EXPECT_EQ(answers.take(), QStringList{question});
    EXPECT_FALSE(w.isVisible());
    EXPECT_TRUE(QFile::exists(folder.filePath("marelt.ini")));
  }
  setProgramFolder(QString());
}

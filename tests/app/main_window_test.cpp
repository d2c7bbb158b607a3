#include <gtest/gtest.h>
#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>

#include "qstring_print.h"

#include "app/ui/program_windows.h"
#include "app/ui/sdimain.h"
#include "core/app_paths.h"
#include "core/ini_file.h"
#include "graph/ui/graph_view.h"
#include "instrument/port_backend.h"
#include "instrument/ui/devices.h"
#include "modal_answer.h"

#include "program_folder_test.h"

namespace {

class MainWindowTest : public ProgramFolderTest {
 protected:
  QString iniPath() const { return folder_.filePath("marelt.ini"); }
};

// Closes the main window, answering the settings error box if one comes.
void closeMain(TSDIAppForm &main) { main.close(); }

}  // namespace

TEST_F(MainWindowTest, StartsWithDefaultsWithoutSettingsFile) {
  ProgramWindows windows;
  TSDIAppForm &w = windows.mainWindow();
  EXPECT_EQ(w.windowTitle(), "Differential pulse voltammetry");
  EXPECT_EQ(w.CurrMinEdit->text(), "-100");
  EXPECT_EQ(w.CurrMaxEdit->text(), "100");
  EXPECT_EQ(w.CurrUnitBox->currentText(), "uA");
  EXPECT_EQ(w.DampingEdit->text(), "0");
  EXPECT_EQ(w.DampingBox->currentText(), "%");
  EXPECT_EQ(w.PotStartEdit->text(), "0");
  EXPECT_EQ(w.PotEndEdit->text(), "0");
  EXPECT_EQ(w.SweepEdit->text(), "10");
  EXPECT_EQ(w.PulseAmplitudeEdit->text(), "50");
  EXPECT_EQ(w.PulsePeriodEdit->text(), "50");
  EXPECT_EQ(w.DataAccumulationEdit->text(), "10");
  EXPECT_EQ(w.PreTimeEdit->text(), "0");
  EXPECT_EQ(w.PrePotEdit->text(), "0");
  EXPECT_EQ(w.Electrodes->value(), 2);
  EXPECT_TRUE(w.Memo1->toPlainText().isEmpty());
  EXPECT_EQ(w.PulseNrInfo->text(), "Pulse number: 0");
  EXPECT_TRUE(w.record().document.dataSaved);
  EXPECT_FALSE(w.Stop1->isEnabled());
  EXPECT_EQ(Device->selectedDeviceIndex(), 0);
  // The record agrees with the controls, so a sync keeps them as they are.
  w.graph->PaintBox2DblClick();
  w.syncFromRecord();
  EXPECT_EQ(w.DampingBox->currentText(), "%");
  EXPECT_EQ(w.CurrUnitBox->currentText(), "uA");
}

TEST_F(MainWindowTest, ParametersAndDescriptionComeBackAfterRestart) {
  {
    ProgramWindows windows;
    TSDIAppForm &w = windows.mainWindow();
    QSignalSpy drawn(w.graph, &GraphView::graphDrawn);
    w.PotStartEdit->setText("-500");
    w.PotEndEdit->setText("500");
    w.CurrUnitBox->setCurrentIndex(1);
    w.DampingBox->setCurrentIndex(1);
    w.SweepEdit->setText("20");
    w.PreTimeEdit->setText("15");
    w.Electrodes->setValue(3);
    w.Memo1->setPlainText("Cd(II) 1e-5 M\n\nKCl = 0.1 M\n[buffer]");
    Device->selectDevice(2);
    // The range reaches the parameters with the graph's redraw.
    ASSERT_TRUE(QTest::qWaitFor([&] { return drawn.count() > 0; }));
    EXPECT_EQ(w.PulseNrInfo->text(), "Pulse number: 1000");
    closeMain(w);
  }
  ProgramWindows windows;
  TSDIAppForm &w = windows.mainWindow();
  EXPECT_EQ(w.PotStartEdit->text(), "-500");
  EXPECT_EQ(w.PotEndEdit->text(), "500");
  EXPECT_EQ(w.CurrUnitBox->currentText(), "nA");
  EXPECT_EQ(w.DampingBox->currentText(), "ms");
  EXPECT_EQ(w.SweepEdit->text(), "20");
  EXPECT_EQ(w.PreTimeEdit->text(), "15");
  EXPECT_EQ(w.Electrodes->value(), 3);
  EXPECT_EQ(w.Memo1->toPlainText(), "Cd(II) 1e-5 M\n\nKCl = 0.1 M\n[buffer]");
  EXPECT_EQ(w.PulseNrInfo->text(), "Pulse number: 1000");
  EXPECT_EQ(Device->selectedDeviceIndex(), 2);
  EXPECT_EQ(w.Electrodes->maximum(), 4);
}

TEST_F(MainWindowTest, AnotherModelKeepsAnElectrodeCountItDoesNotOffer) {
  ProgramWindows windows;
  TSDIAppForm &w = windows.mainWindow();
  Device->selectDevice(2);
  w.Electrodes->setValue(4);
  Device->selectDevice(0);
  EXPECT_EQ(w.Electrodes->value(), 4);
  w.Electrodes->setValue(3);
  EXPECT_EQ(w.Electrodes->maximum(), 3);
  Device->selectDevice(2);
  EXPECT_EQ(w.Electrodes->maximum(), 4);
}

TEST_F(MainWindowTest, ChangesToAxisControlsWithin100msGiveOneRedraw) {
  ProgramWindows windows;
  TSDIAppForm &w = windows.mainWindow();
  QSignalSpy drawn(w.graph, &GraphView::graphDrawn);
  w.PotStartEdit->setText("-100");
  w.PotEndEdit->setText("300");
  w.CurrMinEdit->setText("-5");
  w.CurrMaxEdit->setText("5");
  w.CurrUnitBox->setCurrentIndex(3);
  ASSERT_TRUE(QTest::qWaitFor([&] { return drawn.count() > 0; }));
  QTest::qWait(150);
  EXPECT_EQ(drawn.count(), 1);
  EXPECT_EQ(w.PulseNrInfo->text(), "Pulse number: 800");
}

TEST_F(MainWindowTest, NewMarksTheRecordUnsavedAndAsks) {
  ProgramWindows windows;
  TSDIAppForm &w = windows.mainWindow();
  w.FileNew1Execute();  // saved at start: no question
  EXPECT_FALSE(w.record().document.dataSaved);
  QString text;
  auto asked = answerMessageBox(QMessageBox::Cancel, &text);
  w.FileNew1Execute();
  EXPECT_TRUE(*asked);
  EXPECT_EQ(text, "Data not saved. Save?");
  asked = answerMessageBox(QMessageBox::No);
  w.FileNew1Execute();
  EXPECT_TRUE(*asked);
  EXPECT_EQ(w.RunTimeInfo->text(), "Run time:");
}

TEST_F(MainWindowTest, ClosingWithUnsavedDataAsksAndCancelKeepsTheWindow) {
  ProgramWindows windows;
  TSDIAppForm &w = windows.mainWindow();
  w.show();
  w.FileNew1Execute();
  auto asked = answerMessageBox(QMessageBox::Cancel);
  EXPECT_FALSE(w.close());
  EXPECT_TRUE(*asked);
  EXPECT_TRUE(w.isVisible());
  EXPECT_FALSE(QFile::exists(iniPath()));  // nothing written: the program goes on
  asked = answerMessageBox(QMessageBox::No);
  EXPECT_TRUE(w.close());
  EXPECT_TRUE(QFile::exists(iniPath()));
}

TEST_F(MainWindowTest, SaveCancelledAtTheQuestionKeepsTheData) {
  ProgramWindows windows;
  TSDIAppForm &w = windows.mainWindow();
  w.FileNew1Execute();
  // Yes opens the save dialog; cancelling it must not let New go on.
  answerModal<QWidget>([](QWidget *box) {
    qobject_cast<QMessageBox *>(box)->button(QMessageBox::Yes)->click();
    answerModal<QWidget>([](QWidget *dialog) { qobject_cast<QDialog *>(dialog)->reject(); });
  });
  w.record().document.pointIndex = 5;
  w.FileNew1Execute();
  EXPECT_EQ(w.record().document.pointIndex, 5);
}

TEST_F(MainWindowTest, ClosingWhileZoomedStoresThePreZoomCurrentAxis) {
  ProgramWindows windows;
  TSDIAppForm &w = windows.mainWindow();
  w.CurrMinEdit->setText("-10");
  w.CurrMaxEdit->setText("50");
  MeasurementRecord &r = w.record();
  r.view.beforeZoom = AxisTexts{{}, {}, r.texts.currMin, r.texts.currMax};
  w.CurrMinEdit->setText("1.5");
  w.CurrMaxEdit->setText("2.5");
  w.PotStartEdit->setText("100");
  closeMain(w);
  const IniFile ini(iniPath());
  EXPECT_EQ(ini.readString("Setup", "C min", ""), "-10");
  EXPECT_EQ(ini.readString("Setup", "C max", ""), "50");
  EXPECT_EQ(ini.readString("Setup", "P start", ""), "100");
}

TEST_F(MainWindowTest, SettingsThatCannotBeWrittenAreReportedAndTheProgramEnds) {
  QDir(folder_.path()).mkdir("marelt.ini");  // a folder where the file should go
  ProgramWindows windows;
  TSDIAppForm &w = windows.mainWindow();
  w.show();
  QString text;
  auto shown = answerMessageBox(QMessageBox::Ok, &text);
  EXPECT_TRUE(w.close());
  EXPECT_TRUE(*shown);
  EXPECT_EQ(text, "Unable to write to " + QDir::toNativeSeparators(iniPath()) + ": Filename refers to a directory");
}

TEST_F(MainWindowTest, RunOnTheSimulatedInstrumentEndsByItself) {
  // In real time, so the run is seen going on.
  QString error;
  ASSERT_TRUE(selectPortBackend("sim", QString(), &error)) << error.toStdString();
  ProgramWindows windows;
  TSDIAppForm &w = windows.mainWindow();
  QSignalSpy drawn(w.graph, &GraphView::graphDrawn);
  w.CurrMinEdit->setText("-20");
  w.CurrMaxEdit->setText("100");
  w.PotStartEdit->setText("-200");
  w.PotEndEdit->setText("400");
  w.SweepEdit->setText("600");
  w.show();
  ASSERT_TRUE(QTest::qWaitFor([&] { return drawn.count() > 0; }));
  EXPECT_EQ(w.record().params.pulseNumber, 20);
  w.Run1->trigger();
  EXPECT_FALSE(w.Run1->isEnabled());
  EXPECT_TRUE(w.Stop1->isEnabled());
  EXPECT_FALSE(w.Devicesetup1->isEnabled());
  EXPECT_FALSE(w.Calibration1->isEnabled());
  EXPECT_EQ(w.Panel5->text(), "Measuring");
  EXPECT_TRUE(w.RunTimeInfo->text().startsWith("Run time: "));
  ASSERT_TRUE(QTest::qWaitFor([&] { return w.Run1->isEnabled(); }, 20000));
  const MeasurementRecord &r = w.record();
  EXPECT_EQ(r.document.pointIndex, 19);
  EXPECT_EQ(r.runState, RunIdle);
  EXPECT_FALSE(r.document.dataSaved);
  EXPECT_TRUE(w.Panel5->text().isEmpty());
  EXPECT_TRUE(w.Devicesetup1->isEnabled());
  int withValue = 0;
  for (double v : r.document.points) withValue += v != 0;
  EXPECT_EQ(withValue, 20);
}

TEST_F(MainWindowTest, EscapeStopsARun) {
  // In real time, so the run is seen going on.
  QString error;
  ASSERT_TRUE(selectPortBackend("sim", QString(), &error)) << error.toStdString();
  ProgramWindows windows;
  TSDIAppForm &w = windows.mainWindow();
  QSignalSpy drawn(w.graph, &GraphView::graphDrawn);
  w.PotStartEdit->setText("-200");
  w.PotEndEdit->setText("400");
  w.show();
  ASSERT_TRUE(QTest::qWaitFor([&] { return drawn.count() > 0; }));
  EXPECT_EQ(w.record().params.pulseNumber, 1200);
  w.Run1->trigger();
  ASSERT_TRUE(w.Stop1->isEnabled());
  QTest::keyClick(&w, Qt::Key_Escape);
  EXPECT_TRUE(w.Run1->isEnabled());
  EXPECT_EQ(w.record().runState, RunIdle);
  EXPECT_LT(w.record().document.pointIndex, w.record().params.pulseNumber - 1);
}

TEST_F(MainWindowTest, RunRefusesASweepWithoutPoints) {
  ProgramWindows windows;
  TSDIAppForm &w = windows.mainWindow();
  QString text;
  auto shown = answerMessageBox(QMessageBox::Ok, &text);
  w.Run1->trigger();
  EXPECT_TRUE(*shown);
  EXPECT_TRUE(text.startsWith("The measurement cannot start."));
  EXPECT_TRUE(w.Run1->isEnabled());
  EXPECT_TRUE(w.record().document.dataSaved);
}

TEST_F(MainWindowTest, FailedDeviceTestShowsTheDeviceWindowAndRunDoesNotStart) {
  QString error;
  ASSERT_TRUE(selectPortBackend("none", QString(), &error));
  ProgramWindows windows;
  TSDIAppForm &w = windows.mainWindow();
  w.PotStartEdit->setText("-200");
  w.PotEndEdit->setText("400");
  QString title;
  auto shown = answerModal<QWidget>([&title](QWidget *dialog) {
    title = dialog->windowTitle();
    qobject_cast<QDialog *>(dialog)->reject();
  });
  w.Run1->trigger();
  EXPECT_TRUE(*shown);
  EXPECT_EQ(title, "Measurement device test");
  EXPECT_EQ(w.record().runState, RunIdle);
  EXPECT_TRUE(w.Run1->isEnabled());
}

TEST_F(MainWindowTest, InstrumentCommandsOpenTheirDialogsAfterTheCheck) {
  ProgramWindows windows;
  TSDIAppForm &w = windows.mainWindow();
  struct Case {
    QAction *action;
    const char *title;
  };
  for (const Case &c :
       {Case{w.SpeedButton2, "Electrode potential in open circuit"},
        Case{w.Potentialmetercalibration1, "Potential meter calibration"}, Case{w.Calibration1, "Hardware calibration"},
        Case{w.Devicesetup1, "Measurement device test"}}) {
    QString title;
    auto shown = answerModal<QWidget>([&title](QWidget *dialog) {
      title = dialog->windowTitle();
      qobject_cast<QDialog *>(dialog)->reject();
    });
    c.action->trigger();
    EXPECT_TRUE(*shown);
    EXPECT_EQ(title, c.title);
  }
}

// Saves pictures of the about box and the help window when DPV_SHOT_DIR names a folder.
TEST_F(MainWindowTest, Shots) {
  const QString shots = qEnvironmentVariable("DPV_SHOT_DIR");
  if (shots.isEmpty()) GTEST_SKIP() << "DPV_SHOT_DIR not set";
  QFile::copy(QString(DPV_HELP_FILE), folder_.filePath("marelt.hlp"));
  ProgramWindows windows;
  TSDIAppForm &w = windows.mainWindow();
  w.show();
  answerModal<QWidget>([&shots](QWidget *about) {
    about->grab().save(shots + "/about.png");
    qobject_cast<QDialog *>(about)->accept();
  });
  w.HelpAbout1->trigger();
  w.Helpindex1->trigger();
  QWidget *help = nullptr;
  for (QWidget *top : QApplication::topLevelWidgets())
    if (top->isVisible() && top->windowTitle().endsWith("Help")) help = top;
  ASSERT_NE(help, nullptr);
  QTest::qWait(200);
  help->grab().save(shots + "/help.png");
}

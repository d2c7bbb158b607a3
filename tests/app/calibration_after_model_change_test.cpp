// Setup > Potentiostat calibration after the model was changed in
// Setup > Device setup: the list, the range switched to and the calibration
// slot edited all belong to the model now selected.
#include <gtest/gtest.h>
#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <functional>

#include "qstring_print.h"

#include "app/ui/program_windows.h"
#include "app/ui/sdimain.h"
#include "calibration/ui/hardware.h"
#include "core/app_paths.h"
#include "core/ini_file.h"
#include "files/files_test_support.h"
#include "instrument/port_backend.h"
#include "instrument/ui/devices.h"

namespace {

void retype(QLineEdit *edit, const QString &text) {
  edit->setFocus();
  edit->selectAll();
  QTest::keyClick(edit, Qt::Key_Delete);
  QTest::keyClicks(edit, text);
}

// Setup > Device setup, choosing model `index` in the list.
void chooseModel(TSDIAppForm &w, int index) {
  answerModal<TDevice>([index](TDevice *device) {
    device->SelDevice->setCurrentIndex(index);
    device->Button1->click();
  });
  w.Devicesetup1->trigger();
}

// Setup > Potentiostat calibration, with `use` run on the open dialog.
void calibrate(TSDIAppForm &w, std::function<void(TDeviceCal *)> use) {
  answerModal<TDeviceCal>([use](TDeviceCal *dialog) {
    use(dialog);
    dialog->Button1->click();
  });
  w.Calibration1->trigger();
}

QStringList items(const QComboBox *box) {
  QStringList texts;
  for (int i = 0; i < box->count(); ++i) texts << box->itemText(i);
  return texts;
}

}  // namespace

TEST(PotentiostatCalibrationMenu, AfterAModelChangeListAndEditsBelongToTheNewModel) {
  QTemporaryDir folder;
  setProgramFolder(folder.path());
  QString error;
  ASSERT_TRUE(selectPortBackend("sim-fast", QString(), &error)) << error.toStdString();
  {
    IniFile settings(folder.filePath("marelt.ini"));
    settings.writeInteger("Setup", "Selected device", 1);
    ASSERT_TRUE(settings.save());
  }
  {
    ProgramWindows windows;
    TSDIAppForm &w = windows.mainWindow();
    w.show();
    Instrument &instrument = Device->instrument();
    QStringList listed;
    calibrate(w, [&](TDeviceCal *dialog) { listed = items(dialog->ComboBox1); });
    EXPECT_EQ(listed, QStringList({"1 mA", "100 uA", "10 uA", "1 uA", "100 nA", "10 nA", "1 nA"}));

    chooseModel(w, 0);
    ASSERT_EQ(instrument.modelIndex(), 0);
    int rangeOfEntry0 = -1, rangeOfEntry3 = -1;
    QString zeroShownAt0, zeroAfterSetZero;
    calibrate(w, [&](TDeviceCal *dialog) {
      listed = items(dialog->ComboBox1);
      EXPECT_EQ(dialog->ComboBox1->currentIndex(), 0);
      rangeOfEntry0 = instrument.currentRange();
      zeroShownAt0 = dialog->Edit1->text();
      retype(dialog->Edit2, "1.02");  // factor of entry 0, "1 A"
      dialog->ComboBox1->setCurrentIndex(3);
      rangeOfEntry3 = instrument.currentRange();
      retype(dialog->Edit1, "6.5");  // zero of entry 3, "1 mA"
      dialog->Timer1Timer();
      dialog->Button2->click();  // Set zero, in the same range
      zeroAfterSetZero = dialog->Edit1->text();
    });
    EXPECT_EQ(listed, QStringList({"1 A", "100 mA", "10 mA", "1 mA", "100 uA", "10 uA", "1 uA", "100 nA"}));
    EXPECT_EQ(rangeOfEntry0, 0);
    EXPECT_EQ(zeroShownAt0, instrument.calibration().currZeroText[0]);
    EXPECT_EQ(instrument.calibration().currFactText[0], "1.02");
    EXPECT_EQ(rangeOfEntry3, 3);
    EXPECT_EQ(instrument.currentRange(), 3);
    EXPECT_EQ(instrument.calibration().currZeroText[3], zeroAfterSetZero);
    EXPECT_EQ(instrument.calibration().currZeroText[0], zeroShownAt0);
    EXPECT_EQ(instrument.calibration().currFactText[3], "1.0");

    // The same model again: the list and the chosen entry stay.
    calibrate(w, [&](TDeviceCal *dialog) {
      EXPECT_EQ(dialog->ComboBox1->currentIndex(), 3);
      EXPECT_EQ(instrument.currentRange(), 3);
    });
  }
  setProgramFolder(QString());
}

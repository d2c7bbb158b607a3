// The three dialogs driven as a user would, on the simulated instrument.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>
#include <memory>

#include "calibration/ui/hardware.h"
#include "calibration/ui/pmtcal.h"
#include "calibration/ui/sem.h"
#include "calibration_test_support.h"
#include "core/ini_file.h"
#include "core/measurement_record.h"
#include "instrument/ui/devices.h"

namespace {

void retype(QLineEdit *edit, const QString &text) {
  edit->selectAll();
  QTest::keyClick(edit, Qt::Key_Delete);
  QTest::keyClicks(edit, text);
}

void ticks(TDeviceCal &dialog, int count) {
  for (int i = 0; i < count; ++i) dialog.Timer1Timer();
}

}  // namespace

TEST(HardwareCalibrationDialog, OpeningSwitchesThePotentiostatOnAndLeavingSwitchesItOff) {
  SimBench bench(2);
  TDeviceCal dialog(bench.instrument, nullptr, bench.clock());
  EXPECT_EQ(DeviceCal, &dialog);
  EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Hardware calibration"));
  EXPECT_EQ(dialog.Timer1->interval(), 300);
  EXPECT_FALSE(dialog.Timer1->isActive());
  EXPECT_EQ(dialog.Edit5->text(), QStringLiteral("0"));
  dialog.show();
  EXPECT_TRUE(dialog.Timer1->isActive());
  EXPECT_EQ(bench.sim().cellMode(), SimInstrument::CellMode::Potentiostat);
  EXPECT_EQ(dialog.Edit1->text(), QStringLiteral("0"));
  EXPECT_EQ(dialog.Edit2->text(), QStringLiteral("1.0"));
  dialog.hide();
  EXPECT_FALSE(dialog.Timer1->isActive());
  EXPECT_EQ(bench.sim().cellMode(), SimInstrument::CellMode::Off);
}

TEST(HardwareCalibrationDialog, OneNanoampRangeOfModel1ReadsInNanoampsWithFourDecimals) {
  SimBench bench(1, QStringLiteral("noise=0.5"));
  TDeviceCal dialog(bench.instrument, nullptr, bench.clock());
  ASSERT_EQ(dialog.ComboBox1->count(), 7);
  EXPECT_EQ(dialog.ComboBox1->itemText(6), QStringLiteral("1 nA"));
  EXPECT_EQ(dialog.ComboBox2->itemText(2), QStringLiteral("0.5 V"));
  dialog.show();
  dialog.ComboBox1->setCurrentIndex(6);
  EXPECT_EQ(bench.instrument.currentRange(), 6);
  dialog.Timer1Timer();
  EXPECT_TRUE(QRegularExpression(QStringLiteral("^-?\\d+\\.\\d{4} nA$")).match(dialog.Panel1->text()).hasMatch())
      << dialog.Panel1->text().toStdString();
  dialog.hide();
}

TEST(HardwareCalibrationDialog, ChangingRangesShowsTheirCalibrationTexts) {
  SimBench bench(0);
  bench.instrument.calibration().currZeroText[3] = QStringLiteral("7");
  bench.instrument.calibration().dacFactText[1] = QStringLiteral("0.99");
  TDeviceCal dialog(bench.instrument, nullptr, bench.clock());
  dialog.show();
  dialog.ComboBox1->setCurrentIndex(3);
  dialog.ComboBox2->setCurrentIndex(1);
  EXPECT_EQ(dialog.Edit1->text(), QStringLiteral("7"));
  EXPECT_EQ(dialog.Edit4->text(), QStringLiteral("0.99"));
  EXPECT_EQ(bench.instrument.currentRange(), 3);
  EXPECT_EQ(bench.instrument.potentialRange(), 1);
  EXPECT_DOUBLE_EQ(bench.instrument.adcOffset(), 2048 - 7);
  dialog.hide();
}

TEST(HardwareCalibrationDialog, SetZeroWritesTheNewZeroIntoTheZeroEditAndTheStore) {
  SimBench bench(2);
  TDeviceCal dialog(bench.instrument, nullptr, bench.clock());
  dialog.show();
  ticks(dialog, 30);
  EXPECT_EQ(dialog.Panel1->text(), QStringLiteral("-0.0049 mA"));
  QTest::mouseClick(dialog.Button2, Qt::LeftButton);
  EXPECT_EQ(dialog.Edit1->text(), QStringLiteral("5.00"));
  EXPECT_EQ(bench.instrument.calibration().currZeroText[0], QStringLiteral("5.00"));
  EXPECT_DOUBLE_EQ(bench.instrument.adcOffset(), 2043);
  ticks(dialog, 30);
  EXPECT_EQ(dialog.Panel1->text(), QStringLiteral("0.0000 mA"));
  dialog.hide();
}

TEST(HardwareCalibrationDialog, TypedFactorIsStoredAndAppliedAtOnceAndAFactorOfZeroBlocksSetZero) {
  SimBench bench(2);
  TDeviceCal dialog(bench.instrument, nullptr, bench.clock());
  dialog.show();
  ticks(dialog, 5);
  retype(dialog.Edit2, QStringLiteral("1.02"));
  EXPECT_EQ(bench.instrument.calibration().currFactText[0], QStringLiteral("1.02"));
  EXPECT_NEAR(bench.instrument.currScale(), 9.76e-7 * 1.02, 1e-15);
  retype(dialog.Edit2, QStringLiteral("0"));
  EXPECT_EQ(bench.instrument.currScale(), 0);
  const double offset = bench.instrument.adcOffset();
  QTest::mouseClick(dialog.Button2, Qt::LeftButton);
  EXPECT_EQ(dialog.Edit1->text(), QStringLiteral("0"));
  EXPECT_EQ(bench.instrument.adcOffset(), offset);
  retype(dialog.Edit5, QStringLiteral("-120"));
  EXPECT_DOUBLE_EQ(dialog.calibration().electrodePotential(), -0.12);
  dialog.hide();
}

TEST(PotentialMeterCalibrationDialog, SetZeroTakesTheReadingAsTheZeroOfTheRange) {
  SimBench bench(2);
  TPotCal dialog(bench.instrument, nullptr, bench.clock());
  EXPECT_EQ(PotCal, &dialog);
  EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Potential meter calibration"));
  EXPECT_EQ(dialog.Timer1->interval(), 200);
  EXPECT_EQ(dialog.Panel1->text(), QStringLiteral("0.0 mV"));
  ASSERT_EQ(dialog.PotRangeBox->count(), 4);
  EXPECT_EQ(dialog.PotRangeBox->itemText(2), QStringLiteral("500 mV"));
  dialog.show();
  EXPECT_EQ(bench.sim().cellMode(), SimInstrument::CellMode::Meter);
  dialog.PotRangeBox->setCurrentIndex(1);
  EXPECT_EQ(bench.instrument.meterRange(), 1);
  dialog.Timer1Timer();
  EXPECT_EQ(dialog.Panel1->text(), QStringLiteral("-0.0029 V"));
  QTest::mouseClick(dialog.Button4, Qt::LeftButton);
  EXPECT_EQ(dialog.ZeroEdit->text(), QStringLiteral("3.00"));
  EXPECT_EQ(bench.instrument.calibration().adcZeroText[1], QStringLiteral("3.00"));
  dialog.Timer1Timer();
  EXPECT_EQ(dialog.Panel1->text(), QStringLiteral("0.0000 V"));
  retype(dialog.FactorEdit, QStringLiteral("1.01"));
  EXPECT_EQ(bench.instrument.calibration().adcFactText[1], QStringLiteral("1.01"));
  EXPECT_NEAR(bench.instrument.meterScale(), 0.000976 * 1.01, 1e-15);
  dialog.hide();
  EXPECT_FALSE(dialog.Timer1->isActive());
  EXPECT_EQ(bench.sim().cellMode(), SimInstrument::CellMode::Off);
}

TEST(OpenCircuitDialog, EscapeClosesTheDisplayAndSwitchesTheCellOff) {
  SimBench bench(1);
  MeasurementRecord record;
  record.params.maxAbsPotential = 0.3;
  Tshowsem dialog(bench.instrument, record, nullptr, bench.clock());
  EXPECT_EQ(showsem, &dialog);
  EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Electrode potential in open circuit"));
  EXPECT_EQ(dialog.Timer1->interval(), 300);
  EXPECT_EQ(dialog.Panel1->text(), QStringLiteral("0.0 mV"));
  bool sawMeter = false;
  QString rangeShown;
  QTimer::singleShot(0, &dialog, [&] {
    sawMeter = bench.sim().cellMode() == SimInstrument::CellMode::Meter && dialog.Timer1->isActive();
    rangeShown = dialog.Label2->text();
    QTest::keyClick(&dialog, Qt::Key_Escape);
  });
  dialog.exec();
  EXPECT_TRUE(sawMeter);
  EXPECT_EQ(rangeShown, QStringLiteral("500 mV"));
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_FALSE(dialog.Timer1->isActive());
  EXPECT_EQ(bench.sim().cellMode(), SimInstrument::CellMode::Off);
}

TEST(OpenCircuitDialog, CloseButtonEndsWithOk) {
  SimBench bench(0);
  MeasurementRecord record;
  record.params.maxAbsPotential = 1.5;
  Tshowsem dialog(bench.instrument, record, nullptr, bench.clock());
  QTimer::singleShot(0, &dialog, [&] {
    dialog.Timer1Timer();
    QTest::mouseClick(dialog.Button1, Qt::LeftButton);
  });
  EXPECT_EQ(dialog.exec(), QDialog::Accepted);
  EXPECT_EQ(dialog.Label2->text(), QStringLiteral("2 V"));
  EXPECT_TRUE(dialog.Panel1->text().endsWith(QStringLiteral(" mV")));
  EXPECT_EQ(bench.sim().cellMode(), SimInstrument::CellMode::Off);
}

TEST(CalibrationDialogs, EditsReachTheModelsCalibrationFileAtExit) {
  SimBench bench(-1);
  const QString calFile = QDir(bench.folder()).filePath(QStringLiteral("gwr305.cal"));
  auto device = std::make_unique<TDevice>();
  auto hardware = std::make_unique<TDeviceCal>(Device->instrument(), nullptr, bench.clock());
  auto meter = std::make_unique<TPotCal>(Device->instrument(), nullptr, bench.clock());
  hardware->show();
  hardware->ComboBox1->setCurrentIndex(2);
  retype(hardware->Edit2, QStringLiteral("1.05"));
  hardware->ComboBox2->setCurrentIndex(3);
  retype(hardware->Edit3, QStringLiteral("-2.5"));
  hardware->hide();
  meter->show();
  meter->PotRangeBox->setCurrentIndex(1);
  retype(meter->ZeroEdit, QStringLiteral("7.5"));
  meter->hide();
  EXPECT_FALSE(QFile::exists(calFile));

  meter.reset();
  hardware.reset();
  device.reset();  // the program's end
  ASSERT_TRUE(QFile::exists(calFile));
  const IniFile file(calFile);
  const QString section = QStringLiteral("Calibration");
  EXPECT_EQ(file.readString(section, QStringLiteral("GWR Fact 2"), QString()), QStringLiteral("1.05"));
  EXPECT_EQ(file.readString(section, QStringLiteral("DAC Zero 3"), QString()), QStringLiteral("-2.5"));
  EXPECT_EQ(file.readString(section, QStringLiteral("ADC Zero 1"), QString()), QStringLiteral("7.5"));
  EXPECT_EQ(file.readString(section, QStringLiteral("GWR Fact 0"), QString()), QStringLiteral("1.0"));
}

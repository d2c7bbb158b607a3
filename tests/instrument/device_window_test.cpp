#include <gtest/gtest.h>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "core/app_paths.h"
#include "core/ini_file.h"
#include "instrument/silent_port_backend.h"
#include "instrument/simulated_port_backend.h"
#include "instrument/ui/devices.h"
#include "port_fakes.h"

namespace {

class DeviceWindow : public ::testing::Test {
 protected:
  void SetUp() override { setProgramFolder(folder.path()); }
  void TearDown() override { setProgramFolder(QString()); }

  void storeSelectedDevice(int index) {
    IniFile settings(folder.filePath(QStringLiteral("marelt.ini")));
    settings.writeInteger(QStringLiteral("Setup"), QStringLiteral("Selected device"), index);
    ASSERT_TRUE(settings.save());
  }
  QStringList statusTexts(const TDevice &d) const {
    return {d.Label3->text(), d.Label6->text(), d.Label9->text(), d.Label12->text()};
  }

  QTemporaryDir folder;
  ScopedBackend<SimulatedPortBackend> sim{SimulatedPortBackend::Timing::Virtual};
};

const QStringList kTesting(4, QStringLiteral("testing"));

}  // namespace

TEST_F(DeviceWindow, CreationRestoresTheStoredModel) {
  storeSelectedDevice(2);
  TDevice device;
  EXPECT_EQ(Device, &device);
  EXPECT_EQ(device.windowTitle(), QStringLiteral("Measurement device test"));
  EXPECT_EQ(device.selectedDeviceIndex(), 2);
  EXPECT_EQ(device.SelDevice->count(), 3);
  EXPECT_EQ(device.SelDevice->itemText(0), QStringLiteral("VMB-2: GWR-305, ACQ-610, TK-725"));
  EXPECT_EQ(device.GroupBox1->title(), QStringLiteral(" Device status "));
  EXPECT_EQ(device.Label2->text(), QStringLiteral("GWRF-583"));
  EXPECT_EQ(device.Label5->text(), QStringLiteral("ACQ-610"));
  EXPECT_EQ(device.Label8->text(), QStringLiteral("ACQ-610"));
  EXPECT_EQ(device.Label11->text(), QStringLiteral("TK-725"));
  EXPECT_EQ(device.Label14->text(), QStringLiteral("LPT1"));
  EXPECT_EQ(statusTexts(device), kTesting);
  EXPECT_EQ(device.instrument().lastCurrentRange(), 6);
  EXPECT_EQ(device.Timer1->interval(), 500);
  EXPECT_FALSE(device.Timer1->isActive());
  EXPECT_EQ(device.Button1->text(), QStringLiteral("&Close"));
  EXPECT_TRUE(device.Button1->isDefault());
}

TEST_F(DeviceWindow, ChoosingAModelChangesLabelsElectrodesAndCalibration) {
  storeSelectedDevice(2);
  IniFile cal(folder.filePath(QStringLiteral("gwr305.cal")));
  cal.writeString(QStringLiteral("Calibration"), QStringLiteral("GWR Zero 7"), QStringLiteral("5"));
  ASSERT_TRUE(cal.save());
  TDevice device;
  std::vector<int> maxima;
  device.setElectrodesMaxHandler([&maxima](int n) { maxima.push_back(n); });
  device.selectDevice(0);
  device.selectDevice(1);
  EXPECT_EQ(maxima, (std::vector<int>{4, 3, 3}));
  EXPECT_EQ(device.Label2->text(), QStringLiteral("GWRF-406"));
  device.selectDevice(0);
  EXPECT_EQ(device.instrument().calibration().currZero[7], 5.0);
  // The model left behind kept its calibration texts in its file.
  EXPECT_TRUE(QFile::exists(folder.filePath(QStringLiteral("gwrf583.cal"))));
  EXPECT_TRUE(QFile::exists(folder.filePath(QStringLiteral("gwrf406.cal"))));
}

TEST_F(DeviceWindow, StoredIndexOutsideTheListSelectsNothing) {
  storeSelectedDevice(5);
  TDevice device;
  EXPECT_EQ(device.selectedDeviceIndex(), -1);
  EXPECT_TRUE(device.Label2->text().isEmpty());
  EXPECT_FALSE(device.instrument().hasModel());
  int calls = 0;
  device.setElectrodesMaxHandler([&calls](int) { ++calls; });
  EXPECT_EQ(calls, 0);
}

TEST_F(DeviceWindow, TestShowsOkOnTheSimulatorAndNotReadyOnASilentBus) {
  TDevice device;
  EXPECT_TRUE(device.DeviceTest());
  EXPECT_EQ(statusTexts(device), QStringList(4, QStringLiteral("OK")));
  ScopedBackend<SilentPortBackend> silent;
  EXPECT_FALSE(device.DeviceTest());
  EXPECT_EQ(statusTexts(device), QStringList(4, QStringLiteral("not ready")));
}

TEST_F(DeviceWindow, TimerRunsOnlyWhileTheWindowIsShownAndTicksTheTest) {
  TDevice device;
  device.show();
  EXPECT_TRUE(device.Timer1->isActive());
  EXPECT_EQ(statusTexts(device), kTesting);
  EXPECT_TRUE(device.BackendLabel->text().startsWith(QStringLiteral("Simulated instrument")));
  ASSERT_TRUE(QTest::qWaitFor([&] { return device.Label12->text() != QStringLiteral("testing"); }, 2000));
  EXPECT_EQ(device.Label12->text(), QStringLiteral("OK"));
  device.hide();
  EXPECT_FALSE(device.Timer1->isActive());
}

TEST_F(DeviceWindow, CloseButtonEndsTheDialogWithCancel) {
  TDevice device;
  QTimer::singleShot(0, &device, [&device] { QTest::mouseClick(device.Button1, Qt::LeftButton); });
  EXPECT_EQ(device.exec(), QDialog::Rejected);
  EXPECT_FALSE(device.Timer1->isActive());
}

TEST_F(DeviceWindow, DestroyingWritesTheSelectedModelsCalibration) {
  storeSelectedDevice(1);
  {
    TDevice device;
    device.instrument().calibration().currFactText[2] = QStringLiteral("1.013");
  }
  EXPECT_EQ(Device, nullptr);
  const IniFile cal(folder.filePath(QStringLiteral("gwrf406.cal")));
  EXPECT_EQ(cal.readString(QStringLiteral("Calibration"), QStringLiteral("GWR Fact 2"), QString()),
            QStringLiteral("1.013"));
  EXPECT_EQ(cal.sectionKeys(QStringLiteral("Calibration")).size(), 7 * 2 + 8 + 8);
  EXPECT_FALSE(QFile::exists(folder.filePath(QStringLiteral("gwr305.cal"))));
}

TEST_F(DeviceWindow, FailedWriteAtTheEndShowsTheErrorWithTheFullPath) {
  auto device = std::make_unique<TDevice>();
  const QString path = folder.filePath(QStringLiteral("gwr305.cal"));
  ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("gwr305.cal")));
  QString shown;
  QTimer::singleShot(0, [&shown] {
    for (QWidget *w : QApplication::topLevelWidgets())
      if (auto *box = qobject_cast<QMessageBox *>(w)) {
        shown = box->text();
        box->accept();
      }
  });
  device.reset();
  EXPECT_EQ(shown, QStringLiteral("Unable to write to ") + path + ": Filename refers to a directory");
}

// Saves a picture of the window after one test when DPV_SHOT_DIR names a folder.
TEST_F(DeviceWindow, Screenshot) {
  const QString shots = qEnvironmentVariable("DPV_SHOT_DIR");
  if (shots.isEmpty()) GTEST_SKIP() << "DPV_SHOT_DIR not set";
  TDevice device;
  device.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&device));
  ASSERT_TRUE(QTest::qWaitFor([&] { return device.Label12->text() != QStringLiteral("testing"); }, 2000));
  EXPECT_EQ(device.Label12->text(), QStringLiteral("OK"));
  EXPECT_TRUE(device.grab().save(shots + QStringLiteral("/device_window.png")));
  ScopedBackend<SilentPortBackend> silent;
  device.selectDevice(2);
  device.DeviceTest();
  EXPECT_TRUE(device.grab().save(shots + QStringLiteral("/device_window_silent.png")));
}

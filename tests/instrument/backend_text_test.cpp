// The device window shows the whole text of the port backend in use.
#include <gtest/gtest.h>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include "core/app_paths.h"
#include "instrument/port_backend.h"
#include "instrument/ui/devices.h"

namespace {

class BackendText : public ::testing::TestWithParam<const char *> {
 protected:
  void SetUp() override { setProgramFolder(folder_.path()); }
  void TearDown() override {
    QString error;
    selectPortBackend("sim", QString(), &error);
    setProgramFolder(QString());
  }
  QTemporaryDir folder_;
};

}  // namespace

TEST_P(BackendText, ShowsWhollyInsideTheWindowAndClearOfTheButton) {
  QString error;
  ASSERT_TRUE(selectPortBackend(GetParam(), QString(), &error)) << error.toStdString();
  currentPortBackend().open();  // a port that cannot be opened tells why
  TDevice device;
  device.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&device));
  const QLabel *label = device.BackendLabel;
  EXPECT_EQ(label->text(), portBackendDescription());
  EXPECT_GE(label->height(), label->heightForWidth(label->width())) << label->text().toStdString();
  EXPECT_TRUE(device.rect().contains(label->geometry()));
  EXPECT_TRUE(device.rect().contains(device.Button1->geometry()));
  EXPECT_FALSE(label->geometry().intersects(device.Button1->geometry()));
  const QString shots = qEnvironmentVariable("DPV_SHOT_DIR");
  if (!shots.isEmpty()) device.grab().save(shots + "/device-" + QString(GetParam()).section(':', 0, 0) + ".png");
  device.hide();
}

INSTANTIATE_TEST_SUITE_P(Backends, BackendText,
                         ::testing::Values("sim", "sim-fast", "none", "ppdev:/dev/no-such-parport-for-the-test"));

// Pictures of the three dialogs on the simulated instrument, for looking at
// them: runs only when DPV_SHOT_DIR names a folder for the PNG files.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QDir>
#include <QPixmap>

#include "calibration/ui/hardware.h"
#include "calibration/ui/pmtcal.h"
#include "calibration/ui/sem.h"
#include "calibration_test_support.h"
#include "core/measurement_record.h"

namespace {

void save(QWidget &dialog, const QString &name) {
  const QDir folder(qEnvironmentVariable("DPV_SHOT_DIR"));
  EXPECT_TRUE(dialog.grab().save(folder.filePath(name)));
}

}  // namespace

TEST(DialogShots, SavesTheDialogsAsTheyLookWhileReading) {
  if (qEnvironmentVariableIsEmpty("DPV_SHOT_DIR")) GTEST_SKIP() << "DPV_SHOT_DIR not set";
  SimBench bench(2, QStringLiteral("rest=-0.2354"));

  TDeviceCal hardware(bench.instrument, nullptr, bench.clock());
  hardware.show();
  hardware.ComboBox1->setCurrentIndex(2);
  for (int i = 0; i < 4; ++i) hardware.Timer1Timer();
  save(hardware, QStringLiteral("calibration_hardware.png"));
  hardware.hide();

  TPotCal meter(bench.instrument, nullptr, bench.clock());
  meter.show();
  meter.PotRangeBox->setCurrentIndex(2);
  meter.Timer1Timer();
  save(meter, QStringLiteral("calibration_pmtcal.png"));
  meter.hide();

  MeasurementRecord record;
  record.params.maxAbsPotential = 0.3;
  Tshowsem openCircuit(bench.instrument, record, nullptr, bench.clock());
  openCircuit.show();
  openCircuit.Timer1Timer();
  save(openCircuit, QStringLiteral("calibration_sem.png"));
  openCircuit.hide();
}

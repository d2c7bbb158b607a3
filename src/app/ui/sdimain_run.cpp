// The main window's Run and Stop commands and its acquisition timer.
#include <QAction>
#include <QDateTime>
#include <QElapsedTimer>
#include <QLocale>
#include <QStatusBar>
#include <QTimer>

#include "app/ui/sdimain.h"
#include "graph/scaling.h"
#include "graph/ui/graph_view.h"
#include "graph/ui/peak_analysis_view.h"
#include "instrument/ui/devices.h"
#include "measurement/acquisition.h"
#include "measurement/instrument_run.h"

namespace {

// The parameters the run will have once the zoom is left, without touching
// the record (the run undoes the zoom only after its questions).
MeasurementRecord unzoomedParameters(const MeasurementRecord &r) {
  MeasurementRecord p;
  p.texts = r.unzoomedTexts();
  p.params.axisPotStart = r.params.axisPotStart;
  p.params.axisPotEnd = r.params.axisPotEnd;
  p.params.xFactor = r.params.xFactor;
  p.view.plotWidth = r.view.plotWidth;
  p.view.plotHeight = r.view.plotHeight;
  p.params.currUnitFactor = r.params.currUnitFactor;
  p.params.yFactor = r.params.yFactor;
  XYFactors(p);
  return p;
}

}  // namespace

bool TSDIAppForm::instrumentCheck() {
  if (Device->DeviceTest()) return true;
  return Device->exec() == QDialog::Accepted;
}

void TSDIAppForm::setRunCommandsEnabled(bool idle) {
  Run1->setEnabled(idle);
  Stop1->setEnabled(!idle);
  for (QAction *a : {Calibration1, Devicesetup1, Potentialmetercalibration1, SpeedButton2, SubtractBlank1})
    a->setEnabled(idle);
}

void TSDIAppForm::BitBtnRunClick() {
  if (!Run1->isEnabled()) return;
  if (!instrumentCheck()) return;
  if (!askToSaveData()) return;
  const MeasurementRecord planned = unzoomedParameters(record_);
  const QString problem = sweepProblem(planned);
  if (!problem.isEmpty()) {
    refuseRun(problem, planned.params.axisPotStart == planned.params.axisPotEnd);
    return;
  }
  // The new run belongs to no file until it is saved.
  record_.document.dataFileName.clear();
  record_.document.runDateTime = QLocale::system().toString(QDateTime::currentDateTime(), QLocale::ShortFormat);
  record_.display.runTimeInfo = QStringLiteral("Run time: ") + record_.document.runDateTime;
  record_.display.runHint = QStringLiteral("Start of measurement: ") + record_.document.runDateTime;
  setRunCommandsEnabled(false);
  record_.document.pointIndex = 0;
  graph->PaintBox2DblClick();
  syncFromRecord();

  runInstrument_ = std::make_unique<InstrumentRun>(Device->instrument());
  runClock_ = std::make_unique<QElapsedTimer>();
  runClock_->start();
  QElapsedTimer *clock = runClock_.get();
  acquisition_ = std::make_unique<Acquisition>(record_, *runInstrument_, [clock] { return clock->elapsed(); });
  acquisition_->setDrawPoint([this](double potential, double current) { graph->DrawPoint(potential, current); });
  acquisition_->start();
  refreshDisplay();
  Timer1->start();
  Timer1Timer();
}

void TSDIAppForm::Timer1Timer() {
  if (!acquisition_ || !acquisition_->running()) return;
  if (!acquisition_->tick()) BitBtnStopClick();
  refreshDisplay();
}

void TSDIAppForm::BitBtnStopClick() {
  if (acquisition_ && acquisition_->running()) {
    acquisition_->stop();
    const Acquisition::Statistics &stats = acquisition_->statistics();
    statusBar()->showMessage(QStringLiteral("Measurement ended: %1 points, %2 without samples, %3 readings per point")
                                 .arg(stats.points)
                                 .arg(stats.pointsWithoutSamples)
                                 .arg(stats.readingsPerPoint(), 0, 'f', 1));
  }
  Timer1->stop();
  setRunCommandsEnabled(true);
  // The live curve shows no analysis; the redraw brings the new run's.
  if (peakAnalysis->shown()) graph->DrawGraph();
  refreshDisplay();
}

// The main window's Run and Stop commands and its acquisition timer.
#include <QAction>
#include <QLabel>
#include <QStatusBar>
#include <QTimer>

#include "app/ui/sdimain.h"
#include "graph/scaling.h"
#include "graph/ui/graph_view.h"
#include "graph/ui/peak_analysis_view.h"
#include "instrument/ui/devices.h"
#include "journal/run_journal.h"
#include "measurement/instrument_run.h"
#include "measurement/run_session.h"

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
  setRunCommandsEnabled(false);
  record_.document.pointIndex = 0;
  graph->PaintBox2DblClick();
  syncFromRecord();

  runInstrument_ = std::make_unique<InstrumentRun>(Device->instrument());
  run_ = std::make_unique<RunSession>(record_, *runInstrument_);
  run_->setDrawPoint([this](double potential, double current, bool valid) {
    // An invalid point leaves a gap: the line starts afresh at the next one.
    if (valid)
      graph->DrawPoint(potential, current);
    else
      record_.view.penUp = true;
  });
  run_->setObserver(journal_.get());
  run_->start();
  if (!RunPriority) {
    // Made at the first run, before the backend label: the start waits for no hidden label.
    RunPriority = new QLabel(this);
    RunPriority->setToolTip(QStringLiteral("Scheduling of the run's sampling"));
    statusBar()->insertPermanentWidget(0, RunPriority);
  }
  RunPriority->setText(priorityText(run_->priority()));
  RunPriority->show();
  refreshDisplay();
  Timer1->start();
  Timer1Timer();
}

void TSDIAppForm::Timer1Timer() {
  if (!run_ || !run_->running()) return;
  if (!run_->deliver()) BitBtnStopClick();
  refreshDisplay();
}

void TSDIAppForm::BitBtnStopClick() {
  if (run_ && run_->running()) {
    run_->stop();
    // The priority is named again where it may have cost points.
    QString ended = QStringLiteral("Measurement ended: ") + run_->summary();
    if (run_->priority() == ThreadPriority::Normal) ended += QStringLiteral("; ") + priorityText(run_->priority());
    statusBar()->showMessage(ended);
  }
  if (RunPriority) RunPriority->hide();
  Timer1->stop();
  setRunCommandsEnabled(true);
  // The live curve shows no analysis; the redraw brings the new run's.
  if (peakAnalysis->shown()) graph->DrawGraph();
  refreshDisplay();
}

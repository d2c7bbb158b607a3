#include "app/ui/sdimain.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QScreen>
#include <QSpinBox>
#include <QStatusBar>
#include <QTimer>
#include <QToolButton>
#include <algorithm>

#include "analysis/analysis_settings.h"
#include "analysis/ui/peak_table_view.h"
#include "app/ui/about.h"
#include "app/ui/app_icons.h"
#include "app/ui/help_window.h"
#include "app/ui/program_windows.h"
#include "calibration/ui/hardware.h"
#include "calibration/ui/pmtcal.h"
#include "calibration/ui/sem.h"
#include "core/app_paths.h"
#include "core/ini_file.h"
#include "files/ui/file_commands.h"
#include "files/ui/viewdta.h"
#include "graph/scaling.h"
#include "graph/ui/colors.h"
#include "graph/ui/graph_view.h"
#include "graph/ui/peak_analysis_view.h"
#include "instrument/port_backend.h"
#include "instrument/tvicport.h"
#include "instrument/ui/devices.h"
#include "journal/run_journal.h"
#include "measurement/instrument_run.h"
#include "measurement/parameters.h"
#include "measurement/run_session.h"
#include "printing/ui/printwn.h"
#include "printing/ui/report_printing.h"
#include "quantitation/ui/quantitation_dialog.h"
#include "references/reference_settings.h"

namespace {

const QString kHelpFile = QStringLiteral("marelt.hlp");

// The memo's lines as the description: a final line end starts no new line.
QStringList memoLines(const QPlainTextEdit *memo) {
  QString text = memo->toPlainText();
  if (text.isEmpty()) return {};
  if (text.endsWith(QLatin1Char('\n'))) text.chop(1);
  return text.split(QLatin1Char('\n'));
}

void setTextIfDifferent(QLineEdit *edit, const QString &text) {
  if (edit->text() != text) edit->setText(text);
}

void setLabel(QLabel *label, const QString &text) {
  if (label->text() != text) label->setText(text);
}

}  // namespace

TSDIAppForm::TSDIAppForm(ProgramWindows &windows, QWidget *parent)
    : QMainWindow(parent), windows_(windows), files_(std::make_unique<FileCommands>(*this)) {
  setWindowTitle(kTitle);
  setWindowIcon(appIcon(AppIcon::Program));
  resize(798, 586);
  buildActions();
  buildControls();
  Timer1 = new QTimer(this);
  Timer1->setTimerType(Qt::PreciseTimer);
  Timer1->setInterval(110);
  connectControls();
  FormCreate();
}

TSDIAppForm::~TSDIAppForm() = default;

void TSDIAppForm::connectControls() {
  auto onText = [this](QLineEdit *edit, QString ParameterTexts::*field, auto handler) {
    connect(edit, &QLineEdit::textChanged, this, [this, field, handler](const QString &text) {
      record_.texts.*field = text;
      handler();
    });
  };
  auto redraw = [this] { Redraw(); };
  auto parameters = [this] {
    SetParameters(record_);
    refreshDisplay();
  };
  onText(PotStartEdit, &ParameterTexts::potStart, redraw);
  onText(PotEndEdit, &ParameterTexts::potEnd, redraw);
  onText(CurrMinEdit, &ParameterTexts::currMin, redraw);
  onText(CurrMaxEdit, &ParameterTexts::currMax, redraw);
  onText(DampingEdit, &ParameterTexts::damping, redraw);
  onText(SweepEdit, &ParameterTexts::sweep, parameters);
  onText(PulsePeriodEdit, &ParameterTexts::period, parameters);
  onText(DataAccumulationEdit, &ParameterTexts::accumulation, parameters);
  // The amplitude has no change handling of its own: the next SetParameters takes it.
  onText(PulseAmplitudeEdit, &ParameterTexts::amplitude, [] {});
  onText(PrePotEdit, &ParameterTexts::prePot, [this] { PrePotEditChange(record_); });
  onText(PreTimeEdit, &ParameterTexts::preTime, [this] { PreTimeEditChange(record_); });
  connect(CurrUnitBox, &QComboBox::currentIndexChanged, this, [this](int index) {
    record_.texts.currUnitIndex = index;
    Redraw();
  });
  connect(DampingBox, &QComboBox::currentIndexChanged, this, [this](int index) {
    record_.texts.dampingUnitIndex = index;
    Redraw();
  });
  connect(Electrodes, &QSpinBox::valueChanged, this, [this](int value) {
    record_.texts.electrodes = value;
    if (value <= record_.texts.electrodesMax) Electrodes->setMaximum(record_.texts.electrodesMax);
  });
  connect(Memo1, &QPlainTextEdit::textChanged, this, &TSDIAppForm::onDescriptionEdited);
  connect(graph, &GraphView::recordChanged, this, &TSDIAppForm::syncFromRecord);
  // A redraw rescales and derives the parameters again, so the labels follow.
  connect(graph, &GraphView::graphDrawn, this, &TSDIAppForm::refreshDisplay);
  graph->setColors([] { return GColors ? GColors->lineColor() : QColor(Qt::blue); },
                   [] { return GColors ? GColors->backgroundColor() : QColor(Qt::white); });

  connect(FileOpen1, &QAction::triggered, this, [this] { files_->FileOpen1Execute(); });
  connect(FileSave1, &QAction::triggered, this, [this] { files_->FileSaveAs1Execute(); });
  connect(FileSaveAs1, &QAction::triggered, this, [this] { files_->FileSaveAsItemClick(); });
  connect(Viewdatatext1, &QAction::triggered, this, &TSDIAppForm::Viewdatatext1Click);
  connect(Quantitation1, &QAction::triggered, this, &TSDIAppForm::Quantitation1Click);
  connect(PeakAnalysis1, &QAction::triggered, this, &TSDIAppForm::PeakAnalysis1Click);
  connect(Graphsetup1, &QAction::triggered, this, &TSDIAppForm::Graphsetup1Click);
  connect(Devicesetup1, &QAction::triggered, this, &TSDIAppForm::Devicesetup1Click);
  connect(Calibration1, &QAction::triggered, this, &TSDIAppForm::Calibration1Click);
  connect(Potentialmetercalibration1, &QAction::triggered, this, &TSDIAppForm::Potentialmetercalibration1Click);
  connect(SpeedButton2, &QAction::triggered, this, &TSDIAppForm::SpeedButton2Click);
  connect(Printersetup1, &QAction::triggered, this, &TSDIAppForm::Printersetup1Click);
  connect(Print1, &QAction::triggered, this, &TSDIAppForm::Print1Click);
  connect(Run1, &QAction::triggered, this, &TSDIAppForm::BitBtnRunClick);
  connect(Stop1, &QAction::triggered, this, &TSDIAppForm::BitBtnStopClick);
  connect(Timer1, &QTimer::timeout, this, &TSDIAppForm::Timer1Timer);

  connectReferenceCommands();
  connect(FileNew1, &QAction::triggered, this, &TSDIAppForm::FileNew1Execute);
  connect(FileExit1, &QAction::triggered, this, &TSDIAppForm::FileExit1Execute);
  connect(Helpindex1, &QAction::triggered, this, &TSDIAppForm::Helpindex1Click);
  connect(HelpAbout1, &QAction::triggered, this, &TSDIAppForm::HelpAbout1Execute);
  connect(EditCut1, &QAction::triggered, this, [] {
    QWidget *w = QApplication::focusWidget();
    if (auto *e = qobject_cast<QLineEdit *>(w)) e->cut();
    if (auto *m = qobject_cast<QPlainTextEdit *>(w)) m->cut();
  });
  connect(EditCopy1, &QAction::triggered, this, [] {
    QWidget *w = QApplication::focusWidget();
    if (auto *e = qobject_cast<QLineEdit *>(w)) e->copy();
    if (auto *m = qobject_cast<QPlainTextEdit *>(w)) m->copy();
  });
  connect(EditPaste1, &QAction::triggered, this, [] {
    QWidget *w = QApplication::focusWidget();
    if (auto *e = qobject_cast<QLineEdit *>(w)) e->paste();
    if (auto *m = qobject_cast<QPlainTextEdit *>(w)) m->paste();
  });
}

void TSDIAppForm::FormCreate() {
  CurrUnitBox->setCurrentIndex(0);
  const IniFile ini(settingsFile());
  ParameterTexts texts = record_.texts;
  readSetupSection(ini, &texts, &windowState_);
  // The record first, so a control already showing its value (which fires no
  // change) still agrees with it.
  record_.texts = texts;
  // Each assignment fires the control's change handling, as typing would.
  CurrMinEdit->setText(texts.currMin);
  CurrMaxEdit->setText(texts.currMax);
  CurrUnitBox->setCurrentIndex(texts.currUnitIndex);
  DampingEdit->setText(texts.damping);
  DampingBox->setCurrentIndex(texts.dampingUnitIndex);
  PotStartEdit->setText(texts.potStart);
  PotEndEdit->setText(texts.potEnd);
  SweepEdit->setText(texts.sweep);
  PulseAmplitudeEdit->setText(texts.amplitude);
  PulsePeriodEdit->setText(texts.period);
  DataAccumulationEdit->setText(texts.accumulation);
  PreTimeEdit->setText(texts.preTime);
  PrePotEdit->setText(texts.prePot);
  Electrodes->setValue(texts.electrodes);
  record_.texts.electrodes = Electrodes->value();
  if (windowState_.windowMaximized) setWindowState(Qt::WindowMaximized);
  files_->setInitialDirectory(windowState_.initialDirectory);
  XYFactors(record_);
  record_.document.description = readDescription(ini);
  peakAnalysis->setSettings(readAnalysisSettings(ini));
  pageSettings_ = readPageSettings(ini);
  {
    const QSignalBlocker block(Memo1);
    Memo1->setPlainText(record_.document.description.join(QLatin1Char('\n')));
  }
  record_.view.zoomDragging = false;
  record_.view.beforeZoom.reset();
  record_.runState = RunIdle;
  record_.document.dataSaved = true;
  record_.document.askFileName = true;
  record_.view.markerShown = false;
  record_.view.refMarkerShown = false;
  record_.document.runDateTime.clear();
  portAccess = std::make_unique<TVicPort>();
  portAccess->Open();
  journal_ = std::make_unique<RunJournal>(programFolder(), [this](const QString &reason) {
    statusBar()->showMessage(QStringLiteral("Run not journaled: ") + reason);
  });
  record_.document.dataFileName.clear();
  auto *backend = new QLabel(portBackendDescription(), this);
  backend->setToolTip(QStringLiteral("Instrument port in use"));
  if (portBackendIsSimulated()) {
    // Coloured like a warning, by palette: a style sheet would cost the start a
    // style of its own, and a bold face a font of its own.
    QPalette warning = backend->palette();
    warning.setColor(QPalette::WindowText, QColor(0x6b, 0x3a, 0x00));
    warning.setColor(QPalette::Window, QColor(0xff, 0xe8, 0xa8));
    backend->setPalette(warning);
    backend->setAutoFillBackground(true);
    backend->setContentsMargins(6, 0, 6, 0);
  }
  statusBar()->addPermanentWidget(backend);
  refreshDisplay();
  addReferences(readReferencePaths(ini));
}

void TSDIAppForm::onDescriptionEdited() {
  if (!syncing_) record_.document.description = memoLines(Memo1);
}

void TSDIAppForm::syncFromRecord() {
  const ParameterTexts &t = record_.texts;
  // Copies, since each assignment runs handlers that write the record.
  const ParameterTexts texts = t;
  setTextIfDifferent(CurrMinEdit, texts.currMin);
  setTextIfDifferent(CurrMaxEdit, texts.currMax);
  if (CurrUnitBox->currentIndex() != texts.currUnitIndex) CurrUnitBox->setCurrentIndex(texts.currUnitIndex);
  setTextIfDifferent(DampingEdit, texts.damping);
  if (DampingBox->currentIndex() != texts.dampingUnitIndex) DampingBox->setCurrentIndex(texts.dampingUnitIndex);
  setTextIfDifferent(PotStartEdit, texts.potStart);
  setTextIfDifferent(PotEndEdit, texts.potEnd);
  setTextIfDifferent(SweepEdit, texts.sweep);
  setTextIfDifferent(PulseAmplitudeEdit, texts.amplitude);
  setTextIfDifferent(PulsePeriodEdit, texts.period);
  setTextIfDifferent(DataAccumulationEdit, texts.accumulation);
  setTextIfDifferent(PreTimeEdit, texts.preTime);
  setTextIfDifferent(PrePotEdit, texts.prePot);
  if (Electrodes->value() != texts.electrodes) Electrodes->setValue(texts.electrodes);
  if (memoLines(Memo1) != record_.document.description) {
    syncing_ = true;
    Memo1->setPlainText(record_.document.description.join(QLatin1Char('\n')));
    syncing_ = false;
  }
  refreshDisplay();
}

void TSDIAppForm::refreshDisplay() {
  setLabel(PulseStepInfo, record_.display.pulseStepInfo);
  setLabel(RecordTimeInfo, record_.display.recordTimeInfo);
  setLabel(PulseNrInfo, record_.display.pulseNrInfo);
  setLabel(RunTimeInfo, record_.display.runTimeInfo);
  const StatusPanels &p = record_.display.panels;
  setLabel(Panel5, p.status);
  setLabel(Panel6, p.time);
  setLabel(Panel7, p.potential);
  setLabel(Panel8, p.current);
  setLabel(Panel3, p.pointNumber);
  setLabel(Panel4, p.analysis);
  Run1->setToolTip(record_.display.runHint);
  Run1->setStatusTip(record_.display.runHint);
  if (windowTitle() != record_.caption()) setWindowTitle(record_.caption());
}

void TSDIAppForm::Redraw() { graph->Redraw(); }

bool TSDIAppForm::askToSaveData() {
  if (record_.document.dataSaved) return true;
  const auto answer = QMessageBox::warning(this, kTitle, QStringLiteral("Data not saved. Save?"),
                                           QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
  if (answer == QMessageBox::Cancel) return false;
  if (answer == QMessageBox::No) {
    journal_->discard();
    return true;
  }
  return saveMeasurement();
}

bool TSDIAppForm::saveMeasurement() {
  // A save that was cancelled or failed ends the command that asked, so the
  // measurement is never lost.
  return files_->FileSaveAs1Execute();
}

bool TSDIAppForm::runActive() const { return Timer1->isActive(); }

void TSDIAppForm::stopRun() { BitBtnStopClick(); }

void TSDIAppForm::leaveZoom() {
  if (record_.zoomed()) graph->PaintBox2DblClick();
}

void TSDIAppForm::Viewdatatext1Click() { windows_.viewdata().exec(); }
void TSDIAppForm::Quantitation1Click() { windows_.quantitation().exec(); }
void TSDIAppForm::PeakAnalysis1Click() {
  const bool shown = PeakAnalysis1->isChecked();
  if (shown == peakAnalysis->shown()) return;
  // The graph keeps its width: the window grows by the table, as far as the
  // screen allows, and gives back what it grew.
  if (shown && !isMaximized() && !isFullScreen()) {
    const int room = screen() ? screen()->availableGeometry().right() - frameGeometry().right() : 0;
    peakTableGrowth_ = std::clamp(peakAnalysis->table()->minimumWidth() + 6, 0, std::max(0, room));
  }
  peakAnalysis->setShown(shown);
  if (peakTableGrowth_ > 0) resize(width() + (shown ? peakTableGrowth_ : -peakTableGrowth_), height());
  if (!shown) peakTableGrowth_ = 0;
}

void TSDIAppForm::openAtStart(const QString &path) {
  QString error;
  if (!files_->openFile(path, &error)) QMessageBox::critical(this, kTitle, error);
}

void TSDIAppForm::Devicesetup1Click() { Device->exec(); }

void TSDIAppForm::Calibration1Click() { windows_.deviceCal().exec(); }

void TSDIAppForm::Potentialmetercalibration1Click() {
  if (instrumentCheck()) windows_.potCal().exec();
}

void TSDIAppForm::SpeedButton2Click() {
  if (instrumentCheck()) windows_.showsem().exec();
}

void TSDIAppForm::setElectrodesMaximum(int maximum) {
  // A count above the new model's highest stays until the user lowers it;
  // the instrument then uses the nearest count the model offers.
  record_.texts.electrodesMax = maximum;
  Electrodes->setMaximum(std::max(maximum, Electrodes->value()));
}

void TSDIAppForm::Printersetup1Click() {
  // A printer made now takes the orientation "Print report" holds.
  windows_.page();
  ::Printersetup1Click(this);
}

void TSDIAppForm::Print1Click() {
  // The report command uses the global Page and PrintBox1.
  windows_.page();
  windows_.printBox();
  ::Print1Click(this, record_, &references_, peakAnalysis->peaks());
}

void TSDIAppForm::Graphsetup1Click() {
  GColors->exec();
  Redraw();
}

void TSDIAppForm::FileNew1Execute() {
  if (!askToSaveData()) return;
  record_.document.pointIndex = 0;
  record_.document.dataSaved = false;
  record_.document.askFileName = true;
  record_.document.dataFileName.clear();
  record_.document.runDateTime.clear();
  record_.display.runTimeInfo = QStringLiteral("Run time:");
  clearMarkerReadouts(record_);
  graph->DrawGraph();
  record_.display.runHint = QStringLiteral("Start of measurement");
  refreshDisplay();
}

void TSDIAppForm::FileExit1Execute() {
  if (!askToSaveData()) return;
  closeConfirmed_ = true;
  close();
}

void TSDIAppForm::closeUnasked() {
  closeConfirmed_ = true;
  close();
}

void TSDIAppForm::closeEvent(QCloseEvent *event) {
  // Closing by the title bar asks as Exit does, so no measurement is lost.
  if (!closeConfirmed_ && !askToSaveData()) {
    event->ignore();
    return;
  }
  closeConfirmed_ = false;
  FormClose();
  event->accept();
}

void TSDIAppForm::FormClose() {
  if (run_ && run_->running()) BitBtnStopClick();
  Device->instrument().PotentiostatOff();
  if (record_.zoomed()) {
    const ParameterTexts unzoomed = record_.unzoomedTexts();
    CurrMinEdit->setText(unzoomed.currMin);
    CurrMaxEdit->setText(unzoomed.currMax);
  }
  const QString path = settingsFile();
  IniFile ini(path);
  windowState_.windowMaximized = isMaximized();
  windowState_.initialDirectory = files_->initialDirectory();
  writeSetupSection(ini, record_.texts, windowState_);
  writeSelectedDevice(ini, Device->selectedDeviceIndex());
  GColors->writeSettings(ini);
  writePageSettings(ini, Page ? Page->settings() : pageSettings_);
  writeDescription(ini, record_.document.description);
  writeAnalysisSettings(ini, peakAnalysis->settings());
  writeReferencePaths(ini, references_.paths());
  QString error;
  if (!ini.save(&error)) QMessageBox::critical(this, kTitle, error);
  // A settings file that cannot be written never keeps the user from ending.
  portAccess->Close();
  portAccess.reset();
}

void TSDIAppForm::keyPressEvent(QKeyEvent *event) {
  if (event->key() == Qt::Key_Escape && Stop1->isEnabled()) {
    Stop1->trigger();
    return;
  }
  QMainWindow::keyPressEvent(event);
}

void TSDIAppForm::Helpindex1Click() {
  // The user's folder (--folder, or ~/.config/dpv when installed) rarely
  // holds a help file of its own; the one shipped with the program serves then.
  QString path = programFile(kHelpFile);
  if (!QFileInfo::exists(path) && QFileInfo::exists(shippedFile(kHelpFile))) path = shippedFile(kHelpFile);
  auto *help = findChild<HelpWindow *>();
  if (!help) help = new HelpWindow(this);
  QString error;
  if (!help->showFile(path, &error)) {
    QMessageBox::critical(this, kTitle, QStringLiteral("Cannot open the help file %1: %2").arg(path, error));
    return;
  }
  help->show();
  help->raise();
}

void TSDIAppForm::HelpAbout1Execute() { windows_.aboutBox().exec(); }

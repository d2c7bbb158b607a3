#pragma once
// The main window: parameter controls, status panels, graph and description;
// it owns the measurement record and routes every command.

#include <QMainWindow>
#include <memory>

#include "core/main_settings.h"
#include "core/measurement_record.h"
#include "files/ui/file_command_host.h"
#include "printing/page_settings.h"
#include "references/reference_curves.h"

class QAction;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QSpinBox;
class QTimer;
class QToolButton;
class FileCommands;
class GraphView;
class InstrumentRun;
class PeakAnalysisView;
class ProgramWindows;
class RunJournal;
class RunSession;
class TVicPort;

class TSDIAppForm : public QMainWindow, public FileCommandHost {
  Q_OBJECT
 public:
  // The dialogs the commands open come from `windows`.
  explicit TSDIAppForm(ProgramWindows &windows, QWidget *parent = nullptr);
  ~TSDIAppForm() override;

  MeasurementRecord &record() override { return record_; }
  const MeasurementRecord &record() const { return record_; }
  FileCommands &fileCommands() { return *files_; }

  // Puts the record's texts into the controls (firing their change handling,
  // as typing would) and refreshes labels, panels, hints and caption.
  void syncFromRecord() override;

  // The rest of what the file commands need.
  QWidget *hostWindow() override { return this; }
  bool runActive() const override;
  void stopRun() override;
  void leaveZoom() override;
  void requestRedraw() override { Redraw(); }
  void measurementSaved() override;

  // Commands.
  void FileNew1Execute();
  void FileExit1Execute();
  // Closes as the title bar does, without the unsaved-data question.
  void closeUnasked();
  void Helpindex1Click();
  void HelpAbout1Execute();
  void Viewdatatext1Click();
  void Quantitation1Click();
  void PeakAnalysis1Click();
  void Graphsetup1Click();
  void Devicesetup1Click();
  void Calibration1Click();
  void Potentialmetercalibration1Click();
  void SpeedButton2Click();
  void Printersetup1Click();
  void Print1Click();
  // Comparison with other measurements (sdimain_references.cpp).
  void AddReference1Click();
  void RemoveReferences1Click();
  void SubtractBlank1Click();
  const ReferenceCurves &references() const { return references_; }

  // The measurement run.
  void BitBtnRunClick();
  void Timer1Timer();
  void BitBtnStopClick();
  // The highest electrode count of the instrument model in use.
  void setElectrodesMaximum(int maximum);
  // DeviceTest, and the device window when it fails; true when the command may go on.
  bool instrumentCheck();
  void Redraw();

  // Opens a measurement file the program is given (on the command line, the
  // example); errors are shown.
  void openAtStart(const QString &path);

  // The "Data not saved. Save?" question; false when the command must end.
  bool askToSaveData();

  // At start: offers to restore the run the journal holds, which was never
  // saved; a run given up is deleted only after a second question.
  void offerJournaledRun();

  // Parameter controls.
  QLineEdit *CurrMinEdit = nullptr, *CurrMaxEdit = nullptr, *DampingEdit = nullptr;
  QComboBox *CurrUnitBox = nullptr, *DampingBox = nullptr;
  QLineEdit *PotStartEdit = nullptr, *PotEndEdit = nullptr;
  QLineEdit *SweepEdit = nullptr, *PulseAmplitudeEdit = nullptr, *PulsePeriodEdit = nullptr,
            *DataAccumulationEdit = nullptr;
  QSpinBox *Electrodes = nullptr;
  QLineEdit *PrePotEdit = nullptr, *PreTimeEdit = nullptr;
  QLabel *PulseStepInfo = nullptr, *RecordTimeInfo = nullptr, *PulseNrInfo = nullptr, *RunTimeInfo = nullptr;
  // Status panels.
  QLabel *Panel5 = nullptr, *Panel6 = nullptr, *Panel7 = nullptr, *Panel8 = nullptr, *Panel3 = nullptr,
         *Panel4 = nullptr;
  QLabel *RunPriority = nullptr;  // made at the first run
  QPlainTextEdit *Memo1 = nullptr;
  QToolButton *BitBtnRun = nullptr, *BitBtnStop = nullptr;
  GraphView *graph = nullptr;
  PeakAnalysisView *peakAnalysis = nullptr;

  // Actions (menu items and tool buttons).
  QAction *FileNew1 = nullptr, *FileOpen1 = nullptr, *FileSave1 = nullptr, *FileSaveAs1 = nullptr,
          *Printersetup1 = nullptr, *Print1 = nullptr, *FileExit1 = nullptr;
  QAction *EditCut1 = nullptr, *EditCopy1 = nullptr, *EditPaste1 = nullptr, *Viewdatatext1 = nullptr;
  QAction *AddReference1 = nullptr, *RemoveReferences1 = nullptr;
  QAction *Run1 = nullptr, *Stop1 = nullptr, *Quantitation1 = nullptr, *SubtractBlank1 = nullptr,
          *PeakAnalysis1 = nullptr;
  QAction *Graphsetup1 = nullptr, *Devicesetup1 = nullptr, *Calibration1 = nullptr,
          *Potentialmetercalibration1 = nullptr;
  QAction *SpeedButton2 = nullptr;
  QAction *Helpindex1 = nullptr, *HelpAbout1 = nullptr;

  QTimer *Timer1 = nullptr;

 protected:
  void closeEvent(QCloseEvent *event) override;
  void keyPressEvent(QKeyEvent *event) override;

 private:
  void buildControls();
  void buildActions();
  void connectControls();
  void FormCreate();
  // Writes the settings and releases the port; returns the error text when the
  // settings file could not be written.
  void FormClose();
  void refreshDisplay();
  void onDescriptionEdited();
  // Saves as the Save command does; true when the data were written.
  bool saveMeasurement();

  // Run's message that the sweep cannot start; with the factory range (start
  // equal to end) it offers to open the example parameters.
  void refuseRun(const QString &problem, bool factoryRange);

  // Adds the reference files, shows what was skipped in the status bar and redraws.
  void addReferences(const QStringList &paths);
  void connectReferenceCommands();

  // Commands that use the instrument or reset its timer wait while a run goes on.
  void setRunCommandsEnabled(bool idle);

  ProgramWindows &windows_;
  MeasurementRecord record_;
  std::unique_ptr<FileCommands> files_;
  ReferenceCurves references_;
  std::unique_ptr<TVicPort> portAccess;
  // The journal outlives the run that tells it of its end.
  std::unique_ptr<RunJournal> journal_;
  std::unique_ptr<InstrumentRun> runInstrument_;
  std::unique_ptr<RunSession> run_;
  MainWindowState windowState_;
  // Written back at the end as read at the start while "Print report" was never opened.
  PageSettings pageSettings_;
  bool closeConfirmed_ = false;
  int peakTableGrowth_ = 0;  // the window's width added for the peak table
  bool syncing_ = false;
};

// Building the main window's controls, menus and tool bar.
#include <QAction>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "analysis/ui/peak_table_view.h"
#include "app/ui/app_icons.h"
#include "app/ui/sdimain.h"
#include "graph/ui/graph_view.h"
#include "graph/ui/peak_analysis_view.h"
#include "graph/ui/readings_font.h"

namespace {

constexpr int kPeakTableWidth = 300;

// A hint of the form "Short|Long": the short part is the tool tip, the long
// part goes to the status bar.
void setHint(QWidget *w, const QString &hint) {
  const int bar = hint.indexOf(QLatin1Char('|'));
  w->setToolTip(bar < 0 ? hint : hint.left(bar));
  w->setStatusTip(bar < 0 ? hint : hint.mid(bar + 1));
}

void setHint(QAction *a, const QString &hint) {
  const int bar = hint.indexOf(QLatin1Char('|'));
  a->setToolTip(bar < 0 ? hint : hint.left(bar));
  a->setStatusTip(bar < 0 ? hint : hint.mid(bar + 1));
}

QLineEdit *newEdit(QWidget *parent) {
  auto *edit = new QLineEdit(parent);
  edit->setMinimumWidth(60);
  return edit;
}

QLabel *newPanel(const QString &hint, int width, QWidget *parent) {
  auto *panel = new QLabel(parent);
  panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  panel->setAlignment(Qt::AlignCenter);
  panel->setFixedHeight(22);
  panel->setMinimumWidth(width);
  panel->setFont(readingsFont());
  setHint(panel, hint);
  return panel;
}

QGroupBox *newGroup(const QString &title, QWidget *parent) {
  auto *group = new QGroupBox(title, parent);
  return group;
}

QFormLayout *newForm(QGroupBox *group) {
  auto *form = new QFormLayout(group);
  form->setContentsMargins(6, 4, 6, 4);
  form->setVerticalSpacing(3);
  form->setHorizontalSpacing(6);
  form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
  return form;
}

}  // namespace

void TSDIAppForm::buildControls() {
  auto *central = new QWidget(this);
  auto *main = new QHBoxLayout(central);
  main->setContentsMargins(4, 4, 4, 4);
  main->setSpacing(6);

  // Left panel: parameters and information.
  auto *left = new QWidget(central);
  left->setFixedWidth(232);
  auto *leftLayout = new QVBoxLayout(left);
  leftLayout->setContentsMargins(0, 0, 0, 0);
  leftLayout->setSpacing(4);

  auto *currentGroup = newGroup(QStringLiteral(" Current axis "), left);
  auto *currentForm = newForm(currentGroup);
  CurrMaxEdit = newEdit(currentGroup);
  CurrMinEdit = newEdit(currentGroup);
  CurrUnitBox = new QComboBox(currentGroup);
  CurrUnitBox->addItems(kCurrentUnitNames);
  currentForm->addRow(QStringLiteral("Max"), CurrMaxEdit);
  currentForm->addRow(QStringLiteral("Min"), CurrMinEdit);
  currentForm->addRow(QStringLiteral("Unit"), CurrUnitBox);
  auto *dampingRow = new QHBoxLayout;
  DampingEdit = newEdit(currentGroup);
  DampingBox = new QComboBox(currentGroup);
  DampingBox->addItems(kDampingUnitNames);
  DampingBox->setFixedWidth(52);
  dampingRow->addWidget(DampingEdit);
  dampingRow->addWidget(DampingBox);
  currentForm->addRow(QStringLiteral("Damping"), dampingRow);
  leftLayout->addWidget(currentGroup);

  auto *potentialGroup = newGroup(QStringLiteral(" Potential [mV] "), left);
  auto *potentialForm = newForm(potentialGroup);
  PotStartEdit = newEdit(potentialGroup);
  PotEndEdit = newEdit(potentialGroup);
  potentialForm->addRow(QStringLiteral("Start"), PotStartEdit);
  potentialForm->addRow(QStringLiteral("End"), PotEndEdit);
  leftLayout->addWidget(potentialGroup);

  auto *optionsGroup = newGroup(QStringLiteral(" Options "), left);
  auto *optionsForm = newForm(optionsGroup);
  SweepEdit = newEdit(optionsGroup);
  PulseAmplitudeEdit = newEdit(optionsGroup);
  PulsePeriodEdit = newEdit(optionsGroup);
  DataAccumulationEdit = newEdit(optionsGroup);
  Electrodes = new QSpinBox(optionsGroup);
  Electrodes->setRange(2, 4);
  optionsForm->addRow(QStringLiteral("Sweep speed [mV/s]"), SweepEdit);
  optionsForm->addRow(QStringLiteral("Pulse amplitude [mV]"), PulseAmplitudeEdit);
  optionsForm->addRow(QStringLiteral("Pulse period [ms]"), PulsePeriodEdit);
  optionsForm->addRow(QStringLiteral("Data accumulation [%]"), DataAccumulationEdit);
  optionsForm->addRow(QStringLiteral("Electrode system"), Electrodes);
  // The long labels leave room for short fields only.
  for (QWidget *field : std::initializer_list<QWidget *>{SweepEdit, PulseAmplitudeEdit, PulsePeriodEdit,
                                                         DataAccumulationEdit, Electrodes})
    field->setFixedWidth(56);
  leftLayout->addWidget(optionsGroup);

  auto *preGroup = newGroup(QStringLiteral(" Preelectrolysis"), left);
  auto *preForm = newForm(preGroup);
  PrePotEdit = newEdit(preGroup);
  PreTimeEdit = newEdit(preGroup);
  preForm->addRow(QStringLiteral("Potential [mV]"), PrePotEdit);
  preForm->addRow(QStringLiteral("Time [s]"), PreTimeEdit);
  leftLayout->addWidget(preGroup);

  auto *infoGroup = newGroup(QStringLiteral(" Informations "), left);
  auto *infoLayout = new QVBoxLayout(infoGroup);
  infoLayout->setContentsMargins(6, 4, 6, 4);
  infoLayout->setSpacing(2);
  PulseStepInfo = new QLabel(infoGroup);
  RecordTimeInfo = new QLabel(infoGroup);
  PulseNrInfo = new QLabel(infoGroup);
  RunTimeInfo = new QLabel(infoGroup);
  for (QLabel *l : {PulseStepInfo, RecordTimeInfo, PulseNrInfo, RunTimeInfo}) infoLayout->addWidget(l);
  RunTimeInfo->setWordWrap(true);
  leftLayout->addWidget(infoGroup);
  leftLayout->addStretch();

  // Right panel: status panels, graph, description.
  auto *right = new QWidget(central);
  auto *rightLayout = new QVBoxLayout(right);
  rightLayout->setContentsMargins(0, 0, 0, 0);
  rightLayout->setSpacing(6);
  auto *panelRow = new QHBoxLayout;
  panelRow->setSpacing(7);
  Panel5 = newPanel(QStringLiteral("Current status of the program"), 97, right);
  Panel6 = newPanel(QStringLiteral("Time"), 41, right);
  Panel7 = newPanel(QStringLiteral("Potential"), 73, right);
  Panel8 = newPanel(QStringLiteral("Capacitance"), 81, right);
  Panel3 = newPanel(QStringLiteral("Number of point"), 49, right);
  Panel4 = newPanel(QStringLiteral("Analysis result"), 170, right);
  Panel4->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  for (QLabel *p : {Panel5, Panel6, Panel7, Panel8, Panel3}) panelRow->addWidget(p);
  panelRow->addWidget(Panel4, 1);
  rightLayout->addLayout(panelRow);

  // The peak table, when shown, stands beside the graph.
  auto *graphRow = new QHBoxLayout;
  graphRow->setSpacing(6);
  graph = new GraphView(record_, right);
  graphRow->addWidget(graph, 1);
  peakAnalysis = new PeakAnalysisView(record_, *graph, [graphRow](PeakTableView *table) {
    table->setFixedWidth(kPeakTableWidth);
    graphRow->addWidget(table);
  });
  rightLayout->addLayout(graphRow, 1);

  Memo1 = new QPlainTextEdit(right);
  Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
  Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  Memo1->setFixedHeight(96);
  setHint(Memo1, QStringLiteral("Description of the experiment"));
  rightLayout->addWidget(Memo1);

  main->addWidget(left);
  main->addWidget(right, 1);
  setCentralWidget(central);

  auto *bar = statusBar();
  bar->setMinimumWidth(420);
  bar->setSizeGripEnabled(true);
}

void TSDIAppForm::buildActions() {
  auto newAction = [this](const QString &text, const QString &hint, AppIcon icon, bool withIcon) {
    auto *a = new QAction(text, this);
    if (withIcon) a->setIcon(appIcon(icon));
    setHint(a, hint);
    return a;
  };
  FileNew1 = newAction(QStringLiteral("&New"), QStringLiteral("New|Create a new file"), AppIcon::New, true);
  FileNew1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
  FileOpen1 = newAction(QStringLiteral("&Open"), QStringLiteral("Open|Open a file"), AppIcon::Open, true);
  FileOpen1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
  FileSave1 = newAction(QStringLiteral("&Save"), QStringLiteral("Save|Save current file"), AppIcon::Save, true);
  FileSave1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
  FileSaveAs1 = newAction(QStringLiteral("Save &As..."),
                          QStringLiteral("Save As|Save current file with different name"), AppIcon::Save, false);
  AddReference1 = newAction(QStringLiteral("Add reference curve..."),
                            QStringLiteral("Add reference curve|Draw other measurements over the graph for comparison"),
                            AppIcon::Open, false);
  RemoveReferences1 = newAction(QStringLiteral("Remove reference curves"),
                                QStringLiteral("Remove reference curves|Remove the reference curves from the graph"),
                                AppIcon::New, false);
  Printersetup1 = newAction(QStringLiteral("Pri&nter setup"),
                            QStringLiteral("Printer setup|Choose and set up the printer"), AppIcon::Print, false);
  Print1 =
      newAction(QStringLiteral("&Print"), QStringLiteral("Printing of report from measurements"), AppIcon::Print, true);
  FileExit1 = newAction(QStringLiteral("E&xit"), QStringLiteral("Exit|Exit application"), AppIcon::New, false);
  EditCut1 = newAction(QStringLiteral("Cu&t"), QStringLiteral("Cut|Cuts the selection and puts it on the Clipboard"),
                       AppIcon::Cut, true);
  EditCut1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_X));
  EditCopy1 = newAction(QStringLiteral("&Copy"),
                        QStringLiteral("Copy|Copies the selection and puts it on the Clipboard"), AppIcon::Copy, true);
  EditCopy1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_C));
  EditPaste1 =
      newAction(QStringLiteral("&Paste"), QStringLiteral("Paste|Inserts Clipboard contents"), AppIcon::Paste, true);
  EditPaste1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_V));
  // The edit controls handle these keys themselves; the actions serve the menu
  // and the tool bar, so their shortcuts must not steal the keys.
  for (QAction *a : {EditCut1, EditCopy1, EditPaste1}) a->setShortcutContext(Qt::WidgetShortcut);
  Viewdatatext1 =
      newAction(QStringLiteral("&View data text"), QStringLiteral("View data text"), AppIcon::ViewData, true);
  Run1 = newAction(QStringLiteral("&Run"), QStringLiteral("Start of measurement"), AppIcon::Run, true);
  Stop1 = newAction(QStringLiteral("&Stop"), QStringLiteral("Stop of measurement"), AppIcon::Stop, true);
  Stop1->setShortcut(QKeySequence(Qt::Key_Escape));
  Stop1->setEnabled(false);
  Quantitation1 =
      newAction(QStringLiteral("&Quantitation"),
                QStringLiteral("Quantitation|Concentrations from peak heights: calibration or standard addition"),
                AppIcon::New, false);
  PeakAnalysis1 =
      newAction(QStringLiteral("&Peak analysis"),
                QStringLiteral("Peak analysis|Peaks of the curve: baselines on the graph, a table beside it"),
                AppIcon::Peaks, true);
  PeakAnalysis1->setCheckable(true);
  SubtractBlank1 =
      newAction(QStringLiteral("Subtract blank..."),
                QStringLiteral("Subtract blank|Subtract a blank measurement from the points"), AppIcon::New, false);
  Graphsetup1 = newAction(QStringLiteral("&Graph setup"), QStringLiteral("Graph setup|Colours of the graph"),
                          AppIcon::New, false);
  Devicesetup1 =
      newAction(QStringLiteral("&Device setup"),
                QStringLiteral("Device setup|Choose the instrument and test its units"), AppIcon::New, false);
  Calibration1 = newAction(QStringLiteral("&Potentiostat calibration"),
                           QStringLiteral("Potentiostat calibration|Calibrate the current and potential ranges"),
                           AppIcon::New, false);
  Potentialmetercalibration1 =
      newAction(QStringLiteral("Potential &meter calibration"),
                QStringLiteral("Potential meter calibration|Calibrate the potential meter"), AppIcon::New, false);
  SpeedButton2 = newAction(QStringLiteral("Open-circuit potential"),
                           QStringLiteral("Display electrode potential in open circuit"), AppIcon::Meter, true);
  Helpindex1 =
      newAction(QStringLiteral("&Help index"), QStringLiteral("Help index|Contents of the help"), AppIcon::New, false);
  Helpindex1->setShortcut(QKeySequence(Qt::Key_F1));
  HelpAbout1 = newAction(QStringLiteral("&About..."), QStringLiteral("About|About the program"), AppIcon::New, false);

  auto *menus = menuBar();
  auto *file = menus->addMenu(QStringLiteral("&File"));
  file->setStatusTip(QStringLiteral("File related commands"));
  file->addActions({FileNew1, FileOpen1, FileSave1, FileSaveAs1});
  file->addSeparator();
  file->addActions({AddReference1, RemoveReferences1});
  file->addSeparator();
  file->addActions({Printersetup1, Print1});
  file->addSeparator();
  file->addAction(FileExit1);
  auto *edit = menus->addMenu(QStringLiteral("&Edit"));
  edit->setStatusTip(QStringLiteral("Edit commands"));
  edit->addActions({EditCut1, EditCopy1, EditPaste1});
  edit->addSeparator();
  edit->addAction(Viewdatatext1);
  auto *work = menus->addMenu(QStringLiteral("&Work"));
  work->setStatusTip(QStringLiteral("Measurement commands"));
  work->addActions({Run1, Stop1, PeakAnalysis1, Quantitation1, SubtractBlank1});
  auto *setup = menus->addMenu(QStringLiteral("&Setup"));
  setup->setStatusTip(QStringLiteral("Setup commands"));
  setup->addActions({Graphsetup1, Devicesetup1, Calibration1, Potentialmetercalibration1});
  auto *help = menus->addMenu(QStringLiteral("&Help"));
  help->setStatusTip(QStringLiteral("Help topics"));
  help->addActions({Helpindex1, HelpAbout1});

  auto *tools = addToolBar(QStringLiteral("Tools"));
  tools->setMovable(false);
  tools->setIconSize(QSize(20, 20));
  tools->addActions({FileNew1, FileOpen1, FileSave1});
  tools->addSeparator();
  tools->addActions({EditCut1, EditCopy1, EditPaste1});
  tools->addSeparator();
  tools->addActions({Print1, Viewdatatext1, PeakAnalysis1});
  tools->addSeparator();
  tools->addAction(SpeedButton2);
  tools->addSeparator();
  BitBtnRun = new QToolButton(tools);
  BitBtnRun->setDefaultAction(Run1);
  BitBtnRun->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
  tools->addWidget(BitBtnRun);
  tools->addSeparator();
  BitBtnStop = new QToolButton(tools);
  BitBtnStop->setDefaultAction(Stop1);
  BitBtnStop->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
  tools->addWidget(BitBtnStop);
}

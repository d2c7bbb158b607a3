#include "quantitation/ui/quantitation_dialog.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "core/app_paths.h"
#include "core/ini_file.h"
#include "core/numbers.h"
#include "printing/report_pdf.h"
#include "printing/ui/printwn.h"
#include "printing/ui/report_printing.h"
#include "quantitation/quantitation_report.h"
#include "quantitation/result_rows.h"
#include "quantitation/table_quantitation.h"
#include "quantitation/ui/plot_view.h"

TQuantitation *Quantitation = nullptr;

namespace {

enum Column { FileColumn, RoleColumn, ConcentrationColumn, NameColumn };
constexpr int kPathRole = Qt::UserRole;
// A row of the window is this line of the table file (the header is line 1).
constexpr int kFirstLine = 2;
const QString kTableFilter = QStringLiteral("Quantitation tables (*.csv)");
const QString kDataFilter = QStringLiteral("Data Files (*.dpv)");
const QColor kFaultColor(170, 0, 0), kWarningColor(140, 80, 0);

QPushButton *button(const QString &text, QWidget *parent) { return new QPushButton(text, parent); }

}  // namespace

TQuantitation::TQuantitation(QWidget *parent) : QDialog(parent) {
  buildControls();
  folder_ = QDir::homePath();
  Quantitation = this;
}

TQuantitation::~TQuantitation() {
  if (Quantitation == this) Quantitation = nullptr;
}

void TQuantitation::buildControls() {
  setWindowTitle(QStringLiteral("Quantitation"));
  resize(920, 680);
  auto *layout = new QVBoxLayout(this);

  auto *tableRow = new QHBoxLayout;
  Table = new QTableWidget(0, 4, this);
  Table->setHorizontalHeaderLabels(
      {QStringLiteral("File"), QStringLiteral("Role"), QStringLiteral("Concentration"), QStringLiteral("Name")});
  Table->horizontalHeader()->setSectionResizeMode(FileColumn, QHeaderView::Stretch);
  Table->setSelectionBehavior(QAbstractItemView::SelectRows);
  Table->setToolTip(
      QStringLiteral("The measurement files: standards and samples for a calibration, or a sample "
                     "and its additions for a standard addition; blanks as you like"));
  tableRow->addWidget(Table, 1);
  auto *tableButtons = new QVBoxLayout;
  AddButton = button(QStringLiteral("&Add files..."), this);
  RemoveButton = button(QStringLiteral("&Remove"), this);
  LoadButton = button(QStringLiteral("&Load table..."), this);
  SaveButton = button(QStringLiteral("&Save table..."), this);
  for (QPushButton *b : {AddButton, RemoveButton, LoadButton, SaveButton}) tableButtons->addWidget(b);
  tableButtons->addStretch(1);
  tableRow->addLayout(tableButtons);
  layout->addLayout(tableRow, 2);

  auto *choices = new QHBoxLayout;
  UnitEdit = new QLineEdit(this);
  UnitEdit->setToolTip(QStringLiteral("Unit of the concentrations, shown with the results"));
  PotentialEdit = new QLineEdit(this);
  PotentialEdit->setPlaceholderText(QStringLiteral("largest peak"));
  PotentialEdit->setToolTip(
      QStringLiteral("The peaks nearest this potential are taken; empty: the largest peak of "
                     "the standards (of the sample, for a standard addition)"));
  WindowEdit = new QLineEdit(formatFixed(QuantitationSettings().window * 1000, 0), this);
  WindowEdit->setToolTip(QStringLiteral("Each file's peak must lie this near the potential"));
  WeightingBox = new QComboBox(this);
  WeightingBox->addItems({QStringLiteral("none"), QStringLiteral("1/x²")});
  CalculateButton = button(QStringLiteral("&Calculate"), this);
  CalculateButton->setDefault(true);
  auto addChoice = [&](const QString &label, QWidget *w) {
    choices->addWidget(new QLabel(label, this));
    choices->addWidget(w);
  };
  addChoice(QStringLiteral("Unit:"), UnitEdit);
  addChoice(QStringLiteral("Peak potential [mV]:"), PotentialEdit);
  addChoice(QStringLiteral("Window ± [mV]:"), WindowEdit);
  addChoice(QStringLiteral("Weighting:"), WeightingBox);
  choices->addWidget(CalculateButton);
  layout->addLayout(choices);

  auto *resultRow = new QHBoxLayout;
  Plot = new QuantitationPlot(this);
  resultRow->addWidget(Plot, 3);
  Results = new QTableWidget(0, 3, this);
  Results->setHorizontalHeaderLabels({QStringLiteral("Quantity"), QStringLiteral("Value"), QStringLiteral("Unit")});
  Results->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
  Results->verticalHeader()->hide();
  Results->setEditTriggers(QAbstractItemView::NoEditTriggers);
  resultRow->addWidget(Results, 2);
  layout->addLayout(resultRow, 3);

  Message = new QLabel(this);
  Message->setWordWrap(true);
  Message->setTextInteractionFlags(Qt::TextSelectableByMouse);
  layout->addWidget(Message);

  auto *bottom = new QHBoxLayout;
  CopyButton = button(QStringLiteral("C&opy"), this);
  CopyButton->setToolTip(QStringLiteral("Copies the results for a spreadsheet"));
  PrintButton = button(QStringLiteral("&Print"), this);
  PrintButton->setToolTip(QStringLiteral("Prints the one-page quantitation report"));
  CloseButton = button(QStringLiteral("Close"), this);
  bottom->addWidget(CopyButton);
  bottom->addWidget(PrintButton);
  bottom->addStretch(1);
  bottom->addWidget(CloseButton);
  layout->addLayout(bottom);

  connect(AddButton, &QPushButton::clicked, this, &TQuantitation::AddClick);
  connect(RemoveButton, &QPushButton::clicked, this, &TQuantitation::RemoveClick);
  connect(LoadButton, &QPushButton::clicked, this, &TQuantitation::LoadClick);
  connect(SaveButton, &QPushButton::clicked, this, &TQuantitation::SaveClick);
  connect(CalculateButton, &QPushButton::clicked, this, &TQuantitation::CalculateClick);
  connect(CopyButton, &QPushButton::clicked, this, &TQuantitation::CopyClick);
  connect(PrintButton, &QPushButton::clicked, this, &TQuantitation::PrintClick);
  connect(CloseButton, &QPushButton::clicked, this, &QDialog::accept);
  // A result always belongs to the table and the choices as they stand.
  connect(Table, &QTableWidget::itemChanged, this, &TQuantitation::clearResult);
  for (QLineEdit *edit : {UnitEdit, PotentialEdit, WindowEdit})
    connect(edit, &QLineEdit::textEdited, this, &TQuantitation::clearResult);
  connect(WeightingBox, &QComboBox::currentIndexChanged, this, &TQuantitation::clearResult);
  clearResult();
}

void TQuantitation::addRow(const QString &path, Role role, const QString &concentration, const QString &name) {
  const QSignalBlocker block(Table);
  const int row = Table->rowCount();
  Table->insertRow(row);
  auto *file = new QTableWidgetItem(QFileInfo(path).fileName());
  file->setData(kPathRole, path);
  file->setToolTip(QDir::toNativeSeparators(path));
  file->setFlags(file->flags() & ~Qt::ItemIsEditable);
  Table->setItem(row, FileColumn, file);
  auto *roles = new QComboBox(Table);
  for (Role r : {Role::Blank, Role::Standard, Role::Sample, Role::Addition}) roles->addItem(roleText(r));
  roles->setCurrentIndex(static_cast<int>(role));
  connect(roles, &QComboBox::currentIndexChanged, this, &TQuantitation::clearResult);
  Table->setCellWidget(row, RoleColumn, roles);
  Table->setItem(row, ConcentrationColumn, new QTableWidgetItem(concentration));
  Table->setItem(row, NameColumn, new QTableWidgetItem(name));
  clearResult();
}

void TQuantitation::addFiles(const QStringList &paths) {
  for (const QString &path : paths) addRow(QFileInfo(path).absoluteFilePath(), Role::Standard, QString(), QString());
}

bool TQuantitation::rowsTable(QuantitationTable *table) {
  QuantitationTable t;
  t.unit = UnitEdit->text().trimmed();
  for (int row = 0; row < Table->rowCount(); ++row) {
    const auto *roles = qobject_cast<QComboBox *>(Table->cellWidget(row, RoleColumn));
    TableEntry entry;
    TableError error;
    if (!makeTableEntry(Table->item(row, FileColumn)->data(kPathRole).toString(), roles->currentText(),
                        Table->item(row, ConcentrationColumn)->text(), Table->item(row, NameColumn)->text(),
                        row + kFirstLine, &entry, &error)) {
      showFault(QStringLiteral("Row %1: %2").arg(row + 1).arg(error.text), row);
      return false;
    }
    t.entries.push_back(entry);
  }
  *table = t;
  return true;
}

bool TQuantitation::readChoices(QuantitationSettings *settings) {
  QuantitationSettings s;
  bool number = false;
  const QString potential = PotentialEdit->text().trimmed();
  if (!potential.isEmpty()) {
    const double mv = readNumber(potential, &number);
    if (!number || !std::isfinite(mv))
      return showFault(QStringLiteral("The peak potential is a number of millivolts, or empty for the largest peak.")),
             false;
    s.potential = mv / 1000;
  }
  const double window = readNumber(WindowEdit->text(), &number);
  if (!number || !std::isfinite(window) || window <= 0)
    return showFault(QStringLiteral("The window is a number of millivolts above 0.")), false;
  s.window = window / 1000;
  s.weighting = WeightingBox->currentIndex() == 1 ? Weighting::InverseSquare : Weighting::None;
  *settings = s;
  return true;
}

void TQuantitation::showFault(const QString &text, int row) {
  clearResult();
  QPalette palette = Message->palette();
  palette.setColor(QPalette::WindowText, kFaultColor);
  Message->setPalette(palette);
  Message->setText(text);
  if (row >= 0) Table->selectRow(row);
}

void TQuantitation::clearResult() {
  result_.reset();
  Plot->setResult(result_);
  Results->setRowCount(0);
  Message->clear();
  CopyButton->setEnabled(false);
  PrintButton->setEnabled(false);
}

void TQuantitation::showResult() {
  Plot->setResult(result_);
  const std::vector<ResultRow> rows = resultRows(*result_);
  Results->setRowCount(static_cast<int>(rows.size()));
  for (int i = 0; i < static_cast<int>(rows.size()); ++i) {
    Results->setItem(i, 0, new QTableWidgetItem(rows[i].quantity));
    Results->setItem(i, 1, new QTableWidgetItem(rows[i].value));
    Results->setItem(i, 2, new QTableWidgetItem(rows[i].unit));
  }
  Results->resizeColumnToContents(1);
  QPalette palette = Message->palette();
  palette.setColor(QPalette::WindowText, kWarningColor);
  Message->setPalette(palette);
  Message->setText(result_->warnings.join(QLatin1Char('\n')));
  CopyButton->setEnabled(true);
  PrintButton->setEnabled(true);
}

void TQuantitation::CalculateClick() {
  QuantitationTable table;
  QuantitationSettings settings;
  if (!rowsTable(&table) || !readChoices(&settings)) return;
  QuantitationResult result;
  TableError error;
  QApplication::setOverrideCursor(Qt::WaitCursor);
  const bool done = quantifyTable(table, settings, &result, &error);
  QApplication::restoreOverrideCursor();
  if (!done) {
    const int row = error.line - kFirstLine;
    if (row >= 0) return showFault(QStringLiteral("Row %1: %2").arg(row + 1).arg(error.text), row);
    return showFault(error.text);
  }
  result_ = result;
  showResult();
}

QString TQuantitation::askFile(const QString &caption, const QString &filter, bool save) {
  QFileDialog dialog(this, caption, folder_, filter);
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  if (save) {
    dialog.setDefaultSuffix(QStringLiteral("csv"));
    if (!tablePath_.isEmpty()) dialog.selectFile(tablePath_);
  }
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return QString();
  folder_ = dialog.directory().absolutePath();
  return dialog.selectedFiles().constFirst();
}

void TQuantitation::AddClick() {
  QFileDialog dialog(this, QStringLiteral("Add measurement files"), folder_, kDataFilter);
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setFileMode(QFileDialog::ExistingFiles);
  if (dialog.exec() != QDialog::Accepted) return;
  folder_ = dialog.directory().absolutePath();
  addFiles(dialog.selectedFiles());
}

void TQuantitation::RemoveClick() {
  QList<int> rows;
  for (const QModelIndex &index : Table->selectionModel()->selectedRows()) rows << index.row();
  std::sort(rows.begin(), rows.end(), std::greater<int>());
  for (int row : rows) Table->removeRow(row);
  clearResult();
}

bool TQuantitation::loadTable(const QString &path) {
  QuantitationTable table;
  TableError error;
  if (!loadQuantitationTable(path, &table, &error)) {
    showFault(QDir::toNativeSeparators(path) + QStringLiteral(": ") + error.message());
    return false;
  }
  Table->setRowCount(0);
  UnitEdit->setText(table.unit);
  for (const TableEntry &e : table.entries) addRow(e.file, e.role, e.concentrationText, e.name);
  tablePath_ = QFileInfo(path).absoluteFilePath();
  clearResult();
  return true;
}

bool TQuantitation::saveTable(const QString &path) {
  QuantitationTable table;
  if (!rowsTable(&table)) return false;
  QString error;
  if (!saveQuantitationTable(path, table, &error)) {
    showFault(error);
    return false;
  }
  tablePath_ = QFileInfo(path).absoluteFilePath();
  return true;
}

void TQuantitation::LoadClick() {
  const QString path = askFile(QStringLiteral("Load quantitation table"), kTableFilter, false);
  if (!path.isEmpty()) loadTable(path);
}

void TQuantitation::SaveClick() {
  const QString path = askFile(QStringLiteral("Save quantitation table"), kTableFilter, true);
  if (!path.isEmpty()) saveTable(path);
}

void TQuantitation::CopyClick() {
  if (!result_) return;
  auto *data = new QMimeData;
  data->setText(quantitationTabText(*result_));
  data->setData(QStringLiteral("text/csv"), quantitationCsv(*result_));
  QApplication::clipboard()->setMimeData(data);
}

void TQuantitation::PrintClick() {
  if (!result_) return;
  const ReportStyle style = Page ? Page->reportStyle() : reportStyle(readPageSettings(IniFile(settingsFile())));
  const QuantitationResult result = *result_;
  PagePrint job;
  job.docName = kQuantitationTitle;
  if (!tablePath_.isEmpty()) {
    const QFileInfo table(tablePath_);
    job.pdfSuggestion = table.absolutePath() + QLatin1Char('/') + table.completeBaseName() + QStringLiteral(".pdf");
  }
  job.draw = [&](QPainter &painter, const PageGeometry &page) {
    drawQuantitationReport(painter, page, style, result, tablePath_);
  };
  printPage(this, job);
}

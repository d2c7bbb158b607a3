#include "files/ui/viewdta.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFrame>
#include <QGroupBox>
#include <QMessageBox>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>

#include "core/app_paths.h"
#include "core/ini_file.h"
#include "core/main_settings.h"
#include "core/text_io.h"
#include "files/file_operations.h"
#include "files/ui/data_rows_view.h"

TViewdata *Viewdata = nullptr;

namespace {

// Two overlapping sheets: the copy picture of the clipboard button.
QIcon copyIcon() {
  QPixmap pixmap(16, 16);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setPen(QColor(40, 40, 40));
  p.setBrush(Qt::white);
  p.drawRect(1, 1, 8, 10);
  p.drawRect(6, 4, 8, 10);
  p.setPen(QColor(0, 0, 128));
  for (int y = 7; y <= 12; y += 2) p.drawLine(8, y, 12, y);
  return QIcon(pixmap);
}

// A sheet with lines and a pen-coloured corner: the write-to-file picture.
QIcon writeIcon() {
  QPixmap pixmap(16, 16);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setPen(QColor(40, 40, 40));
  p.setBrush(Qt::white);
  p.drawRect(2, 1, 11, 13);
  p.setPen(QColor(0, 0, 128));
  for (int y = 4; y <= 11; y += 2) p.drawLine(4, y, 11, y);
  p.fillRect(9, 10, 6, 5, QColor(0, 128, 0));
  return QIcon(pixmap);
}

QCheckBox *columnSwitch(const QString &text, int top, QWidget *group) {
  auto *box = new QCheckBox(text, group);
  box->setGeometry(6, top, 93, 17);
  return box;
}

}  // namespace

TViewdata::TViewdata(MeasurementRecord &record, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowStaysOnTopHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      record_(record) {
  Viewdata = this;
  setObjectName(QStringLiteral("Viewdata"));
  setWindowTitle(QStringLiteral("View data text"));
  QFont dialogFont(QStringLiteral("MS Sans Serif"));
  dialogFont.setPixelSize(11);
  setFont(dialogFont);
  setFixedSize(336, 207);

  // Header and rows share their tab stops, so the column names stand over the columns.
  Memo2 = new QPlainTextEdit(this);
  Memo2->setGeometry(4, 8, 213, 17);
  Memo2->setEnabled(false);
  Memo2->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

  Memo2->setLineWrapMode(QPlainTextEdit::NoWrap);
  Memo2->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  Memo2->setTabStopDistance(Memo2->fontMetrics().averageCharWidth() * 8);
  Memo2->document()->setDocumentMargin(1);  // the one-line header box has room for no more

  Memo1 = new DataRowsView(this);
  Memo1->setGeometry(4, 24, 213, 177);
  Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  Memo1->setTabStopDistance(Memo1->fontMetrics().averageCharWidth() * 8);

  auto *group = new QGroupBox(QStringLiteral(" Show data "), this);
  group->setGeometry(228, 8, 101, 97);
  CheckBox1 = columnSwitch(QStringLiteral("Point number"), 16, group);
  CheckBox3 = columnSwitch(QStringLiteral("Time"), 36, group);
  CheckBox4 = columnSwitch(QStringLiteral("Potential"), 56, group);
  CheckBox5 = columnSwitch(QStringLiteral("Current"), 76, group);
  for (QCheckBox *box : {CheckBox1, CheckBox3, CheckBox4, CheckBox5})
    connect(box, &QCheckBox::clicked, this, &TViewdata::Refresh);

  auto *bevel = new QFrame(this);
  bevel->setGeometry(228, 112, 101, 41);
  bevel->setFrameStyle(QFrame::Box | QFrame::Sunken);

  BitBtn1 = new QToolButton(this);
  BitBtn1->setGeometry(241, 120, 28, 25);
  BitBtn1->setIcon(copyIcon());
  BitBtn1->setToolTip(QStringLiteral("Copy data to clipboard"));
  connect(BitBtn1, &QToolButton::clicked, this, &TViewdata::BitBtn1Click);

  BitBtn2 = new QToolButton(this);
  BitBtn2->setGeometry(288, 120, 28, 25);
  BitBtn2->setIcon(writeIcon());
  BitBtn2->setToolTip(QStringLiteral("Write data to text file"));
  connect(BitBtn2, &QToolButton::clicked, this, &TViewdata::BitBtn2Click);

  Button1 = new QPushButton(QStringLiteral("&Close"), this);
  Button1->setGeometry(232, 168, 89, 25);
  Button1->setDefault(true);
  connect(Button1, &QPushButton::clicked, this, &TViewdata::Button1Click);

  FormCreate();
}

TViewdata::~TViewdata() {
  if (Viewdata == this) Viewdata = nullptr;
}

void TViewdata::FormCreate() {
  const IniFile ini(settingsFile());
  saveDirectory_ = readInitialDirectory(ini);
  const QString section = QStringLiteral("View data");
  CheckBox1->setChecked(ini.readBool(section, QStringLiteral("Point number"), true));
  CheckBox3->setChecked(ini.readBool(section, QStringLiteral("Time"), true));
  CheckBox4->setChecked(ini.readBool(section, QStringLiteral("Potential"), true));
  CheckBox5->setChecked(ini.readBool(section, QStringLiteral("Current"), true));
  Refresh();
}

DataViewColumns TViewdata::columns() const {
  DataViewColumns c;
  c.pointNumber = CheckBox1->isChecked();
  c.time = CheckBox3->isChecked();
  c.potential = CheckBox4->isChecked();
  c.current = CheckBox5->isChecked();
  return c;
}

void TViewdata::Refresh() {
  const DataViewColumns c = columns();
  Memo2->setPlainText(dataViewHeader(record_, c));
  Memo1->setRows(DataViewRows(record_, c));
}

void TViewdata::showEvent(QShowEvent *event) {
  Refresh();
  QDialog::showEvent(event);
}

void TViewdata::BitBtn1Click() {
  Memo1->selectAll();
  Memo1->copy();
}

void TViewdata::BitBtn2Click() {
  const QString directory = saveFileName_.isEmpty() ? saveDirectory_ : QFileInfo(saveFileName_).absolutePath();
  QFileDialog dialog(this, QStringLiteral("Save As"), directory);
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setOption(QFileDialog::DontConfirmOverwrite);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setNameFilter(QStringLiteral("Data text file (*.txt)"));
  dialog.setDefaultSuffix(QStringLiteral("txt"));
  if (!saveFileName_.isEmpty()) dialog.selectFile(QFileInfo(saveFileName_).fileName());
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
  saveFileName_ = dialog.selectedFiles().constFirst();
  // The header and every row as the boxes hold them now, a piece at a time.
  AtomicFileWriter file(saveFileName_);
  QByteArray piece;
  auto line = [&](const QString &text) {
    piece += text.toUtf8();
    piece += "\r\n";
    if (piece.size() < (1 << 20)) return;
    file.write(piece.constData(), piece.size());
    piece.clear();
  };
  line(Memo2->toPlainText());
  Memo1->forEachRow(line);
  file.write(piece.constData(), piece.size());
  QString reason;
  if (!file.commit(&reason)) QMessageBox::critical(this, kTitle, cannotWriteMessage(saveFileName_, reason));
}

void TViewdata::Button1Click() { accept(); }

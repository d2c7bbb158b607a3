#include "printing/ui/printwn.h"

#include <QColorDialog>
#include <QFontDialog>

#include "core/app_paths.h"
#include "core/measurement_record.h"
#include "core/numbers.h"
#include "printing/miniature_layout.h"
#include "printing/ui/report_printer.h"

TPage *Page = nullptr;

namespace {

const QColor kSilver(192, 192, 192);

QLabel *label(const QString &text, QWidget *parent, int x, int y) {
  auto *l = new QLabel(text, parent);
  l->move(x, y);
  return l;
}

QLineEdit *marginEdit(const QString &name, const QString &caption, QWidget *parent, int x, int y) {
  label(caption, parent, x, y + 4);
  auto *edit = new QLineEdit(parent);
  edit->setObjectName(name);
  edit->setGeometry(x + 50, y, 80, 24);
  return edit;
}

PreviewShape *shape(const QString &name, QWidget *parent) {
  auto *s = new PreviewShape(parent);
  s->setObjectName(name);
  return s;
}

QPushButton *button(const QString &name, const QString &text, QWidget *parent, int x, int y) {
  auto *b = new QPushButton(text, parent);
  b->setObjectName(name);
  b->setGeometry(x, y, 104, 28);
  return b;
}

}  // namespace

TPage::TPage(QWidget *parent) : QDialog(parent) {
  Page = this;
  buildControls();
  FormCreate();
}

TPage::~TPage() {
  if (Page == this) Page = nullptr;
}

void TPage::buildControls() {
  setWindowTitle(QStringLiteral("Print report"));
  setFixedSize(560, 336);

  auto *header = new QGroupBox(this);
  header->setGeometry(8, 4, 544, 52);
  label(QStringLiteral("Printer:"), header, 12, 8);
  Label2 = label(QString(), header, 90, 8);
  Label2->setObjectName(QStringLiteral("Label2"));
  Label2->setFixedWidth(440);
  label(QStringLiteral("Paper size:"), header, 12, 28);
  Label7 = label(QString(), header, 90, 28);
  Label7->setObjectName(QStringLiteral("Label7"));
  Label7->setFixedWidth(440);

  auto *page = new QGroupBox(QStringLiteral(" Page "), this);
  page->setGeometry(8, 62, 544, 222);

  Orientation1 = new QGroupBox(QStringLiteral(" Orientation "), page);
  Orientation1->setObjectName(QStringLiteral("Orientation1"));
  Orientation1->setGeometry(212, 16, 320, 50);
  Portrait = new QRadioButton(QStringLiteral("Portrait"), Orientation1);
  Portrait->setGeometry(12, 22, 140, 22);
  Landscape = new QRadioButton(QStringLiteral("Landscape"), Orientation1);
  Landscape->setGeometry(166, 22, 140, 22);
  Portrait->setChecked(true);

  auto *margins = new QGroupBox(QStringLiteral(" Margins [cm] "), page);
  margins->setGeometry(212, 72, 320, 84);
  Left = marginEdit(QStringLiteral("Left"), QStringLiteral("Left"), margins, 12, 22);
  Right = marginEdit(QStringLiteral("Right"), QStringLiteral("Right"), margins, 166, 22);
  Top = marginEdit(QStringLiteral("Top"), QStringLiteral("Top"), margins, 12, 52);
  Bottom = marginEdit(QStringLiteral("Bottom"), QStringLiteral("Bottom"), margins, 166, 52);

  auto *graph = new QGroupBox(QStringLiteral(" Graph "), page);
  graph->setGeometry(212, 162, 320, 52);
  Grid = new QCheckBox(QStringLiteral("Visible grid"), graph);
  Grid->setObjectName(QStringLiteral("Grid"));
  Grid->setGeometry(12, 22, 140, 22);
  label(QStringLiteral("Line width"), graph, 166, 26);
  CWidth = new QSpinBox(graph);
  CWidth->setObjectName(QStringLiteral("CWidth"));
  CWidth->setRange(1, 20);
  CWidth->setGeometry(246, 20, 60, 26);

  Panel1 = new PreviewSheet(page);
  Panel1->setObjectName(QStringLiteral("Panel1"));
  // Back to front: grid bands under the frames, the curve sample on top.
  Shape1 = shape(QStringLiteral("Shape1"), Panel1);
  Shape2 = shape(QStringLiteral("Shape2"), Panel1);
  Shape3 = shape(QStringLiteral("Shape3"), Panel1);
  Shape4 = shape(QStringLiteral("Shape4"), Panel1);
  for (PreviewShape *band : {Shape1, Shape2, Shape3, Shape4}) {
    band->setPen(kSilver);
    band->setBrush(kSilver);
  }
  Shape5 = shape(QStringLiteral("Shape5"), Panel1);
  Shape5->setPen(Qt::gray, Qt::DotLine);
  Shape6 = shape(QStringLiteral("Shape6"), Panel1);
  Shape6->setPen(Qt::black);
  Shape7 = shape(QStringLiteral("Shape7"), Panel1);
  Shape7->setPen(Qt::black);
  CLine = shape(QStringLiteral("CLine"), Panel1);
  CLine->setCursor(Qt::PointingHandCursor);
  CLine->setToolTip(QStringLiteral("Color of capacitance line"));
  Label8 = new QLabel(kTitle, Panel1);
  Label8->setObjectName(QStringLiteral("Label8"));
  Label5 = new QLabel(QStringLiteral("Description"), Panel1);
  Label5->setObjectName(QStringLiteral("Label5"));

  Button1 = button(QStringLiteral("Button1"), QStringLiteral("&Font"), this, 8, 296);
  Button4 = button(QStringLiteral("Button4"), QStringLiteral("Printer &setup"), this, 120, 296);
  Button2 = button(QStringLiteral("Button2"), QStringLiteral("&Print"), this, 336, 296);
  Button3 = button(QStringLiteral("Button3"), QStringLiteral("&Cancel"), this, 448, 296);
  Button2->setDefault(true);

  connect(Button2, &QPushButton::clicked, this, &QDialog::accept);
  connect(Button3, &QPushButton::clicked, this, &QDialog::reject);
  connect(Button1, &QPushButton::clicked, this, &TPage::Button1Click);
  connect(Button4, &QPushButton::clicked, this, &TPage::Button4Click);
  connect(CLine, &PreviewShape::pressed, this, &TPage::CLineMouseDown);
  connect(Panel1, &PreviewSheet::clicked, this, &TPage::Panel1Click);
  connect(Portrait, &QRadioButton::clicked, this, &TPage::Panel1Click);
  connect(Landscape, &QRadioButton::clicked, this, &TPage::Panel1Click);
  connect(Grid, &QCheckBox::clicked, this, &TPage::Panel1Click);
  for (QLineEdit *edit : {Top, Bottom, Left, Right}) connect(edit, &QLineEdit::textChanged, this, &TPage::Panel1Click);
}

void TPage::FormCreate() { applySettings(readPageSettings(IniFile(settingsFile()))); }

void TPage::applySettings(const PageSettings &s) {
  const QSignalBlocker blockTop(Top), blockBottom(Bottom), blockLeft(Left), blockRight(Right);
  (s.orientation == OrientationLandscape ? Landscape : Portrait)->setChecked(true);
  Top->setText(s.marginTop);
  Bottom->setText(s.marginBottom);
  Left->setText(s.marginLeft);
  Right->setText(s.marginRight);
  CLine->setPen(s.curveColor);
  CLine->setBrush(s.curveColor);
  CWidth->setValue(s.lineWidth);
  Grid->setChecked(s.visibleGrid);
  Font1 = s.font();
  fontColor = s.fontColor;
  Panel1Click();
}

PageSettings TPage::settings() const {
  PageSettings s;
  s.orientation = orientation();
  s.marginTop = Top->text();
  s.marginBottom = Bottom->text();
  s.marginLeft = Left->text();
  s.marginRight = Right->text();
  s.curveColor = CLine->penColor();
  s.lineWidth = CWidth->value();
  s.visibleGrid = Grid->isChecked();
  s.setFont(Font1);
  s.fontColor = fontColor;
  return s;
}

void TPage::writeSettings(IniFile &ini) const { writePageSettings(ini, settings()); }

ReportStyle TPage::reportStyle() const {
  ReportStyle style;
  style.marginLeft = marginLeft;
  style.marginRight = marginRight;
  style.marginTop = marginTop;
  style.marginBottom = marginBottom;
  style.font = Font1;
  style.fontColor = fontColor;
  style.curveColor = CLine->penColor();
  style.lineWidth = CWidth->value();
  style.visibleGrid = Grid->isChecked();
  return style;
}

void TPage::Panel1Click() {
  if (isVisible() || reportPrinterMade()) readPrinter();
  marginTop = readNumber(Top->text());
  marginBottom = readNumber(Bottom->text());
  marginLeft = readNumber(Left->text());
  marginRight = readNumber(Right->text());
  placePreview();
}

void TPage::showEvent(QShowEvent *event) {
  Panel1Click();
  QDialog::showEvent(event);
}

void TPage::readPrinter() {
  QPrinter &printer = reportPrinter();
  printer.setPageOrientation(orientation() == OrientationLandscape ? QPageLayout::Landscape : QPageLayout::Portrait);
  const bool installed = printerInstalled();
  Label2->setText(installed && !printer.printerName().isEmpty()
                      ? printer.printerName()
                      : QStringLiteral("No printer installed: the report goes to a PDF file"));
  const QRectF sheet = printer.paperRect(QPrinter::DevicePixel);
  paperWidth = printer.logicalDpiX() > 0 ? sheet.width() * 2.54 / printer.logicalDpiX() : 0;
  paperHeight = printer.logicalDpiY() > 0 ? sheet.height() * 2.54 / printer.logicalDpiY() : 0;
  Label7->setText(formatFixed(paperWidth, 1) + QStringLiteral(" x ") + formatFixed(paperHeight, 1) +
                  QStringLiteral(" cm"));
}

void TPage::placePreview() {
  MiniatureInput in;
  in.orientation = orientation();
  in.paperWidth = paperWidth;
  in.paperHeight = paperHeight;
  in.marginLeft = marginLeft;
  in.marginRight = marginRight;
  in.marginTop = marginTop;
  in.marginBottom = marginBottom;
  in.fontSize = Font1.pointSize() > 0 ? Font1.pointSize() : 12;
  const MiniatureLayout m = miniatureLayout(in);

  Panel1->setGeometry(m.panel);
  Shape5->setGeometry(m.shape5);
  Shape6->setGeometry(m.shape6);
  Shape1->setGeometry(m.shape1);
  Shape2->setGeometry(m.shape2);
  Shape3->setGeometry(m.shape3);
  Shape4->setGeometry(m.shape4);
  Shape7->setGeometry(m.shape7);
  CLine->setGeometry(m.cline);
  for (PreviewShape *band : {Shape1, Shape2, Shape3, Shape4}) band->setVisible(Grid->isChecked());

  QFont titleFont = Font1;
  titleFont.setPointSize(m.label8Size);
  titleFont.setBold(false);
  titleFont.setItalic(false);
  titleFont.setUnderline(false);
  titleFont.setStrikeOut(false);
  Label8->setFont(titleFont);
  QPalette titlePalette = Label8->palette();
  titlePalette.setColor(QPalette::WindowText, Qt::black);
  Label8->setPalette(titlePalette);
  Label8->setGeometry(m.label8.left(), m.label8.top(), m.label8.width(), Label8->sizeHint().height());

  QFont descriptionFont = Font1;
  descriptionFont.setPointSize(std::max(1, m.label5Size));
  Label5->setFont(descriptionFont);
  QPalette descriptionPalette = Label5->palette();
  descriptionPalette.setColor(QPalette::WindowText, fontColor);
  Label5->setPalette(descriptionPalette);
  Label5->setGeometry(m.label5.left(), m.label5.top(), m.label5.width(), Label5->sizeHint().height());
}

void TPage::Button1Click() {
  bool ok = false;
  const QFont chosen = QFontDialog::getFont(&ok, Font1, this, QStringLiteral("Font"), QFontDialog::DontUseNativeDialog);
  if (ok) Font1 = chosen;
  Panel1Click();
}

void TPage::CLineMouseDown() {
  const QColor chosen =
      QColorDialog::getColor(CLine->penColor(), this, QStringLiteral("Color"), QColorDialog::DontUseNativeDialog);
  if (!chosen.isValid()) return;
  CLine->setPen(chosen);
  CLine->setBrush(chosen);
}

void TPage::Button4Click() {
  showPrinterSetup(this);
  (reportPrinter().pageLayout().orientation() == QPageLayout::Landscape ? Landscape : Portrait)->setChecked(true);
  Panel1Click();
}

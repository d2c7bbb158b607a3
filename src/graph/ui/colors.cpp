#include "graph/ui/colors.h"

#include <QColorDialog>
#include <QFrame>
#include <QPushButton>

#include "core/app_paths.h"
#include "core/ini_file.h"
#include "graph/graph_colors.h"
#include "graph/ui/rectangle_shape.h"

TGColors *GColors = nullptr;

namespace {
const QString kSection = QStringLiteral("Graph setup");
const QString kLineKey = QStringLiteral("C line color");
const QString kBackgroundKey = QStringLiteral("Bkg color");
}  // namespace

TGColors::TGColors(QWidget *parent) : QDialog(parent) {
  GColors = this;
  setWindowTitle(QStringLiteral("Graph colors"));
  setFixedSize(283, 199);

  Bevel1 = new QFrame(this);
  Bevel1->setFrameStyle(QFrame::Box | QFrame::Sunken);
  Bevel1->setGeometry(8, 8, 257, 113);
  Bkg = new RectangleShape(this);
  Bkg->setGeometry(16, 16, 121, 97);
  CLine = new RectangleShape(this);
  CLine->setGeometry(24, 32, 105, 2);

  Button2 = new QPushButton(QStringLiteral("Signal line"), this);
  Button2->setGeometry(144, 56, 113, 25);
  Button4 = new QPushButton(QStringLiteral("Background"), this);
  Button4->setGeometry(144, 88, 113, 25);
  Button1 = new QPushButton(QStringLiteral("OK"), this);
  Button1->setGeometry(184, 136, 75, 25);
  Button1->setDefault(true);
  connect(Button2, &QPushButton::clicked, this, &TGColors::Button2Click);
  connect(Button4, &QPushButton::clicked, this, &TGColors::Button4Click);
  connect(Button1, &QPushButton::clicked, this, &QDialog::accept);

  FormCreate();
}

TGColors::~TGColors() {
  if (GColors == this) GColors = nullptr;
}

void TGColors::FormCreate() {
  const IniFile ini(settingsFile());
  CLine->setPenColor(colorFromValue(ini.readInteger(kSection, kLineKey, kDefaultLineColor)));
  Bkg->setBrushColor(colorFromValue(ini.readInteger(kSection, kBackgroundKey, kDefaultBackgroundColor)));
}

QColor TGColors::lineColor() const { return CLine->penColor(); }
QColor TGColors::backgroundColor() const { return Bkg->brushColor(); }
int TGColors::lineColorValue() const { return colorValue(lineColor()); }
int TGColors::backgroundColorValue() const { return colorValue(backgroundColor()); }

void TGColors::writeSettings(IniFile &ini) const {
  ini.writeInteger(kSection, kLineKey, lineColorValue());
  ini.writeInteger(kSection, kBackgroundKey, backgroundColorValue());
}

QColor TGColors::pickColor(const QColor &initial) {
  // Made at the first pick: the picker costs the program's start more than all else here.
  if (!ColorDialog1) {
    ColorDialog1 = new QColorDialog(this);
    ColorDialog1->setOption(QColorDialog::DontUseNativeDialog);
  }
  ColorDialog1->setCurrentColor(initial);
  if (ColorDialog1->exec() != QDialog::Accepted) return initial;
  const QColor picked = ColorDialog1->selectedColor();
  return picked.isValid() ? picked : initial;
}

void TGColors::Button2Click() {
  const QColor color = pickColor(lineColor());
  CLine->setBrushColor(color);
  CLine->setPenColor(color);
}

void TGColors::Button4Click() { Bkg->setBrushColor(pickColor(backgroundColor())); }

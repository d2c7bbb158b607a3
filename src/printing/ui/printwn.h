#pragma once
// "Print report": printer and paper, orientation, margins, report font, curve
// colour and width, grid, with a live miniature of the page.

#include <QCheckBox>
#include <QDialog>
#include <QFont>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>

#include "core/ini_file.h"
#include "printing/page_settings.h"
#include "printing/report_layout.h"
#include "printing/ui/preview_shape.h"

class TPage : public QDialog {
  Q_OBJECT
 public:
  // Reads the "Page setup" keys of the settings file and draws the preview.
  explicit TPage(QWidget *parent = nullptr);
  ~TPage() override;

  // Writes the "Page setup" keys in their fixed order.
  void writeSettings(IniFile &ini) const;
  // The dialog's choices as they stand.
  PageSettings settings() const;
  void applySettings(const PageSettings &settings);
  // What the report reads: parsed margins, font, curve colour and width.
  ReportStyle reportStyle() const;
  int orientation() const { return Landscape->isChecked() ? OrientationLandscape : OrientationPortrait; }

  void FormCreate();
  // Rereads the margins and redraws the miniature; once the dialog has been
  // shown (or the printer made) also sets the printer's orientation and
  // shows its name and paper.
  void Panel1Click();
  void Button1Click();
  void CLineMouseDown();
  void Button4Click();

  // Margins as last parsed (cm) and the sheet of the printer (cm).
  double marginLeft = 0, marginRight = 0, marginTop = 0, marginBottom = 0;
  double paperWidth = 0, paperHeight = 0;

  QLabel *Label2, *Label7, *Label8, *Label5;
  QPushButton *Button1, *Button2, *Button3, *Button4;
  QGroupBox *Orientation1;
  QRadioButton *Portrait, *Landscape;
  PreviewSheet *Panel1;
  PreviewShape *Shape1, *Shape2, *Shape3, *Shape4, *Shape5, *Shape6, *Shape7, *CLine;
  QLineEdit *Left, *Right, *Top, *Bottom;
  QCheckBox *Grid;
  QSpinBox *CWidth;
  QFont Font1;
  QColor fontColor;

 protected:
  void showEvent(QShowEvent *event) override;

 private:
  void buildControls();
  void readPrinter();
  void placePreview();
};

extern TPage *Page;

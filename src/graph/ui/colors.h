#pragma once
// The graph colours dialog: holds the colour of the signal line and of the
// plot background for the whole run of the program, and lets the user pick
// them with the colour picker.

#include <QColor>
#include <QDialog>

class IniFile;
class QColorDialog;
class QFrame;
class QPushButton;
class RectangleShape;

class TGColors : public QDialog {
  Q_OBJECT
 public:
  // The instance becomes GColors.
  explicit TGColors(QWidget *parent = nullptr);
  ~TGColors() override;

  // The signal line: the outline of CLine. The background: the fill of Bkg.
  QColor lineColor() const;
  QColor backgroundColor() const;
  // The same as 0x00BBGGRR values.
  int lineColorValue() const;
  int backgroundColorValue() const;

  // Writes "C line color" and "Bkg color" to section "Graph setup".
  void writeSettings(IniFile &ini) const;

  void Button2Click();
  void Button4Click();

 private:
  void FormCreate();
  // The picker's colour, or `initial` when the picker is cancelled.
  QColor pickColor(const QColor &initial);

  QFrame *Bevel1;
  RectangleShape *Bkg;
  RectangleShape *CLine;
  QPushButton *Button2, *Button4, *Button1;
  QColorDialog *ColorDialog1 = nullptr;
};

extern TGColors *GColors;

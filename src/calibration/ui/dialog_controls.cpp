#include "calibration/ui/dialog_controls.h"

#include <QComboBox>
#include <QFont>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QSignalBlocker>

void useDialogFont(QWidget *dialog) {
  // Where the Windows dialog font is missing, one of the same width: the
  // labels must fit before the controls at their fixed positions.
  QFont font;
  font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Arial"), QStringLiteral("Liberation Sans")});
  font.setPixelSize(11);
  dialog->setFont(font);
}

QLabel *makeLabel(const QString &text, QWidget *parent, int left, int top) {
  auto *label = new QLabel(text, parent);
  label->move(left, top);
  label->adjustSize();
  return label;
}

QLineEdit *makeEdit(QWidget *parent, int left, int top, int width) {
  auto *edit = new QLineEdit(parent);
  edit->setGeometry(left, top, width, 21);
  return edit;
}

QComboBox *makeList(QWidget *parent, int left, int top, int width) {
  auto *list = new QComboBox(parent);
  list->setGeometry(left, top, width, 21);
  return list;
}

void putStoredText(QLineEdit *edit, const QString &text) {
  const QSignalBlocker quiet(edit);
  edit->setText(text);
}

QLabel *makeReadoutPanel(QWidget *parent, const QRect &geometry, int pixelSize, const QColor &background,
                         QFrame::Shadow bevel) {
  auto *panel = new QLabel(parent);
  panel->setGeometry(geometry);
  panel->setFrameStyle(QFrame::Panel | bevel);
  panel->setLineWidth(1);
  panel->setAlignment(Qt::AlignCenter);
  QFont font;
  font.setFamilies({QStringLiteral("Arial"), QStringLiteral("Liberation Sans")});
  font.setPixelSize(pixelSize);
  font.setBold(true);
  panel->setFont(font);
  QPalette palette = panel->palette();
  palette.setColor(QPalette::Window, background);
  palette.setColor(QPalette::WindowText, QColor(0, 0, 128));
  panel->setPalette(palette);
  panel->setAutoFillBackground(true);
  return panel;
}

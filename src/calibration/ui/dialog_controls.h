#pragma once
// Controls shared by the three dialogs, laid out at fixed pixel positions in
// their small dialog font, and the framed panel that shows a reading in large
// bold digits.

#include <QColor>
#include <QFrame>
#include <QRect>
#include <QString>

class QComboBox;
class QLabel;
class QLineEdit;
class QWidget;

// The 11-pixel dialog font the fixed control positions are laid out for.
void useDialogFont(QWidget *dialog);

QLabel *makeLabel(const QString &text, QWidget *parent, int left, int top);
QLineEdit *makeEdit(QWidget *parent, int left, int top, int width);
// A drop-down list the user can only choose from.
QComboBox *makeList(QWidget *parent, int left, int top, int width);

// Puts a stored text into an edit without running its change handler: the
// handler would only store the same text back.
void putStoredText(QLineEdit *edit, const QString &text);

// A centred reading in bold Arial of `pixelSize`, navy on `background`.
QLabel *makeReadoutPanel(QWidget *parent, const QRect &geometry, int pixelSize, const QColor &background,
                         QFrame::Shadow bevel);

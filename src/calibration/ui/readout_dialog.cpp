#include "calibration/ui/readout_dialog.h"

#include <QHideEvent>
#include <QShowEvent>
#include <QTimer>

#include "calibration/ui/dialog_controls.h"

ReadoutDialog::ReadoutDialog(QWidget *parent, const QString &name, const QString &title, QSize size, int intervalMs)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint) {
  setObjectName(name);
  setWindowTitle(title);
  useDialogFont(this);
  setFixedSize(size);
  Timer1 = new QTimer(this);
  Timer1->setInterval(intervalMs);
  connect(Timer1, &QTimer::timeout, this, [this] { Timer1Timer(); });
}

void ReadoutDialog::startTimer1() {
  if (!Timer1->isActive()) Timer1->start();
}

void ReadoutDialog::showEvent(QShowEvent *event) {
  QDialog::showEvent(event);
  if (!event->spontaneous()) opened();
}

void ReadoutDialog::hideEvent(QHideEvent *event) {
  if (!event->spontaneous()) FormDeactivate();
  QDialog::hideEvent(event);
}

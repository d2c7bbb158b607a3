#include "app/ui/end_on_signal.h"

#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QTextStream>
#include <QTimer>

#include "app/termination_signals.h"
#include "app/ui/sdimain.h"

namespace {

void dismiss(QWidget *modal) {
  if (auto *box = qobject_cast<QMessageBox *>(modal)) QTextStream(stderr) << "dpv: " << box->text() << Qt::endl;
  if (auto *dialog = qobject_cast<QDialog *>(modal))
    dialog->reject();
  else
    modal->close();
}

}  // namespace

void endOnTerminationSignal(TSDIAppForm &mainWindow) {
  onTerminationSignal(&mainWindow, [&mainWindow](int signal) {
    QTextStream(stderr) << "dpv: " << terminationSignalName(signal) << ", ending" << Qt::endl;
    // Until the program has ended, every dialog that opens (an error of the
    // settings or calibration file among them) is closed at once. The main
    // window closes once no dialog's loop is running above it.
    auto *ending = new QTimer(qApp);
    QObject::connect(ending, &QTimer::timeout, [&mainWindow, closed = false]() mutable {
      if (QWidget *modal = QApplication::activeModalWidget()) {
        dismiss(modal);
        return;
      }
      if (closed) return;
      closed = true;
      mainWindow.closeUnasked();
    });
    ending->start(20);
  });
}

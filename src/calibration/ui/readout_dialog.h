#pragma once
// What the three readout dialogs share: a fixed-size dialog in the small
// dialog font whose Timer1 reads the instrument while the dialog is shown.
// Showing it (not a spontaneous show) runs FormActivate, hiding it
// FormDeactivate.

#include <QDialog>
#include <QSize>
#include <QString>

class QTimer;

class ReadoutDialog : public QDialog {
  Q_OBJECT
 public:
  virtual void FormActivate() = 0;
  virtual void FormDeactivate() = 0;
  virtual void Timer1Timer() = 0;

  QTimer *Timer1;

 protected:
  ReadoutDialog(QWidget *parent, const QString &name, const QString &title, QSize size, int intervalMs);

  // Starts Timer1 unless it runs already, so a new activation keeps its rhythm.
  void startTimer1();
  // What showing the dialog does; FormActivate unless a dialog says more.
  virtual void opened() { FormActivate(); }

  void showEvent(QShowEvent *event) override;
  void hideEvent(QHideEvent *event) override;
};

#pragma once
// "Printing": the small modeless box that shows the phase of the report and
// how far the curve has got.

#include <QDialog>
#include <QLabel>
#include <QProgressBar>

class TPrintBox1 : public QDialog {
  Q_OBJECT
 public:
  explicit TPrintBox1(QWidget *parent = nullptr);
  ~TPrintBox1() override;

  // Shows a new phase at once; the box is not served by the event loop meanwhile.
  void setStatus(const QString &text);
  void setProgress(int percent);

  QLabel *Status;
  QProgressBar *Progress;
};

extern TPrintBox1 *PrintBox1;

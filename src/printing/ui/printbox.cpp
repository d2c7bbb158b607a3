#include "printing/ui/printbox.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

TPrintBox1 *PrintBox1 = nullptr;

TPrintBox1::TPrintBox1(QWidget *parent) : QDialog(parent) {
  PrintBox1 = this;
  setWindowTitle(QStringLiteral("Printing"));
  setModal(false);
  auto *caption = new QLabel(QStringLiteral("Printing: "), this);
  Status = new QLabel(this);
  Status->setObjectName(QStringLiteral("Status"));
  Status->setMinimumWidth(140);
  Progress = new QProgressBar(this);
  Progress->setObjectName(QStringLiteral("Progress"));
  Progress->setRange(0, 100);
  Progress->setValue(0);
  auto *row = new QHBoxLayout;
  row->addWidget(caption);
  row->addWidget(Status, 1);
  auto *layout = new QVBoxLayout(this);
  layout->addLayout(row);
  layout->addWidget(Progress);
  setFixedSize(300, 90);
}

TPrintBox1::~TPrintBox1() {
  if (PrintBox1 == this) PrintBox1 = nullptr;
}

void TPrintBox1::setStatus(const QString &text) {
  Status->setText(text);
  if (isVisible()) Status->repaint();
}

void TPrintBox1::setProgress(int percent) {
  Progress->setValue(percent);
  if (isVisible()) Progress->repaint();
}

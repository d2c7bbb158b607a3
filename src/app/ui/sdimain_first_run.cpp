// Run on the factory settings: the message offers the example parameters, so
// a first measurement needs no reading.
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>

#include "app/ui/sdimain.h"
#include "core/app_paths.h"

namespace {
const QString kExampleParameters = QStringLiteral("examples/first-sweep.dpv");
}  // namespace

void TSDIAppForm::refuseRun(const QString &problem, bool factoryRange) {
  const QString text = QStringLiteral("The measurement cannot start.\n") + problem;
  const QString example = shippedFile(kExampleParameters);
  if (!factoryRange || !QFileInfo::exists(example)) {
    QMessageBox::warning(this, kTitle, text);
    return;
  }
  QMessageBox box(QMessageBox::Warning, kTitle,
                  text + QStringLiteral("\n\nOpen the example parameters? They sweep over the peak of the "
                                        "simulated cell; then press Run."),
                  QMessageBox::Close, this);
  QPushButton *open = box.addButton(QStringLiteral("Open example"), QMessageBox::AcceptRole);
  box.setDefaultButton(open);
  box.exec();
  if (box.clickedButton() == open) openAtStart(example);
}

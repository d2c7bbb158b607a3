#include "references/ui/reference_dialogs.h"

#include <QFileDialog>

#include "files/ui/file_commands.h"

namespace {

QStringList askFiles(QWidget *parent, const QString &title, const QString &directory, QFileDialog::FileMode mode) {
  QFileDialog dialog(parent, title, directory);
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(mode);
  dialog.setNameFilters(FileCommands::openFilters());
  dialog.setDefaultSuffix(QStringLiteral("dpv"));
  if (dialog.exec() != QDialog::Accepted) return {};
  return dialog.selectedFiles();
}

}  // namespace

QStringList askReferenceFiles(QWidget *parent, const QString &directory) {
  return askFiles(parent, QStringLiteral("Add reference curve"), directory, QFileDialog::ExistingFiles);
}

QString askBlankFile(QWidget *parent, const QString &directory) {
  return askFiles(parent, QStringLiteral("Subtract blank"), directory, QFileDialog::ExistingFile).value(0);
}

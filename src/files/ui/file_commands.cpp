#include "files/ui/file_commands.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

#include "files/file_operations.h"
#include "graph/graph_interaction.h"

namespace {

enum SaveFileType { DataFileType = 0, TextFileType = 1 };

const QString kDataSuffixes[] = {QStringLiteral("dpv"), QStringLiteral("txt")};

int saveFileTypeOf(const QString &nameFilter) {
  return FileCommands::saveFilters().indexOf(nameFilter) == TextFileType ? TextFileType : DataFileType;
}

// The save dialog: a name typed without extension gets the extension of the
// file type chosen when the dialog is confirmed.
class SaveDialog : public QFileDialog {
 public:
  using QFileDialog::QFileDialog;
  void accept() override {
    setDefaultSuffix(kDataSuffixes[saveFileTypeOf(selectedNameFilter())]);
    QFileDialog::accept();
  }
};

}  // namespace

FileCommands::FileCommands(FileCommandHost &host) : host_(host) {}

void FileCommands::setInitialDirectory(const QString &directory) { initialDirectory_ = directory; }

QString FileCommands::initialDirectory() const { return initialDirectory_; }

const QStringList &FileCommands::openFilters() {
  static const QStringList filters = {QStringLiteral("Data Files (*.dpv)"), QStringLiteral("All Files (*.*)")};
  return filters;
}

const QStringList &FileCommands::saveFilters() {
  static const QStringList filters = {QStringLiteral("Data Files (*.dpv)"), QStringLiteral("Text Files (*.txt)")};
  return filters;
}

bool FileCommands::askOpenFileName(QString *path) {
  QFileDialog dialog(host_.hostWindow(), QStringLiteral("Open"), initialDirectory_);
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::ExistingFile);
  dialog.setNameFilters(openFilters());
  dialog.setDefaultSuffix(kDataSuffixes[DataFileType]);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return false;
  *path = dialog.selectedFiles().constFirst();
  return true;
}

bool FileCommands::askSaveFileName() {
  const QString directory = saveFileName_.isEmpty() ? initialDirectory_ : QFileInfo(saveFileName_).absolutePath();
  SaveDialog dialog(host_.hostWindow(), QStringLiteral("Save As"), directory);
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setNameFilters(saveFilters());
  dialog.selectNameFilter(saveFilters().value(saveFileType_));
  if (!saveFileName_.isEmpty()) dialog.selectFile(QFileInfo(saveFileName_).fileName());
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return false;
  saveFileName_ = dialog.selectedFiles().constFirst();
  saveFileType_ = saveFileTypeOf(dialog.selectedNameFilter());
  return true;
}

void FileCommands::showStatus(const QString &word) {
  host_.record().display.panels.status = word;
  host_.syncFromRecord();
  // The command runs without returning to the event loop; paint the word now.
  if (QWidget *window = host_.hostWindow()) window->repaint();
}

void FileCommands::showError(const QString &message) { QMessageBox::critical(host_.hostWindow(), kTitle, message); }

bool FileCommands::FileOpen1Execute() {
  QString path;
  if (!askOpenFileName(&path)) return false;
  QString error;
  if (openFile(path, &error)) return true;
  showError(error);
  return false;
}

bool FileCommands::openFile(const QString &path, QString *error) {
  if (host_.runActive()) host_.stopRun();
  if (host_.record().zoomed()) host_.leaveZoom();
  showStatus(QStringLiteral("Loading"));
  const bool ok = openMeasurementFile(host_.record(), path, error);
  // The readouts of a marked point belong to the record just replaced.
  if (ok) clearMarkerReadouts(host_.record());
  host_.syncFromRecord();
  if (ok) host_.requestRedraw();
  return ok;
}

bool FileCommands::FileSaveAs1Execute() { return save(false); }

bool FileCommands::FileSaveAsItemClick() { return save(true); }

bool FileCommands::save(bool alwaysAsk) {
  MeasurementRecord &record = host_.record();
  if (alwaysAsk && !record.document.dataFileName.isEmpty()) {
    // The dialog offers the measurement's own file, as the data file it is.
    saveFileName_ = record.document.dataFileName;
    saveFileType_ = DataFileType;
  } else if (record.document.dataSaved) {
    saveFileName_ = record.document.dataFileName;
  }
  // Without the dialog there is no file type to choose: Save of an opened or
  // saved measurement always writes the .dpv file it came from.
  const bool asked = alwaysAsk || record.document.askFileName || saveFileName_.isEmpty();
  if (asked && !askSaveFileName()) return false;
  QString error;
  const bool ok =
      asked && saveFileType_ == TextFileType ? FileWriteText(saveFileName_, &error) : saveFile(saveFileName_, &error);
  if (!ok) showError(error);
  return ok;
}

bool FileCommands::saveFile(const QString &path, QString *error) {
  MeasurementRecord &record = host_.record();
  const QString savedStatusText = record.display.panels.status;
  showStatus(QStringLiteral("Saving"));
  record.display.panels.status = savedStatusText;
  const bool ok = saveMeasurementFile(record, path, error);
  host_.syncFromRecord();
  if (ok) host_.measurementSaved();
  return ok;
}

bool FileCommands::FileWriteText(const QString &path, QString *error) {
  MeasurementRecord &record = host_.record();
  const QString savedStatusText = record.display.panels.status;
  showStatus(QStringLiteral("Writing"));
  record.display.panels.status = savedStatusText;
  const bool ok = exportMeasurementText(record, path, error);
  host_.syncFromRecord();
  return ok;
}

#pragma once
// The File commands that read and write the measurement: Open, Save and
// Save As, with their two file dialogs whose state is kept between uses.

#include <QString>
#include <QStringList>

#include "files/ui/file_command_host.h"

class FileCommands {
 public:
  explicit FileCommands(FileCommandHost &host);

  // Starting folder of the dialogs ("Initial directory" of the settings).
  void setInitialDirectory(const QString &directory);
  QString initialDirectory() const;

  // Asks for a .dpv file and loads it. Returns true when a file was loaded.
  bool FileOpen1Execute();
  // Writes the current file, asking for a name when the record says so; the
  // second file type of the dialog writes the text export instead. Returns
  // true when a file was written.
  bool FileSaveAs1Execute();
  // Save that always shows the dialog, offering the current file name with
  // the data file type. The flags change only when a .dpv file is written:
  // a cancel, a failure or the text export leave them as they were.
  bool FileSaveAsItemClick();

  // The commands after their dialog, for callers that know the file. They
  // show no message box: a failure returns false with the message in `error`.
  bool openFile(const QString &path, QString *error = nullptr);
  bool saveFile(const QString &path, QString *error = nullptr);
  bool FileWriteText(const QString &path, QString *error = nullptr);

  static const QStringList &openFilters();
  static const QStringList &saveFilters();

 private:
  bool save(bool alwaysAsk);
  bool askOpenFileName(QString *path);
  bool askSaveFileName();
  void showStatus(const QString &word);
  void showError(const QString &message);

  FileCommandHost &host_;
  QString initialDirectory_;
  QString saveFileName_;
  int saveFileType_ = 0;
};

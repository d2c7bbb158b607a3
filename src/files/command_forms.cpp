#include "files/command_forms.h"

#include <QTextStream>

#include "app/app_paths.h"
#include "app/ini_file.h"
#include "files/record_settings.h"
#include "files/file_operations.h"

namespace {

enum ExitCode { Done = 0, CannotRead = 1, CannotWrite = 2 };

// The record as the main window holds it after start-up and File > Open.
bool openAsProgramDoes(MeasurementRecord &record, const QString &in) {
  record.dataSaved = true;
  record.askFileName = true;
  loadRecordSettings(IniFile(programFile(QStringLiteral("marelt.ini"))), record);
  QString error;
  if (openMeasurementFile(record, in, &error)) return true;
  QTextStream(stderr) << "dpv: " << error << Qt::endl;
  return false;
}

int reportWrite(bool ok, const QString &error) {
  if (ok) return Done;
  QTextStream(stderr) << "dpv: " << error << Qt::endl;
  return CannotWrite;
}

}  // namespace

int exportTextCommand(const QString &in, const QString &out) {
  MeasurementRecord record;
  if (!openAsProgramDoes(record, in)) return CannotRead;
  QString error;
  const bool ok = exportMeasurementText(record, out, &error);
  return reportWrite(ok, error);
}

int resaveCommand(const QString &in, const QString &out) {
  MeasurementRecord record;
  if (!openAsProgramDoes(record, in)) return CannotRead;
  QString error;
  const bool ok = saveMeasurementFile(record, out, &error);
  return reportWrite(ok, error);
}

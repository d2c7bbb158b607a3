#include "files/file_operations.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "core/text_io.h"

#include "files/dpv_file.h"
#include "files/text_export.h"

QString cannotOpenMessage(const QString &path, const QString &reason) {
  return QStringLiteral("Cannot open file \"%1\". %2").arg(QDir::toNativeSeparators(path), reason);
}

QString cannotWriteMessage(const QString &path, const QString &reason) {
  return QStringLiteral("Cannot write file \"%1\". %2").arg(QDir::toNativeSeparators(path), reason);
}

bool writeCommandOutput(const QString &path, const QByteArray &bytes, QString *error) {
  if (path != QLatin1String("-")) {
    QString reason;
    if (writeFileAtomically(path, bytes, &reason)) return true;
    *error = cannotWriteMessage(path, reason);
    return false;
  }
  QFile output;
  if (output.open(stdout, QIODevice::WriteOnly) && output.write(bytes) == bytes.size() && output.flush()) return true;
  *error = cannotWriteMessage(QStringLiteral("standard output"), output.errorString());
  return false;
}

bool openMeasurementFile(MeasurementRecord &record, const QString &path, QString *error) {
  record.display.panels.status = QStringLiteral("Loading");
  record.leaveZoom();
  QString reason;
  if (!readDpvFile(path, record, &reason)) {
    if (error) *error = cannotOpenMessage(path, reason);
    return false;
  }
  record.document.dataSaved = true;
  record.document.askFileName = false;
  record.display.panels.status.clear();
  record.display.runHint = QStringLiteral("Start of measurement: ") + record.document.runDateTime;
  record.display.runTimeInfo = QStringLiteral("Run time: ") + record.document.runDateTime;
  record.document.dataFileName = QFileInfo(path).absoluteFilePath();
  return true;
}

bool saveMeasurementFile(MeasurementRecord &record, const QString &path, QString *error) {
  record.display.savedStatusText = record.display.panels.status;
  record.display.panels.status = QStringLiteral("Saving");
  QString reason;
  if (!writeDpvFile(path, record, &reason)) {
    if (error) *error = cannotWriteMessage(path, reason);
    return false;
  }
  record.document.dataSaved = true;
  record.document.askFileName = false;
  record.display.panels.status = record.display.savedStatusText;
  record.document.dataFileName = QFileInfo(path).absoluteFilePath();
  return true;
}

bool exportMeasurementText(MeasurementRecord &record, const QString &path, QString *error) {
  record.display.savedStatusText = record.display.panels.status;
  record.display.panels.status = QStringLiteral("Writing");
  QString reason;
  if (!writeTextExport(path, record, &reason)) {
    if (error) *error = cannotWriteMessage(path, reason);
    return false;
  }
  record.display.panels.status = record.display.savedStatusText;
  return true;
}

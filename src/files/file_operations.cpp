#include "files/file_operations.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "core/text_io.h"

#include "files/dpv_file.h"
#include "files/text_export.h"

void leaveZoomTexts(MeasurementRecord &record) {
  if (!record.zoomed) return;
  record.texts.potStart = record.savedPotStart;
  record.texts.potEnd = record.savedPotEnd;
  record.texts.currMin = record.savedCurrMin;
  record.texts.currMax = record.savedCurrMax;
  record.zoomed = false;
}

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
  record.panels.panel5 = QStringLiteral("Loading");
  leaveZoomTexts(record);
  QString reason;
  if (!readDpvFile(path, record, &reason)) {
    if (error) *error = cannotOpenMessage(path, reason);
    return false;
  }
  record.dataSaved = true;
  record.askFileName = false;
  record.panels.panel5.clear();
  record.runHint = QStringLiteral("Start of measurement: ") + record.runDateTime;
  record.runTimeInfo = QStringLiteral("Run time: ") + record.runDateTime;
  record.dataFileName = QFileInfo(path).absoluteFilePath();
  return true;
}

bool saveMeasurementFile(MeasurementRecord &record, const QString &path, QString *error) {
  record.savedStatusText = record.panels.panel5;
  record.panels.panel5 = QStringLiteral("Saving");
  QString reason;
  if (!writeDpvFile(path, record, &reason)) {
    if (error) *error = cannotWriteMessage(path, reason);
    return false;
  }
  record.dataSaved = true;
  record.askFileName = false;
  record.panels.panel5 = record.savedStatusText;
  record.dataFileName = QFileInfo(path).absoluteFilePath();
  return true;
}

bool exportMeasurementText(MeasurementRecord &record, const QString &path, QString *error) {
  record.savedStatusText = record.panels.panel5;
  record.panels.panel5 = QStringLiteral("Writing");
  QString reason;
  if (!writeTextExport(path, record, &reason)) {
    if (error) *error = cannotWriteMessage(path, reason);
    return false;
  }
  record.panels.panel5 = record.savedStatusText;
  return true;
}

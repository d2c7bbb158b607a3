#include "quantitation/quantify_command.h"

#include <QDir>
#include <QFile>
#include <QTextStream>

#include "core/text_io.h"
#include "files/file_operations.h"
#include "quantitation/result_rows.h"
#include "quantitation/table_quantitation.h"

namespace {

enum ExitCode { Done = 0, BadTable = 1, CannotWrite = 2 };

bool writeOutput(const QString &out, const QByteArray &bytes, QString *error) {
  if (out != QLatin1String("-")) {
    QString reason;
    if (writeFileAtomically(out, bytes, &reason)) return true;
    *error = cannotWriteMessage(out, reason);
    return false;
  }
  QFile output;
  if (output.open(stdout, QIODevice::WriteOnly) && output.write(bytes) == bytes.size() && output.flush()) return true;
  *error = cannotWriteMessage(QStringLiteral("standard output"), output.errorString());
  return false;
}

}  // namespace

int quantifyCommand(const QString &table, const QString &out, const QuantitationSettings &settings) {
  QTextStream err(stderr);
  QuantitationTable t;
  QuantitationResult result;
  TableError fault;
  if (!loadQuantitationTable(table, &t, &fault) || !quantifyTable(t, settings, &result, &fault)) {
    const QString where = fault.line > 0 ? QDir::toNativeSeparators(table) + QStringLiteral(": ") : QString();
    err << "dpv: " << where << fault.message() << Qt::endl;
    return BadTable;
  }
  for (const QString &warning : result.warnings) err << "dpv: warning: " << warning << Qt::endl;
  QString error;
  if (!writeOutput(out, quantitationCsv(result), &error)) {
    err << "dpv: " << error << Qt::endl;
    return CannotWrite;
  }
  return Done;
}

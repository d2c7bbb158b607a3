#include "quantitation/quantify_command.h"

#include <QDir>
#include <QTextStream>

#include "files/file_operations.h"
#include "quantitation/result_rows.h"
#include "quantitation/table_quantitation.h"

namespace {

enum ExitCode { Done = 0, BadTable = 1, CannotWrite = 2 };

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
  if (!writeCommandOutput(out, quantitationCsv(result), &error)) {
    err << "dpv: " << error << Qt::endl;
    return CannotWrite;
  }
  return Done;
}

#include "references/subtract_command.h"

#include <QTextStream>

#include "core/app_paths.h"
#include "core/ini_file.h"
#include "files/file_operations.h"
#include "files/record_settings.h"
#include "references/blank_subtraction.h"

namespace {

enum ExitCode { Done = 0, CannotRead = 1, CannotWrite = 2, NotCovered = 3 };

int fail(int code, const QString &message) {
  QTextStream(stderr) << "dpv: " << message << Qt::endl;
  return code;
}

}  // namespace

int subtractCommand(const QString &blank, const QString &in, const QString &out) {
  MeasurementRecord record;
  QString error;
  if (!openAsProgramDoes(IniFile(programFile(QStringLiteral("marelt.ini"))), record, in, &error))
    return fail(CannotRead, error);
  switch (subtractBlankFile(record, blank, &error)) {
    case Subtraction::CannotRead:
      return fail(CannotRead, error);
    case Subtraction::NotCovered:
      return fail(NotCovered, error);
    case Subtraction::Done:
      break;
  }
  if (!saveMeasurementFile(record, out, &error)) return fail(CannotWrite, error);
  return Done;
}

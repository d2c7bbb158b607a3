#include "quantitation/quantitation_table.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <cmath>

#include "core/numbers.h"
#include "core/text_io.h"
#include "files/file_operations.h"
#include "quantitation/csv_fields.h"

namespace {

const QStringList kRoleTexts = {QStringLiteral("blank"), QStringLiteral("standard"), QStringLiteral("sample"),
                                QStringLiteral("addition")};
const QString kConcentration = QStringLiteral("Concentration");

TableError fault(int line, const QString &text) { return TableError{line, text}; }

bool sameName(const QString &a, const QString &b) { return a.compare(b, Qt::CaseInsensitive) == 0; }

// The unit of a third header "Concentration" or "Concentration [unit]".
bool readConcentrationHeader(const QString &cell, QString *unit) {
  static const QRegularExpression form(QStringLiteral("^Concentration\\s*(?:\\[(.*)\\])?$"),
                                       QRegularExpression::CaseInsensitiveOption);
  const QRegularExpressionMatch match = form.match(cell);
  if (!match.hasMatch()) return false;
  *unit = match.captured(1).trimmed();
  return true;
}

bool readHeader(const QStringList &cells, QString *unit, bool *withNames) {
  QStringList named = cells;
  while (!named.isEmpty() && named.last().trimmed().isEmpty()) named.removeLast();
  for (QString &cell : named) cell = cell.trimmed();
  if (named.size() < 3 || named.size() > 4) return false;
  *withNames = named.size() == 4;
  return sameName(named[0], QStringLiteral("File")) && sameName(named[1], QStringLiteral("Role")) &&
         readConcentrationHeader(named[2], unit) && (!*withNames || sameName(named[3], QStringLiteral("Name")));
}

bool allBlank(const QStringList &cells) {
  for (const QString &cell : cells)
    if (!cell.trimmed().isEmpty()) return false;
  return true;
}

QString cell(const QStringList &cells, int i) { return i < cells.size() ? cells[i].trimmed() : QString(); }

}  // namespace

QString roleText(Role role) { return kRoleTexts[static_cast<int>(role)]; }

QString TableEntry::sampleName() const { return name.isEmpty() ? QFileInfo(file).completeBaseName() : name; }

QString TableError::message() const { return line > 0 ? QStringLiteral("line %1: %2").arg(line).arg(text) : text; }

bool makeTableEntry(const QString &file, const QString &role, const QString &concentration, const QString &name,
                    int line, TableEntry *entry, TableError *error) {
  TableEntry e;
  e.line = line;
  e.file = file.trimmed();
  e.name = name.trimmed();
  e.concentrationText = concentration.trimmed();
  if (e.file.isEmpty()) return *error = fault(line, QStringLiteral("no file named")), false;
  const QString roleName = role.trimmed();
  const int index = static_cast<int>(kRoleTexts.indexOf(roleName.toLower()));
  if (roleName.isEmpty())
    return *error = fault(line, QStringLiteral("no role given (blank, standard, sample or addition)")), false;
  if (index < 0)
    return *error =
               fault(line, QStringLiteral("unknown role \"%1\" (blank, standard, sample or addition)").arg(roleName)),
           false;
  e.role = static_cast<Role>(index);

  bool number = false;
  const double value = readNumber(e.concentrationText, &number);
  const bool given = !e.concentrationText.isEmpty();
  if (given && (!number || !std::isfinite(value)))
    return *error = fault(
               line,
               QStringLiteral("\"%1\" is not a concentration: write a number with \".\"").arg(e.concentrationText)),
           false;
  switch (e.role) {
    case Role::Standard:
    case Role::Addition:
      if (!given)
        return *error =
                   fault(line, e.role == Role::Standard ? QStringLiteral("a standard needs a concentration")
                                                        : QStringLiteral("an addition needs its added concentration")),
               false;
      if (value < 0) return *error = fault(line, QStringLiteral("a concentration cannot be negative")), false;
      e.concentration = value;
      break;
    case Role::Blank:
      if (given && value != 0)
        return *error = fault(line, QStringLiteral("a blank has concentration 0: leave the cell empty")), false;
      break;
    case Role::Sample:
      if (given)
        return *error =
                   fault(line, QStringLiteral("a sample's concentration is what is measured: leave the cell empty")),
               false;
      break;
  }
  *entry = e;
  return true;
}

bool readQuantitationTable(const QStringList &lines, const QString &folder, QuantitationTable *table,
                           TableError *error) {
  QuantitationTable t;
  QStringList cells;
  bool withNames = false;
  if (lines.isEmpty() || !splitCsvLine(lines[0], &cells) || !readHeader(cells, &t.unit, &withNames))
    return *error = fault(1, QStringLiteral("the first line must be the header File,Role,Concentration "
                                            "(the unit may follow in brackets, a column Name after it)")),
           false;
  const int columns = withNames ? 4 : 3;
  const QDir dir(folder);
  for (qsizetype i = 1; i < lines.size(); ++i) {
    const int line = static_cast<int>(i) + 1;
    if (!splitCsvLine(lines[i], &cells)) return *error = fault(line, QStringLiteral("a quote is not closed")), false;
    if (allBlank(cells)) continue;
    if (!allBlank(cells.mid(columns)))
      return *error = fault(line, QStringLiteral("more cells than the header names")), false;
    TableEntry entry;
    if (!makeTableEntry(cell(cells, 0), cell(cells, 1), cell(cells, 2), withNames ? cell(cells, 3) : QString(), line,
                        &entry, error))
      return false;
    entry.file = QDir::cleanPath(dir.absoluteFilePath(entry.file));
    t.entries.push_back(entry);
  }
  *table = t;
  return true;
}

QStringList quantitationTableLines(const QuantitationTable &table, const QString &folder) {
  bool withNames = false;
  for (const TableEntry &e : table.entries) withNames = withNames || !e.name.isEmpty();
  QString concentration = kConcentration;
  if (!table.unit.isEmpty()) concentration += QStringLiteral(" [") + table.unit + QLatin1Char(']');
  QStringList header{QStringLiteral("File"), QStringLiteral("Role"), concentration};
  if (withNames) header << QStringLiteral("Name");
  for (QString &h : header) h = csvField(h);
  QStringList lines{header.join(QLatin1Char(','))};
  const QDir dir(folder);
  for (const TableEntry &e : table.entries) {
    QStringList fields{csvField(dir.relativeFilePath(e.file)), roleText(e.role), csvField(e.concentrationText)};
    if (withNames) fields << csvField(e.name);
    lines << fields.join(QLatin1Char(','));
  }
  return lines;
}

bool loadQuantitationTable(const QString &path, QuantitationTable *table, TableError *error) {
  QStringList lines;
  QString reason;
  if (!readTextFile(path, &lines, &reason)) return *error = fault(0, cannotOpenMessage(path, reason)), false;
  return readQuantitationTable(lines, QFileInfo(path).absolutePath(), table, error);
}

bool saveQuantitationTable(const QString &path, const QuantitationTable &table, QString *error) {
  QString reason;
  if (writeFileAtomically(path, encodeLines(quantitationTableLines(table, QFileInfo(path).absolutePath())), &reason))
    return true;
  if (error) *error = cannotWriteMessage(path, reason);
  return false;
}

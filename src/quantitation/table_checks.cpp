#include "quantitation/table_checks.h"

#include <QDir>
#include <QHash>
#include <algorithm>

namespace {

bool fail(TableError *error, int line, const QString &text) {
  *error = TableError{line, text};
  return false;
}

const TableEntry *firstOf(const QuantitationTable &table, Role role) {
  for (const TableEntry &e : table.entries)
    if (e.role == role) return &e;
  return nullptr;
}

int countOf(const QuantitationTable &table, Role role) {
  return static_cast<int>(std::count_if(table.entries.begin(), table.entries.end(),
                                        [role](const TableEntry &e) { return e.role == role; }));
}

bool checkCalibration(const QuantitationTable &table, Weighting weighting, int lastLine, TableError *error) {
  const int standards = countOf(table, Role::Standard);
  if (standards < 2)
    return fail(error, lastLine,
                QStringLiteral("a calibration needs at least two standards; the table has %1").arg(standards));
  const TableEntry *first = firstOf(table, Role::Standard);
  const TableEntry *differs = nullptr;
  const TableEntry *last = first;
  for (const TableEntry &e : table.entries) {
    if (e.role != Role::Standard) continue;
    last = &e;
    if (e.concentration != first->concentration) differs = &e;
    if (weighting == Weighting::InverseSquare && e.concentration == 0)
      return fail(error, e.line, QStringLiteral("a standard at concentration 0 cannot be weighted by 1/x²"));
  }
  if (!differs) return fail(error, last->line, QStringLiteral("the standards all have the same concentration"));
  if (!firstOf(table, Role::Sample)) return fail(error, lastLine, QStringLiteral("the table has no sample"));
  return true;
}

bool checkStandardAddition(const QuantitationTable &table, Weighting weighting, int lastLine, TableError *error) {
  const TableEntry *sample = firstOf(table, Role::Sample);
  if (!sample)
    return fail(error, lastLine,
                QStringLiteral("a standard addition needs its sample, the measurement with nothing added"));
  if (weighting == Weighting::InverseSquare)
    return fail(error, sample->line,
                QStringLiteral("a standard addition is fitted unweighted: its sample lies at added concentration 0"));
  const TableEntry *adding = nullptr;
  for (const TableEntry &e : table.entries) {
    if (e.role == Role::Sample && e.sampleName() != sample->sampleName())
      return fail(error, e.line,
                  QStringLiteral("a standard addition takes one sample: \"%1\" is not \"%2\" of line %3")
                      .arg(e.sampleName(), sample->sampleName())
                      .arg(sample->line));
    if (e.role == Role::Addition && e.concentration > 0) adding = &e;
  }
  if (!adding)
    return fail(error, lastLine, QStringLiteral("the additions add nothing: give each its added concentration"));
  return true;
}

}  // namespace

bool checkTable(const QuantitationTable &table, Weighting weighting, Method *method, TableError *error) {
  if (table.entries.empty()) return fail(error, 1, QStringLiteral("the table lists no files"));
  int lastLine = 1;
  QHash<QString, int> listed;
  for (const TableEntry &e : table.entries) {
    lastLine = std::max(lastLine, e.line);
    const QString key = QDir::cleanPath(e.file);
    if (listed.contains(key))
      return fail(error, e.line,
                  QStringLiteral("\"%1\" is listed on line %2 already")
                      .arg(QDir::toNativeSeparators(e.file))
                      .arg(listed.value(key)));
    listed.insert(key, e.line);
  }
  const TableEntry *standard = firstOf(table, Role::Standard);
  const TableEntry *addition = firstOf(table, Role::Addition);
  if (standard && addition)
    return fail(error, std::max(standard->line, addition->line),
                QStringLiteral("a table holds standards for a calibration or additions for a standard addition, "
                               "not both"));
  *method = addition ? Method::StandardAddition : Method::Calibration;
  return *method == Method::Calibration ? checkCalibration(table, weighting, lastLine, error)
                                        : checkStandardAddition(table, weighting, lastLine, error);
}

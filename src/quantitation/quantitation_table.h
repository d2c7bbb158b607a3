#pragma once
// The quantitation table: the .dpv files of one determination, each with its
// role and, where the role needs one, a concentration. It is kept as CSV that
// a spreadsheet reads and writes:
//
//   File,Role,Concentration [mg/L],Name
//   std1.dpv,standard,0.5,
//   river-a.dpv,sample,,river
//   river-b.dpv,sample,,river
//
// The third header carries the unit in brackets ("Concentration" alone: no
// unit). The Name column may be left out: sample rows of one name are
// replicates of one sample, and a sample without a name is named after its
// file. File names are relative to the table's folder (absolute ones serve
// too); in memory they are absolute.

#include <QString>
#include <QStringList>
#include <vector>

enum class Role { Blank, Standard, Sample, Addition };

// "blank", "standard", "sample", "addition".
QString roleText(Role role);

struct TableEntry {
  QString file;  // absolute path
  Role role = Role::Standard;
  QString concentrationText;  // as typed; empty for blanks and samples
  double concentration = 0;   // the known or added concentration; 0 for blanks and samples
  QString name;               // as typed; may be empty
  int line = 0;               // line of the table file; the header is line 1

  // The name results are given under: the typed name, or the file's name
  // without its extension.
  QString sampleName() const;
};

struct QuantitationTable {
  QString unit;  // text shown with concentrations; may be empty
  std::vector<TableEntry> entries;
};

// A fault of a table, at a line of its file (0: the file as a whole).
struct TableError {
  int line = 0;
  QString text;
  // "line 4: ..." (just the text for line 0).
  QString message() const;
};

// One row from its cell texts (blanks around them do not count). False with
// `error` at `line` for a missing file name, an unknown role, or a
// concentration the role cannot take.
bool makeTableEntry(const QString &file, const QString &role, const QString &concentration, const QString &name,
                    int line, TableEntry *entry, TableError *error);

// Reads the lines of a table file whose folder is `folder`. Rows without any
// text are passed over. False with `error` for the first fault: a header
// other than File,Role,Concentration[ [unit]][,Name], a quote left open, more
// cells than the header names, a fault of makeTableEntry.
bool readQuantitationTable(const QStringList &lines, const QString &folder, QuantitationTable *table,
                           TableError *error);
// The lines of the table file, file names relative to `folder`; the Name
// column only when an entry has a name.
QStringList quantitationTableLines(const QuantitationTable &table, const QString &folder);

// Reads and writes table files (UTF-8, CR LF, written atomically).
bool loadQuantitationTable(const QString &path, QuantitationTable *table, TableError *error);
bool saveQuantitationTable(const QString &path, const QuantitationTable &table, QString *error);

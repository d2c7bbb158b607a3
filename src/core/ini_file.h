#pragma once
// A small INI file: sections of key=value lines, section and key names matched
// without regard to case. Reading gives defaults for anything missing; writing
// changes the file in memory, and save() replaces the file on disk whole.

#include <QString>
#include <QStringList>
#include <QVector>

class IniFile {
 public:
  // Loads `path` when it exists; a missing or unreadable file is empty.
  explicit IniFile(const QString &path);

  const QString &path() const { return path_; }

  QString readString(const QString &section, const QString &key, const QString &def) const;
  // Decimal, or hexadecimal with a "0x" or "$" prefix; anything else gives `def`.
  int readInteger(const QString &section, const QString &key, int def) const;
  // An integer; any value other than 0 is true.
  bool readBool(const QString &section, const QString &key, bool def) const;
  bool hasKey(const QString &section, const QString &key) const;
  // Key names of a section in file order.
  QStringList sectionKeys(const QString &section) const;

  void writeString(const QString &section, const QString &key, const QString &value);
  void writeInteger(const QString &section, const QString &key, int value);
  void writeBool(const QString &section, const QString &key, bool value);
  void eraseSection(const QString &section);

  // Writes the whole file through a temporary file renamed into place.
  // Returns false and sets `error` to "Unable to write to <path>: <reason>"
  // when the file cannot be written; the old file then stays.
  bool save(QString *error = nullptr) const;

  // Parses an integer as readInteger does.
  static bool parseInteger(const QString &text, int *value);

  // Section and key names are the same when their case-folded forms are
  // equal; a writer that must keep names apart compares these forms.
  static QString foldedName(const QString &name);
  // A line, name or value without the blanks the reader trims around it:
  // ASCII white space only, so a no-break space stays part of the text.
  static QString trimBlanks(const QString &text);

 private:
  // Names are folded once, as they are stored: look-ups then compare plain strings.
  struct Entry {
    QString key;     // empty for a line kept as it is (comment, blank)
    QString value;   // the raw line when key is empty
    QString folded;  // foldedName(key)
  };
  struct Section {
    QString name;
    QVector<Entry> entries;
    QString folded;  // foldedName(name)
  };

  static Entry keyEntry(const QString &key, const QString &value) { return Entry{key, value, foldedName(key)}; }
  // The entry of `folded` (a folded key) in `entries`, or null.
  static const Entry *entryNamed(const QVector<Entry> &entries, const QString &folded);
  Section &addSection(const QString &name);
  const Section *findSection(const QString &name) const;
  Section *findSection(const QString &name);
  const Entry *findEntry(const QString &section, const QString &key) const;

  QString path_;
  QVector<Entry> preamble_;  // lines before the first section
  QVector<Section> sections_;
};

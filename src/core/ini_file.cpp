#include "core/ini_file.h"

#include <QDir>

#include "core/text_io.h"

namespace {
bool isBlank(QChar c) { return c == QLatin1Char(' ') || (c >= QLatin1Char('\t') && c <= QLatin1Char('\r')); }
}  // namespace

QString IniFile::foldedName(const QString &name) { return name.toCaseFolded(); }

QString IniFile::trimBlanks(const QString &text) {
  qsizetype begin = 0, end = text.size();
  while (begin < end && isBlank(text[begin])) ++begin;
  while (end > begin && isBlank(text[end - 1])) --end;
  return text.mid(begin, end - begin);
}

IniFile::IniFile(const QString &path) : path_(path) {
  QStringList lines;
  if (!readTextFile(path, &lines, nullptr)) return;
  Section *current = nullptr;
  for (const QString &raw : lines) {
    const QString line = trimBlanks(raw);
    if (line.startsWith(QLatin1Char('[')) && line.endsWith(QLatin1Char(']'))) {
      const QString name = trimBlanks(line.mid(1, line.size() - 2));
      current = findSection(name);
      if (!current) current = &addSection(name);
      continue;
    }
    const int eq = line.indexOf(QLatin1Char('='));
    Entry entry;
    if (eq > 0 && !line.startsWith(QLatin1Char(';')))
      entry = keyEntry(trimBlanks(line.left(eq)), trimBlanks(line.mid(eq + 1)));
    else
      entry.value = raw;
    QVector<Entry> &target = current ? current->entries : preamble_;
    // The first occurrence wins, as the platform's reader does.
    if (!entry.key.isEmpty() && entryNamed(target, entry.folded)) continue;
    target.append(entry);
  }
}

const IniFile::Entry *IniFile::entryNamed(const QVector<Entry> &entries, const QString &folded) {
  for (const Entry &e : entries)
    if (!e.key.isEmpty() && e.folded == folded) return &e;
  return nullptr;
}

IniFile::Section &IniFile::addSection(const QString &name) {
  sections_.append(Section{name, {}, foldedName(name)});
  return sections_.last();
}

const IniFile::Section *IniFile::findSection(const QString &name) const {
  const QString folded = foldedName(name);
  for (const Section &s : sections_)
    if (s.folded == folded) return &s;
  return nullptr;
}

IniFile::Section *IniFile::findSection(const QString &name) {
  // Through a non-const range, so a shared copy is detached before it is changed.
  const QString folded = foldedName(name);
  for (Section &s : sections_)
    if (s.folded == folded) return &s;
  return nullptr;
}

const IniFile::Entry *IniFile::findEntry(const QString &section, const QString &key) const {
  const Section *s = findSection(section);
  return s ? entryNamed(s->entries, foldedName(key)) : nullptr;
}

bool IniFile::hasKey(const QString &section, const QString &key) const { return findEntry(section, key) != nullptr; }

QString IniFile::readString(const QString &section, const QString &key, const QString &def) const {
  const Entry *e = findEntry(section, key);
  return e ? e->value : def;
}

bool IniFile::parseInteger(const QString &text, int *value) {
  const QString t = text.trimmed();
  bool ok = false;
  qlonglong v = 0;
  QString digits = t;
  bool negative = false;
  if (digits.startsWith(QLatin1Char('-'))) {
    negative = true;
    digits.remove(0, 1);
  } else if (digits.startsWith(QLatin1Char('+'))) {
    digits.remove(0, 1);
  }
  if (digits.startsWith(QLatin1String("0x"), Qt::CaseInsensitive))
    v = digits.mid(2).toLongLong(&ok, 16);
  else if (digits.startsWith(QLatin1Char('$')))
    v = digits.mid(1).toLongLong(&ok, 16);
  else if (!digits.isEmpty() && digits[0].isDigit())
    v = digits.toLongLong(&ok, 10);
  if (!ok) return false;
  if (negative) v = -v;
  // Colours and flags are stored as 32-bit values; hexadecimal up to 0xFFFFFFFF
  // wraps as the platform's 32-bit integers do.
  if (v > 0xFFFFFFFFLL || v < -0x80000000LL) return false;
  *value = static_cast<int>(static_cast<quint32>(v));
  return true;
}

int IniFile::readInteger(const QString &section, const QString &key, int def) const {
  const Entry *e = findEntry(section, key);
  int v = 0;
  if (e && parseInteger(e->value, &v)) return v;
  return def;
}

bool IniFile::readBool(const QString &section, const QString &key, bool def) const {
  return readInteger(section, key, def ? 1 : 0) != 0;
}

QStringList IniFile::sectionKeys(const QString &section) const {
  QStringList keys;
  if (const Section *s = findSection(section))
    for (const Entry &e : s->entries)
      if (!e.key.isEmpty()) keys.append(e.key);
  return keys;
}

void IniFile::writeString(const QString &section, const QString &key, const QString &value) {
  Section *s = findSection(section);
  if (!s) s = &addSection(section);
  const QString folded = foldedName(key);
  for (Entry &e : s->entries)
    if (!e.key.isEmpty() && e.folded == folded) {
      e.value = value;
      return;
    }
  // New keys go after the last key, before trailing blank lines.
  int pos = s->entries.size();
  while (pos > 0 && s->entries[pos - 1].key.isEmpty() && s->entries[pos - 1].value.trimmed().isEmpty()) --pos;
  s->entries.insert(pos, keyEntry(key, value));
}

void IniFile::writeInteger(const QString &section, const QString &key, int value) {
  writeString(section, key, QString::number(value));
}

void IniFile::writeBool(const QString &section, const QString &key, bool value) {
  writeString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

void IniFile::eraseSection(const QString &section) {
  const QString folded = foldedName(section);
  sections_.removeIf([&folded](const Section &s) { return s.folded == folded; });
}

bool IniFile::save(QString *error) const {
  QStringList lines;
  for (const Entry &e : preamble_) lines.append(e.key.isEmpty() ? e.value : e.key + QLatin1Char('=') + e.value);
  for (const Section &s : sections_) {
    lines.append(QLatin1Char('[') + s.name + QLatin1Char(']'));
    for (const Entry &e : s.entries) lines.append(e.key.isEmpty() ? e.value : e.key + QLatin1Char('=') + e.value);
  }
  QString reason;
  if (writeFileAtomically(path_, encodeLines(lines), &reason)) return true;
  if (error) *error = QStringLiteral("Unable to write to %1: %2").arg(QDir::toNativeSeparators(path_), reason);
  return false;
}

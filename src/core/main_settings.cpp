#include "core/main_settings.h"

#include <QSet>

#include "core/numbers.h"

namespace {
const QString kSetup = QStringLiteral("Setup");
const QString kInfo = QStringLiteral("Info");

// A description line is stored as its own key when the INI form allows it;
// other lines (empty, leading "[" or ";" or "%", "=" inside, surrounding blanks,
// repeats) are stored as "%<line number>:<percent-encoded line>", which is
// unique and a valid key.
const QString kEncodedMark = QStringLiteral("%");

bool plainKeyPossible(const QString &line) {
  if (line.isEmpty() || IniFile::trimBlanks(line) != line) return false;
  if (line.startsWith(QLatin1Char('[')) || line.startsWith(QLatin1Char(';')) || line.startsWith(kEncodedMark))
    return false;
  return !line.contains(QLatin1Char('='));
}

QString encodeLine(const QString &line, int number) {
  QString out = kEncodedMark + QString::number(number) + QLatin1Char(':');
  for (const QChar c : line) {
    if (c == QLatin1Char('%') || c == QLatin1Char('=') || c == QLatin1Char(' ') || c == QLatin1Char('\t') ||
        c == QLatin1Char('[') || c == QLatin1Char(']') || c == QLatin1Char(';') || c.unicode() < 0x20)
      out += QStringLiteral("%%1").arg(c.unicode(), 2, 16, QLatin1Char('0')).toUpper();
    else
      out += c;
  }
  return out;
}

bool decodeLine(const QString &key, QString *line) {
  if (!key.startsWith(kEncodedMark)) return false;
  const int colon = key.indexOf(QLatin1Char(':'));
  if (colon < 2) return false;
  bool ok = false;
  key.mid(1, colon - 1).toInt(&ok);
  if (!ok) return false;
  QString out;
  for (int i = colon + 1; i < key.size(); ++i) {
    if (key[i] == QLatin1Char('%') && i + 2 < key.size() + 0 && i + 2 <= key.size() - 1) {
      bool hexOk = false;
      const int code = key.mid(i + 1, 2).toInt(&hexOk, 16);
      if (!hexOk) return false;
      out += QChar(code);
      i += 2;
    } else {
      out += key[i];
    }
  }
  *line = out;
  return true;
}
}  // namespace

void readSetupSection(const IniFile &ini, ParameterTexts *t, MainWindowState *state) {
  t->currUnitIndex = 0;
  t->currMin = ini.readString(kSetup, "C min", "-100");
  t->currMax = ini.readString(kSetup, "C max", "100");
  t->selectCurrUnit(ini.readString(kSetup, "C units", "uA"));
  t->damping = ini.readString(kSetup, "Damping", "0");
  t->selectDampingUnit(ini.readString(kSetup, "Damping units", "%"), true);
  t->potStart = ini.readString(kSetup, "P start", "0");
  t->potEnd = ini.readString(kSetup, "P end", "0");
  t->sweep = ini.readString(kSetup, "Sweep speed", "10");
  t->amplitude = ini.readString(kSetup, "Pulse amplitude", "50");
  t->period = ini.readString(kSetup, "Pulse period", "50");
  t->accumulation = ini.readString(kSetup, "Data accumulation", "10");
  t->preTime = ini.readString(kSetup, "Preelectrolysis time", "0");
  t->prePot = ini.readString(kSetup, "Preelectrolysis potential", "0");
  t->setElectrodes(ini.readInteger(kSetup, "Electrode system", 2));
  if (state) {
    state->initialDirectory = readInitialDirectory(ini);
    state->windowMaximized = ini.readBool(kSetup, "Window maximized", false);
  }
}

int readSelectedDevice(const IniFile &ini) { return ini.readInteger(kSetup, "Selected device", 0); }

void writeSelectedDevice(IniFile &ini, int index) { ini.writeInteger(kSetup, "Selected device", index); }

QString readInitialDirectory(const IniFile &ini) { return ini.readString(kSetup, "Initial directory", QString()); }

void writeSetupSection(IniFile &ini, const ParameterTexts &t, const MainWindowState &state) {
  ini.writeString(kSetup, "C min", t.currMin);
  ini.writeString(kSetup, "C max", t.currMax);
  ini.writeString(kSetup, "C units", t.currUnitText());
  ini.writeString(kSetup, "Damping", t.damping);
  ini.writeString(kSetup, "Damping units", t.dampingUnitText());
  ini.writeString(kSetup, "P start", t.potStart);
  ini.writeString(kSetup, "P end", t.potEnd);
  ini.writeString(kSetup, "Sweep speed", t.sweep);
  ini.writeString(kSetup, "Pulse amplitude", t.amplitude);
  ini.writeString(kSetup, "Pulse period", t.period);
  ini.writeString(kSetup, "Data accumulation", t.accumulation);
  ini.writeString(kSetup, "Preelectrolysis time", t.preTime);
  ini.writeString(kSetup, "Preelectrolysis potential", t.prePot);
  ini.writeInteger(kSetup, "Electrode system", t.electrodes);
  ini.writeString(kSetup, "Initial directory", state.initialDirectory);
  ini.writeBool(kSetup, "Window maximized", state.windowMaximized);
}

QStringList readDescription(const IniFile &ini) {
  QStringList lines;
  for (const QString &key : ini.sectionKeys(kInfo)) {
    QString line;
    lines.append(decodeLine(key, &line) ? line : key);
  }
  return lines;
}

void writeDescription(IniFile &ini, const QStringList &lines) {
  ini.eraseSection(kInfo);
  QSet<QString> used;  // folded as the reader compares keys
  for (int i = 0; i < lines.size(); ++i) {
    const QString &line = lines[i];
    const bool plain = plainKeyPossible(line) && !used.contains(IniFile::foldedName(line));
    const QString key = plain ? line : encodeLine(line, i);
    used.insert(IniFile::foldedName(key));
    ini.writeString(kInfo, key, QString());
  }
}

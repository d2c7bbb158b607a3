#include "quantitation/csv_fields.h"

namespace {
const QChar kQuote = QLatin1Char('"');
const QChar kComma = QLatin1Char(',');
}  // namespace

bool splitCsvLine(const QString &line, QStringList *fields) {
  fields->clear();
  QString field;
  bool quoted = false;     // inside quotes
  bool wasQuoted = false;  // the field began with a quote
  for (qsizetype i = 0; i < line.size(); ++i) {
    const QChar c = line[i];
    if (quoted) {
      if (c != kQuote) {
        field += c;
      } else if (i + 1 < line.size() && line[i + 1] == kQuote) {
        field += kQuote;
        ++i;
      } else {
        quoted = false;
      }
    } else if (c == kComma) {
      *fields << field;
      field.clear();
      wasQuoted = false;
    } else if (c == kQuote && field.trimmed().isEmpty() && !wasQuoted) {
      // Blanks before the opening quote are no part of the field.
      field.clear();
      quoted = wasQuoted = true;
    } else {
      field += c;
    }
  }
  *fields << field;
  return !quoted;
}

QString csvField(const QString &text) {
  if (!text.contains(kComma) && !text.contains(kQuote)) return text;
  QString doubled = text;
  doubled.replace(kQuote, QStringLiteral("\"\""));
  return kQuote + doubled + kQuote;
}

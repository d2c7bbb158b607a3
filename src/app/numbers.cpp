#include "app/numbers.h"

#include <cfenv>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <string>

namespace {

bool isBlank(QChar c) { return c == QLatin1Char(' ') || c == QLatin1Char('\t'); }
bool isDigit(QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); }

// Length of the well-formed number that starts at `text`, 0 when there is none.
int numberPrefixLength(const QString &text, int start) {
  int i = start;
  const int n = text.size();
  if (i < n && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-'))) ++i;
  int intDigits = 0;
  while (i < n && isDigit(text[i])) { ++i; ++intDigits; }
  int fracDigits = 0;
  if (i < n && text[i] == QLatin1Char('.')) {
    int j = i + 1;
    while (j < n && isDigit(text[j])) { ++j; ++fracDigits; }
    if (intDigits > 0 || fracDigits > 0) i = j;
  }
  if (intDigits == 0 && fracDigits == 0) return 0;
  if (i < n && (text[i] == QLatin1Char('e') || text[i] == QLatin1Char('E'))) {
    int j = i + 1;
    if (j < n && (text[j] == QLatin1Char('+') || text[j] == QLatin1Char('-'))) ++j;
    int expDigits = 0;
    while (j < n && isDigit(text[j])) { ++j; ++expDigits; }
    if (expDigits > 0) i = j;
  }
  return i - start;
}

}  // namespace

double readNumber(const QString &text, bool *wellFormed) {
  int start = 0;
  while (start < text.size() && isBlank(text[start])) ++start;
  const int len = numberPrefixLength(text, start);
  if (wellFormed) {
    int end = start + len;
    while (end < text.size() && isBlank(text[end])) ++end;
    *wellFormed = (len > 0 || start == text.size()) && end == text.size();
  }
  if (len == 0) return 0.0;
  // strtod in the "C" locale: the program never calls setlocale for LC_NUMERIC,
  // but use the Qt-free digits only, so any locale reads them alike.
  const std::string digits = text.mid(start, len).toStdString();
  return std::strtod(digits.c_str(), nullptr);
}

double readNumber(const QString &text) { return readNumber(text, nullptr); }

double roundHalfEven(double value) {
  const int saved = std::fegetround();
  std::fesetround(FE_TONEAREST);
  const double r = std::nearbyint(value);
  std::fesetround(saved);
  return r;
}

int32_t roundToInt32(double value) {
  if (std::isnan(value)) return 0;
  const double r = roundHalfEven(value);
  if (r >= static_cast<double>(INT32_MAX)) return INT32_MAX;
  if (r <= static_cast<double>(INT32_MIN)) return INT32_MIN;
  return static_cast<int32_t>(r);
}

QString formatFixed(double value, int decimals) {
  if (decimals < 0) decimals = 0;
  if (std::isnan(value)) return QStringLiteral("NAN");
  if (std::isinf(value)) return value > 0 ? QStringLiteral("INF") : QStringLiteral("-INF");
  QString s = QString::number(value, 'f', decimals);
  if (s.startsWith(QLatin1Char('-'))) {
    bool allZero = true;
    for (int i = 1; i < s.size() && allZero; ++i)
      if (s[i] != QLatin1Char('0') && s[i] != QLatin1Char('.')) allZero = false;
    if (allZero) s.remove(0, 1);
  }
  return s;
}

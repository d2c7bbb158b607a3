#include "core/numbers.h"

#include <algorithm>
#include <cfenv>
#include <climits>
#include <cmath>
#include <charconv>
#include <limits>
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

// For a well-formed magnitude beyond the double range: true when it is too
// large, false when it is too small, judged by the power of ten of its first
// significant digit.
bool overflows(const char *first, const char *last) {
  const char *mantissaEnd = std::find_if(first, last, [](char c) { return c == 'e' || c == 'E'; });
  const char *point = std::find(first, mantissaEnd, '.');
  const char *lead = std::find_if(first, mantissaEnd, [](char c) { return c >= '1' && c <= '9'; });
  if (lead == mantissaEnd) return false;
  int64_t power = lead < point ? point - lead - 1 : -(lead - point);
  const char *p = mantissaEnd;
  if (p != last) {
    ++p;
    const bool negative = p != last && *p == '-';
    if (p != last && (*p == '+' || *p == '-')) ++p;
    int64_t exponent = 0;
    for (; p != last && exponent < 100000000; ++p) exponent = exponent * 10 + (*p - '0');
    power += negative ? -exponent : exponent;
  }
  return power > 0;
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
  // from_chars reads "." whatever the C library's locale; it takes no "+".
  const std::string digits = text.mid(start, len).toStdString();
  const bool negative = digits[0] == '-';
  const char *first = digits.data() + ((digits[0] == '+' || negative) ? 1 : 0);
  const char *last = digits.data() + digits.size();
  double value = 0.0;
  const std::from_chars_result result = std::from_chars(first, last, value);
  if (result.ec == std::errc::result_out_of_range)
    value = overflows(first, last) ? std::numeric_limits<double>::infinity() : 0.0;
  return negative ? -value : value;
}

double readNumber(const QString &text) { return readNumber(text, nullptr); }

double readFiniteNumber(const QString &text, double fallback) {
  const double value = readNumber(text);
  return std::isfinite(value) ? value : fallback;
}

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

QString formatSignificant(double value, int digits) {
  if (std::isnan(value)) return QStringLiteral("NAN");
  if (std::isinf(value)) return value > 0 ? QStringLiteral("INF") : QStringLiteral("-INF");
  if (value == 0) value = 0;  // no "-0"
  char text[40];
  const auto end = std::to_chars(text, text + sizeof text, value, std::chars_format::general,
                                 std::clamp(digits, 1, 17)).ptr;
  return QString::fromLatin1(text, static_cast<int>(end - text));
}

#include "core/numbers.h"

#include <algorithm>
#include <cfenv>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstring>
#include <limits>
#include <string>

namespace {

bool isBlank(char16_t c) { return c == u' ' || c == u'\t'; }
bool isDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

// Length of the well-formed number that starts at `start`, 0 when there is
// none; `at(i)` gives the code unit at i < n. One grammar for text and bytes:
// every character of a number is ASCII.
template <typename At>
int numberPrefixLength(At at, int start, int n) {
  int i = start;
  if (i < n && (at(i) == u'+' || at(i) == u'-')) ++i;
  int intDigits = 0;
  while (i < n && isDigit(at(i))) {
    ++i;
    ++intDigits;
  }
  int fracDigits = 0;
  if (i < n && at(i) == u'.') {
    int j = i + 1;
    while (j < n && isDigit(at(j))) {
      ++j;
      ++fracDigits;
    }
    if (intDigits > 0 || fracDigits > 0) i = j;
  }
  if (intDigits == 0 && fracDigits == 0) return 0;
  if (i < n && (at(i) == u'e' || at(i) == u'E')) {
    int j = i + 1;
    if (j < n && (at(j) == u'+' || at(j) == u'-')) ++j;
    int expDigits = 0;
    while (j < n && isDigit(at(j))) {
      ++j;
      ++expDigits;
    }
    if (expDigits > 0) i = j;
  }
  return i - start;
}

template <typename At>
int skipBlanks(At at, int start, int n) {
  while (start < n && isBlank(at(start))) ++start;
  return start;
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

// The value of a well-formed number (sign included).
double numberValue(const char *first, const char *last) {
  // from_chars reads "." whatever the C library's locale; it takes no "+".
  const bool negative = *first == '-';
  if (*first == '+' || negative) ++first;
  double value = 0.0;
  const std::from_chars_result result = std::from_chars(first, last, value);
  if (result.ec == std::errc::result_out_of_range)
    value = overflows(first, last) ? std::numeric_limits<double>::infinity() : 0.0;
  return negative ? -value : value;
}

// Decimal digits of a fixed-point text ending at `last` raised by one in the
// last place, carrying over "." and prepending "1" where all were nines.
char *roundUpDigits(char *first, char *last) {
  char *p = last;
  while (p != first) {
    --p;
    if (*p == '.') continue;
    if (*p != '9') {
      ++*p;
      return last;
    }
    *p = '0';
  }
  std::memmove(first + 1, first, static_cast<size_t>(last - first));
  *first = '1';
  return last + 1;
}

// True when `value` lies exactly halfway between two numbers of `decimals`
// decimals: value x 2 x 10^decimals is an odd integer, that is value x
// 2^(decimals + 1) is one (the 5^decimals factor is odd).
bool isDecimalTie(double value, int decimals) {
  const double scaled = std::ldexp(value, decimals + 1);
  return std::fabs(scaled) < 9007199254740992.0 && scaled == std::trunc(scaled) && std::fmod(scaled, 2.0) != 0;
}

}  // namespace

double readNumber(const char *first, const char *last) {
  const int n = static_cast<int>(last - first);
  auto at = [first](int i) { return static_cast<char16_t>(static_cast<unsigned char>(first[i])); };
  const int start = skipBlanks(at, 0, n);
  const int len = numberPrefixLength(at, start, n);
  return len == 0 ? 0.0 : numberValue(first + start, first + start + len);
}

double readFiniteNumber(const char *first, const char *last, double fallback) {
  const double value = readNumber(first, last);
  return std::isfinite(value) ? value : fallback;
}

double readNumber(const QString &text, bool *wellFormed) {
  const QChar *chars = text.constData();
  const int n = static_cast<int>(text.size());
  auto at = [chars](int i) { return chars[i].unicode(); };
  const int start = skipBlanks(at, 0, n);
  const int len = numberPrefixLength(at, start, n);
  if (wellFormed) {
    const int end = skipBlanks(at, start + len, n);
    *wellFormed = (len > 0 || start == n) && end == n;
  }
  if (len == 0) return 0.0;
  const std::string digits = text.mid(start, len).toStdString();
  return numberValue(digits.data(), digits.data() + digits.size());
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

char *writeFixed(char *out, double value, int decimals) {
  if (decimals < 0) decimals = 0;
  if (std::isnan(value)) return std::copy_n("NAN", 3, out);
  if (std::isinf(value)) return value > 0 ? std::copy_n("INF", 3, out) : std::copy_n("-INF", 4, out);
  char *const limit = out + maxFixedLength(decimals);
  char *end;
  if (!isDecimalTie(value, decimals)) {
    end = std::to_chars(out, limit, value, std::chars_format::fixed, decimals).ptr;
  } else {
    // to_chars rounds a tie to even; the program's texts have always
    // rounded it away from zero. One more decimal is exact: a final "5".
    end = std::to_chars(out, limit, value, std::chars_format::fixed, decimals + 1).ptr - 1;
    if (decimals == 0) --end;  // the "."
    end = roundUpDigits(out + (*out == '-'), end);
  }
  if (*out == '-' && std::all_of(out + 1, end, [](char c) { return c == '0' || c == '.'; })) {
    std::memmove(out, out + 1, static_cast<size_t>(end - out - 1));
    --end;
  }
  return end;
}

QString formatFixed(double value, int decimals) {
  constexpr int kOnStack = 20;
  char small[maxFixedLength(kOnStack)];
  std::string large;
  char *text = small;
  if (decimals > kOnStack) {
    large.resize(static_cast<size_t>(maxFixedLength(decimals)));
    text = large.data();
  }
  const char *end = writeFixed(text, value, decimals);
  return QString::fromLatin1(text, static_cast<int>(end - text));
}

QString formatSignificant(double value, int digits) {
  if (std::isnan(value)) return QStringLiteral("NAN");
  if (std::isinf(value)) return value > 0 ? QStringLiteral("INF") : QStringLiteral("-INF");
  if (value == 0) value = 0;  // no "-0"
  char text[40];
  const auto end =
      std::to_chars(text, text + sizeof text, value, std::chars_format::general, std::clamp(digits, 1, 17)).ptr;
  return QString::fromLatin1(text, static_cast<int>(end - text));
}

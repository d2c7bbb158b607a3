#pragma once
// Number reading and writing shared by every part of the program.
// "." is always the decimal point, whatever the locale.

#include <QString>
#include <cstdint>

// Reads the leading well-formed number of `text`: optional blanks, sign,
// digits, "." and digits, exponent. Empty text, or text without a number
// at its start, reads as 0. Trailing characters are ignored.
double readNumber(const QString &text);

// Like readNumber, but also says whether the whole text was one number
// (surrounding blanks allowed).
double readNumber(const QString &text, bool *wellFormed);

// readNumber, or `fallback` when the number lies beyond the double range
// (it would read as infinity).
double readFiniteNumber(const QString &text, double fallback);

// readNumber and readFiniteNumber over the bytes first .. last (ASCII, UTF-8
// or Latin-1 alike: a number is ASCII and ends at the first other byte).
double readNumber(const char *first, const char *last);
double readFiniteNumber(const char *first, const char *last, double fallback);

// Rounds to the nearest integer, halves to the even neighbour.
double roundHalfEven(double value);

// roundHalfEven, saturated to the 32-bit range (NaN gives 0).
int32_t roundToInt32(double value);

// Fixed-point text with exactly `decimals` decimals, "." as decimal point,
// no grouping or padding, "-" only for values that do not print as zero;
// halfway values round away from zero. "NAN", "INF", "-INF" otherwise.
QString formatFixed(double value, int decimals);

// The most characters writeFixed writes for `decimals` decimals (a double
// has up to 309 integer digits).
constexpr int maxFixedLength(int decimals) { return 314 + (decimals > 0 ? decimals : 0); }

// formatFixed's text written at `out`, which has room for
// maxFixedLength(decimals) characters; returns the end of the text.
char *writeFixed(char *out, double value, int decimals);

// The shorter of fixed and exponent form with `digits` significant digits
// (1 to 17) and no trailing zeros, as C's "%g" writes it ("1.51923e-05"),
// "." always, no "-0"; "NAN", "INF" and "-INF" as formatFixed writes them.
QString formatSignificant(double value, int digits);

// The number texts against QString::number and the reading of text and bytes
// against each other: the files the program writes must not change by a byte.
#include <gtest/gtest.h>

#include <QRandomGenerator>
#include <cmath>
#include <cstring>

#include "core/numbers.h"

namespace {

QString plainFixed(double value, int decimals) {
  QString s = QString::number(value, 'f', decimals);
  if (s.startsWith(QLatin1Char('-'))) {
    bool allZero = true;
    for (int i = 1; i < s.size() && allZero; ++i)
      if (s[i] != QLatin1Char('0') && s[i] != QLatin1Char('.')) allZero = false;
    if (allZero) s.remove(0, 1);
  }
  return s;
}

double randomValue(QRandomGenerator &random, int decimals) {
  switch (random.bounded(5)) {
    case 0:  // any bit pattern
      for (;;) {
        const quint64 bits = random.generate64();
        double v;
        std::memcpy(&v, &bits, sizeof v);
        if (std::isfinite(v)) return v;
      }
    case 1:  // exactly halfway at `decimals`
      return std::ldexp(2.0 * random.bounded(1000000) + 1, -(decimals + 1)) * (random.bounded(2) ? 1 : -1);
    case 2:  // a few binary places
      return std::ldexp(static_cast<double>(random.bounded(-1000000, 1000000)), -random.bounded(40));
    case 3:  // decimal-looking values as read from files
      return random.bounded(-1000000000, 1000000000) * std::pow(10.0, -random.bounded(12));
    default:  // currents over amperes-per-unit
      return (random.generateDouble() - 0.5) * std::pow(10.0, random.bounded(-15, 3)) / 1e-9;
  }
}

}  // namespace

TEST(NumberTextsIdentity, FixedPointAsQStringNumberWroteIt) {
  QRandomGenerator random(1609);
  for (int i = 0; i < 200000; ++i) {
    const int decimals = random.bounded(13);
    const double v = randomValue(random, decimals);
    ASSERT_EQ(formatFixed(v, decimals), plainFixed(v, decimals)) << v << " " << decimals;
  }
  for (int decimals : {0, 1, 2, 9, 20, 30}) {
    for (double v : {0.0, -0.0, 0.5, -0.5, 1.5, 2.5, 9.5, 99.5, 0.125, -0.375, 999.9995, 1e300, -1.7e308, 5e-324,
                     9007199254740993.0, 0.045, 1.005})
      EXPECT_EQ(formatFixed(v, decimals), plainFixed(v, decimals)) << v << " " << decimals;
  }
  EXPECT_EQ(formatFixed(std::nan(""), 2), "NAN");
  EXPECT_EQ(formatFixed(-HUGE_VAL, 2), "-INF");
}

TEST(NumberTextsIdentity, WriteFixedStaysWithinItsBound) {
  char text[maxFixedLength(9) + 8];
  std::memset(text, '#', sizeof text);
  char *end = writeFixed(text, -1.7976931348623157e308, 9);
  EXPECT_LE(end - text, maxFixedLength(9));
  EXPECT_EQ(text[maxFixedLength(9)], '#');
  EXPECT_EQ(QString::fromLatin1(text, end - text), plainFixed(-1.7976931348623157e308, 9));
}

TEST(NumberTextsIdentity, BytesReadAsTheirText) {
  const char *const pieces[] = {" ",  "\t",    "+",      "-", ".", "e",        "E",    "0",  "1",  "5",  "9",
                                "12", "1e308", "1e-330", "x", ",", "\xC3\xA9", "\xE9", "\r", "e+", "e-0"};
  QRandomGenerator random(7);
  for (int i = 0; i < 100000; ++i) {
    QByteArray bytes;
    for (int k = random.bounded(10); k > 0; --k) bytes += pieces[random.bounded(static_cast<int>(std::size(pieces)))];
    const double fromBytes = readFiniteNumber(bytes.constData(), bytes.constData() + bytes.size(), -42.0);
    for (const QString &text : {QString::fromUtf8(bytes), QString::fromLatin1(bytes)}) {
      const double fromText = readFiniteNumber(text, -42.0);
      ASSERT_EQ(std::memcmp(&fromBytes, &fromText, sizeof(double)), 0) << bytes.toHex().toStdString();
    }
  }
}

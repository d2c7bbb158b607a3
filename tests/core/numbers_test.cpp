#include <gtest/gtest.h>

#include "qstring_print.h"

#include <QLocale>
#include <cmath>

#include "core/numbers.h"

struct ReadCase {
  const char *text;
  double value;
  bool wellFormed;
};

class ReadNumberTest : public ::testing::TestWithParam<ReadCase> {};

TEST_P(ReadNumberTest, ReadsLeadingNumber) {
  const ReadCase c = GetParam();
  bool wellFormed = false;
  EXPECT_DOUBLE_EQ(readNumber(QString::fromUtf8(c.text), &wellFormed), c.value) << c.text;
  EXPECT_EQ(wellFormed, c.wellFormed) << c.text;
}

INSTANTIATE_TEST_SUITE_P(Numbers, ReadNumberTest,
                         ::testing::Values(ReadCase{"", 0, true}, ReadCase{"   ", 0, true}, ReadCase{"12", 12, true},
                                           ReadCase{" -3.5", -3.5, true}, ReadCase{"+7", 7, true},
                                           ReadCase{"1e3", 1000, true}, ReadCase{"2.5E-2", 0.025, true},
                                           ReadCase{"1,02", 1, false}, ReadCase{"-", 0, false},
                                           ReadCase{"abc", 0, false}, ReadCase{"12abc", 12, false},
                                           ReadCase{"1e", 1, false}, ReadCase{"5 ", 5, true}, ReadCase{".5", 0.5, true},
                                           ReadCase{"\t-0.25", -0.25, true}, ReadCase{"1.5.3", 1.5, false}));

TEST(ReadNumber, IgnoresLocale) {
  QLocale::setDefault(QLocale(QLocale::German));
  EXPECT_DOUBLE_EQ(readNumber("1.25"), 1.25);
  EXPECT_EQ(formatFixed(1.25, 2), "1.25");
  QLocale::setDefault(QLocale::c());
}

TEST(RoundHalfEven, HalvesGoToEven) {
  EXPECT_EQ(roundHalfEven(250.5), 250);
  EXPECT_EQ(roundHalfEven(251.5), 252);
  EXPECT_EQ(roundHalfEven(-2.5), -2);
  EXPECT_EQ(roundHalfEven(2.4999), 2);
  EXPECT_EQ(roundToInt32(1e12), INT32_MAX);
  EXPECT_EQ(roundToInt32(-1e12), INT32_MIN);
  EXPECT_EQ(roundToInt32(std::nan("")), 0);
}

TEST(FormatFixed, WritesPlainFixedPoint) {
  EXPECT_EQ(formatFixed(0.5, 1), "0.5");
  EXPECT_EQ(formatFixed(100, 0), "100");
  EXPECT_EQ(formatFixed(-3, 2), "-3.00");
  EXPECT_EQ(formatFixed(1234567.891, 2), "1234567.89");
  EXPECT_EQ(formatFixed(-0.0001, 2), "0.00");
  EXPECT_EQ(formatFixed(12.345, 0), "12");
  EXPECT_EQ(formatFixed(2.5e-9 / 1e-9, 3), "2.500");
}

TEST(FormatSignificant, WritesAsPrintfGWithoutTheLocale) {
  EXPECT_EQ(formatSignificant(1.5192351e-05, 6), "1.51924e-05");
  EXPECT_EQ(formatSignificant(0.00012345678, 6), "0.000123457");
  EXPECT_EQ(formatSignificant(1234567, 6), "1.23457e+06");
  EXPECT_EQ(formatSignificant(75.12344, 6), "75.1234");
  EXPECT_EQ(formatSignificant(2.0, 6), "2");
  EXPECT_EQ(formatSignificant(-0.0, 6), "0");
  EXPECT_EQ(formatSignificant(0.123456, 3), "0.123");
  EXPECT_EQ(formatSignificant(98765, 2), "9.9e+04");
  EXPECT_EQ(formatSignificant(std::nan(""), 6), "NAN");
  EXPECT_EQ(formatSignificant(-HUGE_VAL, 6), "-INF");
}

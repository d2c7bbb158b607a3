// The peak table that `dpv --peaks` writes.
#include <gtest/gtest.h>

#include "analysis/peaks_csv.h"
#include "qstring_print.h"

namespace {

Peak peak(double potential, double height, double area, double width, double low, double high) {
  Peak p;
  p.potential = potential;
  p.height = height;
  p.area = area;
  p.width = width;
  p.low.potential = low;
  p.high.potential = high;
  return p;
}

}  // namespace

TEST(PeaksCsv, HeaderAloneWithoutPeaks) {
  EXPECT_EQ(peaksCsvLines({}),
            QStringList{"Peak,Potential [mV],Height [A],Area [A V],Width [mV],Baseline from [mV],Baseline to [mV]"});
  EXPECT_EQ(peaksCsv({}), QByteArray("Peak,Potential [mV],Height [A],Area [A V],Width [mV],Baseline from [mV],"
                                     "Baseline to [mV]\r\n"));
}

TEST(PeaksCsv, RowsInIncreasingPotential) {
  const std::vector<Peak> peaks = {
      peak(0.35012, 1.519234e-05, 1.6e-06, 0.0452, 0.2505, 0.4511),
      peak(-0.0987654, -2.5e-08, -2.34567891e-09, 0.09045, -0.25, 0.0),
      peak(0.1, 1e-05, 0.0001, 0.1, 0.00001, 0.2),
  };
  const QStringList lines = peaksCsvLines(peaks);
  ASSERT_EQ(lines.size(), 4);
  EXPECT_EQ(lines[1], "1,-98.77,-2.5e-08,-2.34568e-09,90.45,-250.00,0.00");
  EXPECT_EQ(lines[2], "2,100.00,1e-05,0.0001,100.00,0.01,200.00");
  EXPECT_EQ(lines[3], "3,350.12,1.51923e-05,1.6e-06,45.20,250.50,451.10");
  const QByteArray bytes = peaksCsv(peaks);
  EXPECT_TRUE(bytes.endsWith("451.10\r\n"));
  EXPECT_EQ(bytes.count("\r\n"), 4);
  EXPECT_EQ(bytes.count('\n'), 4);
}

TEST(PeaksCsv, SixSignificantDigitsAsPrintfG) {
  struct Case {
    double value;
    const char *text;
  } cases[] = {
      {1.51923e-05, "1.51923e-05"},
      {1.519234999e-05, "1.51923e-05"},
      {1.5192351e-05, "1.51924e-05"},
      {1e-05, "1e-05"},
      {1.00000e-05, "1e-05"},
      {-1.2e-12, "-1.2e-12"},
      {0.0, "0"},
      {-0.0, "0"},
      {0.0001, "0.0001"},
      {0.00012345678, "0.000123457"},
      {123456, "123456"},
      {1234567, "1.23457e+06"},
      {2.5e-100, "2.5e-100"},
  };
  for (const Case &c : cases) {
    const QStringList lines = peaksCsvLines({peak(0, c.value, c.value, 0, 0, 0)});
    EXPECT_EQ(lines[1], QStringLiteral("1,0.00,%1,%1,0.00,0.00,0.00").arg(c.text)) << c.value;
  }
}

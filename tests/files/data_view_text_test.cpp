#include <gtest/gtest.h>

#include "files/data_view_text.h"
#include "files_test_support.h"

namespace {

MeasurementRecord viewRecord(int32_t pointIndex) {
  MeasurementRecord r = sampleRecord();
  r.params.currDigits = 2;
  r.resizePoints(r.params.pulseNumber);
  r.document.points[0] = 4e-6;
  r.document.points[1] = 8e-6;
  r.document.points[2] = -4e-6;
  r.document.pointIndex = pointIndex;
  return r;
}

DataViewColumns only(bool point, bool time, bool potential, bool current) { return {point, time, potential, current}; }

}  // namespace

struct ColumnCase {
  const char *name;
  DataViewColumns columns;
  const char *header;
  const char *firstRow;
};

class DataViewColumnsTest : public ::testing::TestWithParam<ColumnCase> {};

TEST_P(DataViewColumnsTest, HeaderAndFirstRow) {
  const ColumnCase &c = GetParam();
  const MeasurementRecord r = viewRecord(2);
  EXPECT_EQ(dataViewHeader(r, c.columns), QString::fromUtf8(c.header));
  const QStringList rows = dataViewRows(r, c.columns);
  ASSERT_EQ(rows.size(), 3);
  EXPECT_EQ(rows[0], QString::fromUtf8(c.firstRow));
}

INSTANTIATE_TEST_SUITE_P(
    Switches, DataViewColumnsTest,
    ::testing::Values(ColumnCase{"all", only(true, true, true, true), "Point\tTime [s]\tE [V]\ti [uA]",
                                 "0\t0.000\t-0.5000\t4.000"},
                      ColumnCase{"none", only(false, false, false, false), "", ""},
                      ColumnCase{"point_and_time", only(true, true, false, false), "Point\tTime [s]\t", "0\t0.000"},
                      ColumnCase{"current_only", only(false, false, false, true), "i [uA]", "4.000"},
                      ColumnCase{"potential_only", only(false, false, true, false), "E [V]\t", "-0.5000"}),
    [](const ::testing::TestParamInfo<ColumnCase> &info) { return std::string(info.param.name); });

TEST(DataViewRows, ListsPointsZeroToPointIndex) {
  const QStringList rows = dataViewRows(viewRecord(2), DataViewColumns{});
  EXPECT_EQ(rows, (QStringList{"0\t0.000\t-0.5000\t4.000", "1\t0.050\t-0.4995\t8.000", "2\t0.100\t-0.4990\t-4.000"}));
}

TEST(DataViewRows, NoDataAndNoRows) {
  EXPECT_EQ(dataViewRows(viewRecord(0), DataViewColumns{}), QStringList{"No data"});
  MeasurementRecord none = viewRecord(-1);
  none.document.points.clear();  // nothing may be read
  EXPECT_TRUE(dataViewRows(none, DataViewColumns{}).isEmpty());
}

TEST(DataViewRows, AfterAFullRunEveryPointIsListed) {
  MeasurementRecord r = viewRecord(0);
  r.document.pointIndex = r.params.pulseNumber - 1;
  EXPECT_EQ(dataViewRows(r, DataViewColumns{}).size(), r.params.pulseNumber);
}

TEST(DataViewRows, CurrentsAreSmoothedWithTheGraphWeights) {
  MeasurementRecord r = viewRecord(2);
  r.params.dampingFactor = 0.5;
  r.params.dampingRest = 0.5;
  const QStringList rows = dataViewRows(r, only(false, false, false, true));
  EXPECT_EQ(rows, (QStringList{"4.000", "6.000", "1.000"}));
}

TEST(DataViewRows, UnitChangesHeaderAndNumbers) {
  MeasurementRecord r = viewRecord(2);
  r.texts.currUnitIndex = 1;
  XYFactors(r);
  r.params.currDigits = 0;
  EXPECT_EQ(dataViewHeader(r, only(false, false, false, true)), "i [nA]");
  EXPECT_EQ(dataViewRows(r, only(false, false, false, true))[0], "4000.0");
}

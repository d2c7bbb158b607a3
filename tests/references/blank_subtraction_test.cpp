// Blank subtraction against values worked out here from the functions the
// files were made of: point by point on the same potential grid, and on
// other grids (finer, coarser, falling) where the blank is interpolated.
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <cmath>

#include "factory_texts.h"
#include "files/file_operations.h"
#include "qstring_print.h"
#include "reference_files.h"
#include "references/blank_subtraction.h"

namespace {

// The sample: -100 .. 100 mV in 1 mV steps, a peak on a slope (uA).
double sampleAt(double mv) { return 1 + 0.01 * mv + 8 * std::exp(-std::pow((mv - 20) / 15, 2)); }

std::vector<double> valuesOf(double start, double step, int count, double (*f)(double)) {
  std::vector<double> v;
  for (int i = 0; i < count; ++i) v.push_back(f(start + i * step));
  return v;
}

class BlankSubtraction : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir.isValid());
    writeFile(path("sample.dpv"), measurementBytes(-100, 100, 20, valuesOf(-100, 1, 201, sampleAt)));
    record.texts = factoryTexts();
    QString error;
    ASSERT_TRUE(openMeasurementFile(record, path("sample.dpv"), &error)) << error;
    ASSERT_EQ(record.document.pointIndex, 200);
  }
  QString path(const QString &name) const { return dir.filePath(name); }
  QString blank(const QString &name, double start, double end, double speed, double (*f)(double),
                const QString &unit = "uA") {
    const double step = (end > start ? 1 : -1) * speed / 20;
    const int count = static_cast<int>(std::lround((end - start) / step)) + 1;
    std::vector<double> v = valuesOf(start, step, count, f);
    if (unit == "nA")
      for (double &x : v) x *= 1000;
    writeFile(path(name), measurementBytes(start, end, speed, v, unit));
    return path(name);
  }
  // Point i of the record against sample minus `blankAt`, both in uA.
  void expectSubtracted(double (*blankAt)(double), double tolerance) {
    for (int i = 0; i <= record.document.pointIndex; ++i) {
      const double mv = -100 + i;
      EXPECT_NEAR(record.document.points[i] * 1e6, sampleAt(mv) - blankAt(mv), tolerance) << "at " << mv << " mV";
    }
  }

  QTemporaryDir dir;
  MeasurementRecord record;
};

double wavyBlank(double mv) { return 0.5 + 0.3 * std::sin(mv / 9); }
double straightBlank(double mv) { return 3 - 0.02 * mv; }
// Straight between the points of a 2.5 mV grid that holds 0 mV, so the
// interpolated blank is this function at every potential.
double kinkedBlank(double mv) { return 2 + std::abs(mv) / 10; }

}  // namespace

TEST_F(BlankSubtraction, SameGridSubtractsPointByPoint) {
  QString error;
  ASSERT_EQ(subtractBlankFile(record, blank("blank.dpv", -100, 100, 20, wavyBlank), &error), Subtraction::Done)
      << error;
  // The values as written (6 decimals in uA).
  expectSubtracted(wavyBlank, 2e-6);
  EXPECT_EQ(record.document.pointIndex, 200);
}

TEST_F(BlankSubtraction, ResultIsANewUnsavedMeasurementNamingTheBlank) {
  const QStringList description = record.document.description;
  const QString runDateTime = record.document.runDateTime;
  QString error;
  ASSERT_EQ(subtractBlankFile(record, blank("blank 1.dpv", -100, 100, 20, wavyBlank), &error), Subtraction::Done);
  EXPECT_EQ(record.document.description, description + QStringList{"Blank subtracted: blank 1.dpv"});
  EXPECT_TRUE(record.document.dataFileName.isEmpty());
  EXPECT_FALSE(record.document.dataSaved);
  EXPECT_TRUE(record.document.askFileName);
  EXPECT_EQ(record.caption(), kTitle);
  // Still the one measurement, of its own run and parameters.
  EXPECT_EQ(record.document.runDateTime, runDateTime);
  EXPECT_EQ(record.texts.potStart, "-100.000");
}

TEST_F(BlankSubtraction, OtherGridsInterpolateTheBlankAtEachPotential) {
  QString error;
  // A coarser, wider grid: 2.5 mV from -150 to 150 mV.
  ASSERT_EQ(subtractBlankFile(record, blank("coarse.dpv", -150, 150, 50, kinkedBlank), &error), Subtraction::Done)
      << error;
  expectSubtracted(kinkedBlank, 2e-6);
}

TEST_F(BlankSubtraction, AFallingBlankInAnotherUnitServesARisingSample) {
  QString error;
  // 400 .. -200 mV in -1.5 mV steps, in nA.
  ASSERT_EQ(subtractBlankFile(record, blank("falling.dpv", 400, -200, 30, straightBlank, "nA"), &error),
            Subtraction::Done)
      << error;
  expectSubtracted(straightBlank, 2e-6);
}

TEST_F(BlankSubtraction, ABlankThatDoesNotCoverTheRangeIsRefusedAndNothingChanges) {
  const std::vector<double> points = record.document.points;
  const QStringList description = record.document.description;
  const QString file = record.document.dataFileName;
  const struct { double start, end; } ranges[] = {{-99, 100}, {-100, 99}, {-50, 50}, {100, 300}};
  for (const auto &r : ranges) {
    QString error;
    EXPECT_EQ(subtractBlankFile(record, blank("short.dpv", r.start, r.end, 20, wavyBlank), &error),
              Subtraction::NotCovered)
        << r.start << " .. " << r.end;
    EXPECT_TRUE(error.contains("does not cover the potential range of the measurement (-100.00 mV .. 100.00 mV)"))
        << error;
    EXPECT_TRUE(error.contains("\"short.dpv\"")) << error;
  }
  EXPECT_EQ(record.document.points, points);
  EXPECT_EQ(record.document.description, description);
  EXPECT_EQ(record.document.dataFileName, file);
  EXPECT_TRUE(record.document.dataSaved);
}

TEST_F(BlankSubtraction, ABlankWithoutPointsOrAMeasurementWithoutPointsIsRefused) {
  writeFile(path("empty.dpv"), measurementBytes(-100, 100, 20, {}));
  QString error;
  EXPECT_EQ(subtractBlankFile(record, path("empty.dpv"), &error), Subtraction::NotCovered);
  EXPECT_TRUE(error.contains("(no points)")) << error;

  MeasurementRecord empty;
  empty.texts = factoryTexts();
  ASSERT_TRUE(openMeasurementFile(empty, path("empty.dpv"), &error));
  EXPECT_EQ(subtractBlankFile(empty, blank("blank.dpv", -100, 100, 20, wavyBlank), &error), Subtraction::NotCovered);
  EXPECT_TRUE(error.contains("holds no points")) << error;
  EXPECT_TRUE(empty.document.description == QStringList{"cell one"});
}

TEST_F(BlankSubtraction, AnUnreadableBlankChangesNothing) {
  const std::vector<double> points = record.document.points;
  QString error;
  EXPECT_EQ(subtractBlankFile(record, path("missing.dpv"), &error), Subtraction::CannotRead);
  EXPECT_TRUE(error.contains("missing.dpv")) << error;
  EXPECT_EQ(record.document.points, points);
  EXPECT_FALSE(record.document.dataFileName.isEmpty());
}

TEST(BlankAtPoints, HeldWithinTheBlankAtItsEnds) {
  // Three points, 0 .. 20 mV, and a sample on exactly that range, finer.
  const double blank[] = {1, 3, 2};
  const Curve b{blank, 3, 0.0, 0.010};
  const double sample[] = {0, 0, 0, 0, 0};
  const Curve s{sample, 5, 0.0, 0.005};
  const auto at = blankAtPoints(s, b);
  ASSERT_TRUE(at.has_value());
  const std::vector<double> expected{1, 2, 3, 2.5, 2};
  ASSERT_EQ(at->size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) EXPECT_NEAR((*at)[i], expected[i], 1e-12) << i;
  // One point past the blank's end is not covered; nor is a blank of one point.
  const Curve longer{sample, 5, 0.0, 0.00501};
  EXPECT_FALSE(blankAtPoints(longer, b).has_value());
  const Curve single{blank, 1, 0.0, 0.010};
  EXPECT_FALSE(blankAtPoints(Curve{sample, 1, 0.0, 0.005}, single).has_value());
}

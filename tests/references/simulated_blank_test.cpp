// A sample and a blank (the same cell without the couple) measured on the
// simulated instrument through the real run: subtracting the blank keeps the
// sample's peak and leaves a flat baseline, on the sample's own grid and on
// a coarser, wider one.
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <cmath>
#include <iostream>

#include "analysis/record_curve.h"
#include "factory_texts.h"
#include "files/file_operations.h"
#include "quantitation/simulated_files.h"
#include "references/blank_subtraction.h"

namespace {

// Converters as calibrated; the double layer and the noise as the default cell has them.
const QString kSample = QStringLiteral("C=1.2,seed=3,errors=0");
const QString kBlank = QStringLiteral("C=0,seed=4,errors=0");

double mean(const std::vector<double> &v, std::size_t from, std::size_t to) {
  double sum = 0;
  for (std::size_t i = from; i < to; ++i) sum += v[i];
  return sum / static_cast<double>(to - from);
}

class SimulatedBlank : public ::testing::TestWithParam<bool> {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir.isValid());
    setProgramFolder(dir.path());
  }
  void TearDown() override { setProgramFolder(QString()); }
  QTemporaryDir dir;
};

}  // namespace

TEST_P(SimulatedBlank, KeepsThePeakAndLeavesAFlatBaseline) {
  const bool otherGrid = GetParam();
  const QString sample = dir.filePath("sample.dpv"), blank = dir.filePath("blank.dpv");
  measureSimulatedFile(kSample, sample);
  if (otherGrid)
    measureSimulatedFile(kBlank, blank, "100", "-200", "400", "40");  // 2 mV steps
  else
    measureSimulatedFile(kBlank, blank);

  MeasurementRecord record;
  record.texts = factoryTexts();
  QString error;
  ASSERT_TRUE(openMeasurementFile(record, sample, &error)) << error.toStdString();
  const std::vector<Peak> before = recordPeaks(record, AnalysisSettings());
  ASSERT_EQ(before.size(), 1u);
  ASSERT_EQ(subtractBlankFile(record, blank, &error), Subtraction::Done) << error.toStdString();
  const std::vector<Peak> after = recordPeaks(record, AnalysisSettings());
  ASSERT_EQ(after.size(), 1u);

  const double height = before[0].height;
  std::cout << "[blank] " << (otherGrid ? "other grid" : "same grid") << ": peak " << height << " A, after "
            << after[0].height << " A (" << (after[0].height / height - 1) * 100 << " %)\n";
  EXPECT_NEAR(after[0].height, height, 0.01 * std::abs(height));
  EXPECT_NEAR(after[0].potential, before[0].potential, 0.001);

  const std::vector<double> points(record.document.points.begin(),
                                   record.document.points.begin() + record.document.pointIndex + 1);
  const std::size_t tenth = points.size() / 10;
  const double first = mean(points, 0, tenth), last = mean(points, points.size() - tenth, points.size());
  std::cout << "[blank] baseline " << first / height * 100 << " % and " << last / height * 100 << " % of the peak\n";
  EXPECT_LT(std::abs(first), 0.02 * std::abs(height));
  EXPECT_LT(std::abs(last), 0.02 * std::abs(height));
}

INSTANTIATE_TEST_SUITE_P(Grids, SimulatedBlank, ::testing::Values(false, true),
                         [](const testing::TestParamInfo<bool> &info) {
                           return std::string(info.param ? "OtherGrid" : "SameGrid");
                         });

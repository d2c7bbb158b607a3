// Golden runs: standards, blanks and samples measured on the simulated
// instrument (calibrated converters, the default noise, a noise seed of their
// own each), saved as .dpv files, listed in a table and quantified as the
// window and --quantify do. The sample's known concentration must come out
// within 2 % and three standard uncertainties (calibration), or within 4 %
// (standard addition).
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <cmath>
#include <iostream>

#include "dpv_program.h"
#include "qstring_print.h"
#include "quantitation/result_rows.h"
#include "quantitation/table_quantitation.h"
#include "simulated_files.h"

namespace {

struct Measured {
  const char *file;
  const char *role;
  double concentration;  // in the cell, mmol/L
  const char *tableConcentration;
};

class Golden : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    setProgramFolder(dir_.path());
  }
  void TearDown() override { setProgramFolder(QString()); }

  // Measures every file with its own seed and writes the table.
  QString measure(const std::vector<Measured> &files, const QString &currentLimit = "100") {
    QStringList lines{"File,Role,Concentration [mmol/L]"};
    int seed = 1;
    for (const Measured &m : files) {
      const QString cell = QStringLiteral("C=%1,seed=%2,errors=0").arg(m.concentration).arg(seed++);
      measureSimulatedFile(cell, dir_.filePath(m.file), currentLimit);
      lines << QStringLiteral("%1,%2,%3").arg(m.file, m.role, m.tableConcentration);
    }
    const QString path = dir_.filePath("table.csv");
    QuantitationTable table;
    TableError error;
    EXPECT_TRUE(readQuantitationTable(lines, dir_.path(), &table, &error)) << error.message().toStdString();
    QString why;
    EXPECT_TRUE(saveQuantitationTable(path, table, &why)) << why.toStdString();
    return path;
  }

  QuantitationResult quantified(const QString &tablePath, const QuantitationSettings &settings = {}) {
    QuantitationTable table;
    QuantitationResult result;
    TableError error;
    EXPECT_TRUE(loadQuantitationTable(tablePath, &table, &error)) << error.message().toStdString();
    EXPECT_TRUE(quantifyTable(table, settings, &result, &error)) << error.message().toStdString();
    return result;
  }

  QTemporaryDir dir_;
};

void report(const char *name, const QuantitationResult &r, double known) {
  const SampleResult &s = r.samples.front();
  std::cout << "[golden] " << name << ": " << s.concentration << " ± " << s.uncertainty << " mmol/L for " << known
            << " (error " << (s.concentration / known - 1) * 100 << " %, " << (s.concentration - known) / s.uncertainty
            << " u); slope " << r.fit.slope << " A per mmol/L, R2 " << r.fit.r2 << ", s(y/x) " << r.fit.residualSd
            << " A, LOD " << r.lod << ", LOQ " << r.loq;
  if (r.lodBlank) std::cout << ", LOD (blank) " << *r.lodBlank;
  std::cout << " mmol/L; peak at " << r.peakPotential * 1000 << " mV\n";
  for (const QString &w : r.warnings) std::cout << "[golden]   warning: " << w.toStdString() << "\n";
}

}  // namespace

TEST_F(Golden, CalibrationWithFiveStandardsThreeBlanksAndASample) {
  const double known = 0.5;
  const QString table = measure({
      {"std1.dpv", "standard", 0.1, "0.1"},
      {"std2.dpv", "standard", 0.2, "0.2"},
      {"std3.dpv", "standard", 0.4, "0.4"},
      {"std4.dpv", "standard", 0.6, "0.6"},
      {"std5.dpv", "standard", 0.8, "0.8"},
      {"blank1.dpv", "blank", 0, ""},
      {"blank2.dpv", "blank", 0, ""},
      {"blank3.dpv", "blank", 0, ""},
      {"sample.dpv", "sample", known, ""},
  });
  const QuantitationResult r = quantified(table);
  ASSERT_EQ(r.samples.size(), 1u);
  report("calibration", r, known);
  const SampleResult &s = r.samples.front();
  EXPECT_EQ(r.method, Method::Calibration);
  EXPECT_EQ(s.name, "sample");
  EXPECT_NEAR(s.concentration, known, 0.02 * known);
  EXPECT_GT(s.uncertainty, 0);
  EXPECT_LT(std::fabs(s.concentration - known), 3 * s.uncertainty);
  EXPECT_GT(r.fit.r2, 0.999);
  EXPECT_LT(r.loq, 0.1);  // the lowest standard is quantifiable
  EXPECT_NEAR(r.loq / r.lod, 10 / 3.3, 1e-9);
  // The couple's peak, E0 - dE/2, as the peak analysis finds it.
  EXPECT_NEAR(r.peakPotential, 0.100 - 0.025, 0.002);
  // Blanks without the couple show no peak: height 0 each, nothing scatters.
  EXPECT_FALSE(r.lodBlank.has_value());
  EXPECT_EQ(r.warnings, QStringList{"The blanks' heights are all 0 A: no LOD from the blanks."});

  // The command line gives the same rows from the same table.
  const QString out = dir_.filePath("result.csv");
  const ProgramRun run = runDpv({"--folder", dir_.path(), "--quantify", table, out});
  ASSERT_TRUE(run.finished);
  EXPECT_EQ(run.exitCode, 0) << run.output.toStdString();
  EXPECT_TRUE(run.output.contains("warning: The blanks' heights are all 0 A")) << run.output.toStdString();
  QFile written(out);
  ASSERT_TRUE(written.open(QIODevice::ReadOnly));
  EXPECT_EQ(written.readAll(), quantitationCsv(r));
}

TEST_F(Golden, CalibrationNearTheLimitWithReagentBlanks) {
  // Standards of 2 to 10 umol/L on the 1 uA axis, and blanks whose reagents
  // carry 1 umol/L: their small peaks scatter, so the blanks give a limit.
  const double known = 0.005;
  const QString table = measure(
      {
          {"std1.dpv", "standard", 0.002, "0.002"},
          {"std2.dpv", "standard", 0.004, "0.004"},
          {"std3.dpv", "standard", 0.006, "0.006"},
          {"std4.dpv", "standard", 0.008, "0.008"},
          {"std5.dpv", "standard", 0.010, "0.010"},
          {"blank1.dpv", "blank", 0.001, ""},
          {"blank2.dpv", "blank", 0.001, ""},
          {"blank3.dpv", "blank", 0.001, ""},
          {"sample.dpv", "sample", known, ""},
      },
      "1");
  const QuantitationResult r = quantified(table);
  ASSERT_EQ(r.samples.size(), 1u);
  report("calibration near the limit", r, known);
  const SampleResult &s = r.samples.front();
  EXPECT_NEAR(s.concentration, known, 0.02 * known);
  EXPECT_LT(std::fabs(s.concentration - known), 3 * s.uncertainty);
  EXPECT_LT(r.loq, 0.002);
  ASSERT_TRUE(r.lodBlank.has_value());
  EXPECT_GT(*r.lodBlank, 0);
  EXPECT_TRUE(r.warnings.isEmpty()) << r.warnings.join('|').toStdString();
}

TEST_F(Golden, StandardAdditionWithThreeAdditions) {
  const double known = 0.3;
  const QString table = measure({
      {"sample.dpv", "sample", known, ""},
      {"add1.dpv", "addition", known + 0.2, "0.2"},
      {"add2.dpv", "addition", known + 0.4, "0.4"},
      {"add3.dpv", "addition", known + 0.6, "0.6"},
  });
  const QuantitationResult r = quantified(table);
  ASSERT_EQ(r.samples.size(), 1u);
  report("standard addition", r, known);
  const SampleResult &s = r.samples.front();
  EXPECT_EQ(r.method, Method::StandardAddition);
  EXPECT_NEAR(s.concentration, known, 0.04 * known);
  EXPECT_GT(s.uncertainty, 0);
}

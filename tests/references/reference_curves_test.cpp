// Reference curves as they are loaded, chosen, coloured and remembered.
#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "core/ini_file.h"
#include "factory_texts.h"
#include "qstring_print.h"
#include "reference_files.h"
#include "references/reference_curves.h"
#include "references/reference_palette.h"
#include "references/reference_settings.h"

namespace {

class ReferenceCurvesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir.isValid());
    current.texts = factoryTexts();
  }
  QString file(const QString &name, const QByteArray &bytes) {
    writeFile(dir.filePath(name), bytes);
    return dir.filePath(name);
  }
  QTemporaryDir dir;
  MeasurementRecord current;
};

}  // namespace

TEST_F(ReferenceCurvesTest, EachIsSmoothedWithItsOwnDampingAtItsOwnPotentials) {
  // 50 %: each drawn value halfway from the last one to the new point. The
  // program's own damping (0) plays no part.
  const QString path = file("ref.dpv", measurementBytes(200, 0, 40, {4, 0, 2, 2, 10}, "nA", "50"));
  ReferenceCurve curve;
  QString error;
  ASSERT_TRUE(loadReferenceCurve(current, path, &curve, &error)) << error;
  EXPECT_EQ(curve.name, "ref.dpv");
  EXPECT_EQ(curve.path, path);
  EXPECT_NEAR(curve.startPotential, 0.200, 1e-12);
  EXPECT_NEAR(curve.step, -0.002, 1e-12);  // a falling sweep
  // The points the graph draws of an opened file: all but the last one read.
  const std::vector<double> expected{4e-9, 2e-9, 2e-9, 2e-9};
  ASSERT_EQ(curve.currents.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) EXPECT_NEAR(curve.currents[i], expected[i], 1e-18) << i;
}

TEST_F(ReferenceCurvesTest, SkippedFilesAreNamedInOneMessage) {
  ReferenceCurves refs;
  const QString a = file("a.dpv", measurementBytes(0, 100, 20, {1, 2, 3}));
  const QString gone = dir.filePath("gone.dpv"), lost = dir.filePath("lost.dpv");
  EXPECT_EQ(refs.add(current, {a, gone, lost}), "Reference curve not found: gone.dpv, lost.dpv");
  EXPECT_EQ(refs.paths(), QStringList{a});
  // A file shown already is not added twice, and says nothing.
  EXPECT_EQ(refs.add(current, {a}), "");
  EXPECT_EQ(refs.curves().size(), 1u);
  refs.clear();
  EXPECT_TRUE(refs.empty());
}

TEST_F(ReferenceCurvesTest, AtMostSixAreShown) {
  QStringList paths;
  for (int i = 1; i <= 8; ++i) paths << file(QString("r%1.dpv").arg(i), measurementBytes(0, 100, 20, {1, 2, i * 1.0}));
  ReferenceCurves refs;
  EXPECT_EQ(refs.add(current, paths), "At most 6 reference curves are shown; left out: r7.dpv, r8.dpv");
  EXPECT_EQ(refs.paths(), paths.mid(0, 6));
}

TEST_F(ReferenceCurvesTest, PathsAreRememberedInTheirOwnSection) {
  const QString iniPath = dir.filePath("marelt.ini");
  {
    IniFile ini(iniPath);
    ini.writeString("Setup", "C min", "-100");
    writeReferencePaths(ini, {"/data/one.dpv", "/data/two = 2.dpv"});
    ASSERT_TRUE(ini.save());
  }
  IniFile ini(iniPath);
  EXPECT_EQ(ini.readString("References", "File1", ""), "/data/one.dpv");
  EXPECT_EQ(readReferencePaths(ini), (QStringList{"/data/one.dpv", "/data/two = 2.dpv"}));
  // Fewer curves leave no stale keys behind; none leave no section.
  writeReferencePaths(ini, {"/data/three.dpv"});
  EXPECT_EQ(readReferencePaths(ini), QStringList{"/data/three.dpv"});
  writeReferencePaths(ini, {});
  EXPECT_TRUE(ini.sectionKeys("References").isEmpty());
  EXPECT_EQ(ini.readString("Setup", "C min", ""), "-100");
}

TEST(ReferencePalette, DistinctColoursThatAvoidTheCurveAndTheBackground) {
  const QVector<QColor> standard = referenceColors(6, QColor(0, 0, 255), Qt::white);
  ASSERT_EQ(standard.size(), 6);
  for (int i = 0; i < standard.size(); ++i)
    for (int j = i + 1; j < standard.size(); ++j) EXPECT_NE(standard[i], standard[j]);
  EXPECT_EQ(standard[0], QColor(213, 94, 0));  // vermillion first
  // A vermillion curve on black: neither vermillion nor black is offered.
  const QVector<QColor> dark = referenceColors(6, QColor(213, 94, 0), Qt::black);
  EXPECT_FALSE(dark.contains(QColor(213, 94, 0)));
  EXPECT_FALSE(dark.contains(QColor(0, 0, 0)));
  EXPECT_EQ(dark[0], QColor(0, 158, 115));
}

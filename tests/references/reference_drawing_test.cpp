// Reference curves drawn on an image as the graph draws them: where the
// axes put them, cut at the plot's edge, with the legend in the corner.
#include <gtest/gtest.h>

#include <QImage>
#include <QTemporaryDir>

#include "factory_texts.h"
#include "reference_files.h"
#include "references/graph_references.h"
#include "references/reference_drawing.h"
#include "references/reference_palette.h"

namespace {

int countColour(const QImage &image, const QColor &color, const QRect &within) {
  int n = 0;
  for (int y = within.top(); y <= within.bottom(); ++y)
    for (int x = within.left(); x <= within.right(); ++x)
      if (image.pixelColor(x, y) == color) ++n;
  return n;
}

// Pixels of text, which is drawn black with softened edges.
int countDark(const QImage &image, const QRect &within) {
  int n = 0;
  for (int y = within.top(); y <= within.bottom(); ++y)
    for (int x = within.left(); x <= within.right(); ++x)
      if (image.pixelColor(x, y).lightness() < 60) ++n;
  return n;
}

class ReferenceDrawing : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir.isValid());
    record.texts = factoryTexts();
    // A flat line at 50 uA from -100 to 100 mV, and a falling step curve.
    writeFile(dir.filePath("flat.dpv"), measurementBytes(-100, 100, 20, std::vector<double>(202, 50.0)));
    writeFile(dir.filePath("low.dpv"), measurementBytes(100, -100, 20, std::vector<double>(202, -20.0)));
    ASSERT_EQ(refs.add(record, {dir.filePath("flat.dpv"), dir.filePath("low.dpv")}), "");
    record.view.plotWidth = 400;
    record.view.plotHeight = 200;
    image = QImage(400, 200, QImage::Format_RGB32);
    image.fill(Qt::white);
  }
  void axes(double potStart, double potEnd, double currMin, double currMax) {
    record.params.axisPotStart = potStart;
    record.params.axisPotEnd = potEnd;
    record.params.axisCurrMin = currMin;
    record.params.axisCurrMax = currMax;
  }
  void draw() {
    QPainter p(&image);
    drawGraphReferences(p, refs, record, GraphColors());
  }

  QTemporaryDir dir;
  MeasurementRecord record;
  ReferenceCurves refs;
  QImage image;
  const QVector<QColor> colours = referenceColors(2, GraphColors().line, Qt::white);
};

}  // namespace

TEST_F(ReferenceDrawing, CurvesLieWhereTheAxesPutThem) {
  axes(-0.2, 0.2, -100e-6, 100e-6);
  draw();
  // 50 uA is a quarter of the height from the top, -20 uA 60 % down; -100 ..
  // 100 mV is the middle half of the width. Columns right of 300 hold the legend.
  const QRect left(0, 0, 100, 200);
  EXPECT_EQ(countColour(image, colours[0], left), 0);
  EXPECT_GT(countColour(image, colours[0], QRect(100, 50, 150, 1)), 140);
  EXPECT_GT(countColour(image, colours[1], QRect(100, 120, 150, 1)), 140);
  EXPECT_EQ(countColour(image, colours[0], QRect(100, 51, 150, 69)), 0);
}

TEST_F(ReferenceDrawing, TheyFollowAZoomAndStayInsideThePlot) {
  // Zoomed to 0 .. 50 mV and 0 .. 60 uA: the flat curve crosses the whole
  // width a sixth from the top; the other lies below the plot.
  axes(0, 0.05, 0, 60e-6);
  draw();
  EXPECT_GT(countColour(image, colours[0], QRect(0, 33, 300, 1)), 290);
  // Of the other only the legend's sample shows, in the top right corner.
  const int low = countColour(image, colours[1], image.rect());
  EXPECT_GT(low, 0);
  EXPECT_EQ(countColour(image, colours[1], QRect(250, 0, 150, 60)), low);
}

TEST_F(ReferenceDrawing, TheLegendNamesEachCurveInTheTopRightCorner) {
  axes(-0.2, 0.2, -100e-6, 100e-6);
  draw();
  // The samples: two lines of each colour, side by side, near the top right.
  const QRect corner(250, 0, 150, 60);
  EXPECT_GT(countColour(image, colours[0], corner), 20);
  EXPECT_GT(countColour(image, colours[1], corner), 20);
  // The names in black; the legend box outlined in grey.
  EXPECT_GT(countDark(image, corner), 30);
  EXPECT_GT(countColour(image, QColor(128, 128, 128), corner), 50);
  EXPECT_EQ(countDark(image, QRect(0, 60, 400, 140)), 0);
}

TEST_F(ReferenceDrawing, NothingWithoutAScale) {
  axes(0, 0, -100e-6, 100e-6);
  draw();
  EXPECT_EQ(countColour(image, Qt::white, image.rect()), 400 * 200);
}

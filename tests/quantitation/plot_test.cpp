// The plot of a quantitation, drawn into an image as the window draws it.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include "quantitation/calibration_plot.h"

namespace {

QuantitationResult calibration() {
  QuantitationResult r;
  r.unit = QStringLiteral("mg/L");
  std::vector<double> x{1, 2, 3, 4}, y{1.1e-6, 2.05e-6, 2.9e-6, 4.1e-6};
  r.fit = fitLine(x, y);
  for (std::size_t i = 0; i < x.size(); ++i) r.points.push_back({x[i], y[i], Role::Standard});
  r.points.push_back({0, 0.05e-6, Role::Blank});
  r.samples.push_back({QStringLiteral("river"), 2, 2.5e-6, predictX(r.fit, 2.5e-6), 0.2});
  r.lowest = 1;
  r.highest = 4;
  return r;
}

QImage drawn(const QuantitationResult &r, QSize size = QSize(480, 320)) {
  QImage image(size, QImage::Format_RGB32);
  image.fill(Qt::black);
  QPainter painter(&image);
  PlotStyle style;
  style.font.setPixelSize(12);
  drawCalibrationPlot(painter, image.rect(), r, style);
  return image;
}

int count(const QImage &image, const QColor &color) {
  int n = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) n += image.pixelColor(x, y) == color;
  return n;
}

}  // namespace

TEST(CalibrationPlot, PointsLineAndSamplesInTheirColours) {
  const PlotStyle style;
  const QImage image = drawn(calibration());
  if (qEnvironmentVariableIsSet("DPV_SHOT_DIR")) image.save(qEnvironmentVariable("DPV_SHOT_DIR") + "/plot.png");
  EXPECT_EQ(count(image, Qt::black) > 0, true);
  EXPECT_GT(count(image, style.lineColor), 200);
  EXPECT_GT(count(image, style.pointColor), 4 * 20);
  EXPECT_GT(count(image, style.sampleColor), 30);
  EXPECT_GT(count(image, style.blankColor), 10);
  // The whole area is painted: nothing of the black underneath is left but the frame and text.
  EXPECT_EQ(image.pixelColor(0, 0), QColor(Qt::white));
}

TEST(CalibrationPlot, StandardAdditionRunsOnToItsIntercept) {
  QuantitationResult r;
  r.method = Method::StandardAddition;
  std::vector<double> x{0, 1, 2, 3}, y{1.5e-6, 2.5e-6, 3.5e-6, 4.5e-6};
  r.fit = fitLine(x, y);
  r.points = {
      {0, 1.5e-6, Role::Sample}, {1, 2.5e-6, Role::Addition}, {2, 3.5e-6, Role::Addition}, {3, 4.5e-6, Role::Addition}};
  r.samples.push_back({QStringLiteral("x"), 1, 1.5e-6, 1.5, 0.05});
  const PlotStyle style;
  const QImage image = drawn(r);
  if (qEnvironmentVariableIsSet("DPV_SHOT_DIR")) image.save(qEnvironmentVariable("DPV_SHOT_DIR") + "/plot_sa.png");
  EXPECT_GT(count(image, style.lineColor), 200);
  EXPECT_GT(count(image, style.sampleColor), 30);
}

TEST(CalibrationPlot, NoLineOrNoRoomDrawsOnlyTheFrame) {
  const PlotStyle style;
  QuantitationResult none;
  const QImage empty = drawn(none);
  EXPECT_EQ(count(empty, style.lineColor), 0);
  EXPECT_EQ(empty.pixelColor(0, 0), QColor(Qt::white));
  const QImage tiny = drawn(calibration(), QSize(12, 8));
  EXPECT_EQ(count(tiny, style.lineColor), 0);
}

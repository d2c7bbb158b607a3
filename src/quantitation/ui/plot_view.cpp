#include "quantitation/ui/plot_view.h"

#include <QPainter>

#include "quantitation/calibration_plot.h"

QuantitationPlot::QuantitationPlot(QWidget *parent) : QWidget(parent) {
  setMinimumSize(360, 240);
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void QuantitationPlot::setResult(const std::optional<QuantitationResult> &result) {
  result_ = result;
  update();
}

QImage QuantitationPlot::image() const {
  QImage image(size(), QImage::Format_RGB32);
  QPainter painter(&image);
  PlotStyle style;
  style.font = font();
  drawCalibrationPlot(painter, image.rect(), result_ ? *result_ : QuantitationResult(), style);
  return image;
}

void QuantitationPlot::paintEvent(QPaintEvent *) {
  QPainter painter(this);
  painter.drawImage(0, 0, image());
}

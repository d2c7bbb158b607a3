#pragma once
// The quantitation plot on the screen: drawCalibrationPlot into an image of
// the widget's size.

#include <QWidget>
#include <optional>

#include "quantitation/quantitation.h"

class QuantitationPlot : public QWidget {
  Q_OBJECT
 public:
  explicit QuantitationPlot(QWidget *parent = nullptr);
  // Nothing: an empty frame.
  void setResult(const std::optional<QuantitationResult> &result);
  // The plot as drawn at the widget's size.
  QImage image() const;

 protected:
  void paintEvent(QPaintEvent *event) override;

 private:
  std::optional<QuantitationResult> result_;
};

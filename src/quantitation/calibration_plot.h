#pragma once
// The plot of a quantitation: the measured points, the fitted line and the
// samples, with axes, ticks and labels, drawn on any QPainter (an image for
// the window, the printer or a PDF for the report).
//
// Standards and additions are filled circles, blanks open squares at 0, the
// sample of a standard addition a circle at 0 in the sample colour; a
// calibration's samples are diamonds on the line with a bar of one standard
// uncertainty either side. A standard addition's line runs on, dashed, to its
// intercept on the concentration axis.

#include <QColor>
#include <QFont>
#include <QPainter>
#include <QRect>

#include "quantitation/quantitation.h"

struct PlotStyle {
  QFont font;        // labels and numbers; its pixel size sets the text size
  double scale = 1;  // device pixels per pixel of the screen: pens and marks grow with it
  QColor lineColor = QColor(0, 0, 255);
  QColor pointColor = QColor(0, 0, 128);
  QColor sampleColor = QColor(200, 0, 0);
  QColor blankColor = QColor(96, 96, 96);
};

// Draws into `area` (white, framed). Nothing but the frame for a result
// without a line.
void drawCalibrationPlot(QPainter &painter, const QRect &area, const QuantitationResult &result,
                         const PlotStyle &style);

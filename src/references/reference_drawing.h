#pragma once
// Drawing of the reference curves and their legend on any painter: the
// screen graph and the printed report both go through drawReferences.

#include <QColor>
#include <QFont>
#include <QPainter>
#include <QRectF>
#include <QVector>

#include "references/reference_curves.h"

// The plot area on the device and the axis values at its edges.
struct PlotFrame {
  QRectF area;
  double potStart = 0, potEnd = 0;  // V at the left and right edge
  double currMin = 0, currMax = 0;  // A at the bottom and top edge

  // Both axes have a finite span other than zero.
  bool usable() const;
  QPointF at(double potential, double current) const;
};

struct ReferenceStyle {
  QVector<QColor> colors;  // one per curve (referenceColors)
  double lineWidth = 1;    // device pixels; the legend's samples are twice as wide
  QFont font;              // of the legend
  QColor background = Qt::white;
};

// The curves inside the frame's area, then the legend (a line of the colour
// and the file name for each) in its top right corner. Nothing without
// curves or a usable frame.
void drawReferences(QPainter &painter, const ReferenceCurves &references, const PlotFrame &frame,
                    const ReferenceStyle &style);

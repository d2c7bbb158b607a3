#include "graph/ui/rectangle_shape.h"

#include <QPainter>

void RectangleShape::setPenColor(const QColor &color) {
  pen_ = color;
  update();
}

void RectangleShape::setBrushColor(const QColor &color) {
  brush_ = color;
  update();
}

void RectangleShape::paintEvent(QPaintEvent *) {
  QPainter p(this);
  p.setPen(QPen(pen_, 1));
  p.setBrush(brush_);
  p.drawRect(0, 0, width() - 1, height() - 1);
}

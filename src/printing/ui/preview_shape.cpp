#include "printing/ui/preview_shape.h"

#include <QMouseEvent>
#include <QPainter>

PreviewShape::PreviewShape(QWidget *parent) : QWidget(parent) {}

void PreviewShape::setPen(const QColor &color, Qt::PenStyle style) {
  penColor_ = color;
  penStyle_ = style;
  update();
}

void PreviewShape::setBrush(const QColor &color) {
  brushColor_ = color;
  update();
}

void PreviewShape::paintEvent(QPaintEvent *) {
  QPainter painter(this);
  painter.setPen(QPen(penColor_, 1, penStyle_));
  painter.setBrush(brushColor_.isValid() ? QBrush(brushColor_) : QBrush(Qt::NoBrush));
  if (height() <= 1)
    painter.drawLine(0, 0, width() - 1, 0);
  else
    painter.drawRect(0, 0, width() - 1, height() - 1);
}

void PreviewShape::mousePressEvent(QMouseEvent *event) {
  emit pressed();
  event->accept();
}

PreviewSheet::PreviewSheet(QWidget *parent) : QFrame(parent) {
  setAutoFillBackground(true);
  QPalette p = palette();
  p.setColor(QPalette::Window, Qt::white);
  setPalette(p);
  setFrameShape(QFrame::Box);
}

void PreviewSheet::mousePressEvent(QMouseEvent *event) {
  emit clicked();
  event->accept();
}

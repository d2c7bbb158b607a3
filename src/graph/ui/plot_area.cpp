#include "graph/ui/plot_area.h"

#include <QMouseEvent>
#include <QPainter>

PlotArea::PlotArea(const QImage &image, QWidget *parent) : QWidget(parent), image_(image) {
  const QString hint = QStringLiteral("Graphic presentation of the signal");
  setToolTip(hint);
  setStatusTip(hint);
  // The image covers the whole area; nothing to erase first.
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void PlotArea::paintEvent(QPaintEvent *event) {
  QPainter p(this);
  p.drawImage(event->rect(), image_, event->rect());
}

void PlotArea::mousePressEvent(QMouseEvent *event) {
  emit mouseDown(event->button(), ShiftState(event->modifiers(), event->buttons()), event->position().toPoint());
}

void PlotArea::mouseMoveEvent(QMouseEvent *event) { emit mouseMove(event->position().toPoint()); }

void PlotArea::mouseReleaseEvent(QMouseEvent *event) {
  emit mouseUp(ShiftState(event->modifiers(), event->buttons()), event->position().toPoint());
}

// The reset runs before the second press, which then marks as a click does.
void PlotArea::mouseDoubleClickEvent(QMouseEvent *event) {
  if (event->button() == Qt::LeftButton) emit doubleClicked();
  emit mouseDown(event->button(), ShiftState(event->modifiers(), event->buttons(), true), event->position().toPoint());
}

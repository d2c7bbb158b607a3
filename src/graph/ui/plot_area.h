#pragma once
// The plot area PaintBox2: shows the plot image and reports the mouse with
// the keys and buttons held, as the graph's handlers take them.

#include <QImage>
#include <QWidget>

#include "graph/graph_interaction.h"

class PlotArea : public QWidget {
  Q_OBJECT
 public:
  PlotArea(const QImage &image, QWidget *parent = nullptr);

 signals:
  void mouseDown(Qt::MouseButton button, const ShiftState &shift, QPoint pos);
  void mouseMove(QPoint pos);
  void mouseUp(const ShiftState &shift, QPoint pos);
  void doubleClicked();

 protected:
  void paintEvent(QPaintEvent *event) override;
  void mousePressEvent(QMouseEvent *event) override;
  void mouseMoveEvent(QMouseEvent *event) override;
  void mouseReleaseEvent(QMouseEvent *event) override;
  void mouseDoubleClickEvent(QMouseEvent *event) override;

 private:
  const QImage &image_;
};

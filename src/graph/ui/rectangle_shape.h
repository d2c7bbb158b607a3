#pragma once
// A rectangle with an outline colour and a fill colour, for colour previews.

#include <QColor>
#include <QWidget>

class RectangleShape : public QWidget {
 public:
  explicit RectangleShape(QWidget *parent = nullptr) : QWidget(parent) {}

  QColor penColor() const { return pen_; }
  QColor brushColor() const { return brush_; }
  void setPenColor(const QColor &color);
  void setBrushColor(const QColor &color);

 protected:
  void paintEvent(QPaintEvent *event) override;

 private:
  QColor pen_ = Qt::black;
  QColor brush_ = Qt::white;
};

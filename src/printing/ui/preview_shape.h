#pragma once
// Pieces of the page preview: a plain shape (outline and optional fill) and
// the clickable miniature sheet that holds the shapes.

#include <QFrame>
#include <QWidget>

class PreviewShape : public QWidget {
  Q_OBJECT
 public:
  explicit PreviewShape(QWidget *parent = nullptr);
  void setPen(const QColor &color, Qt::PenStyle style = Qt::SolidLine);
  void setBrush(const QColor &color);  // an invalid colour leaves the inside clear
  QColor penColor() const { return penColor_; }
  QColor brushColor() const { return brushColor_; }

 signals:
  void pressed();

 protected:
  void paintEvent(QPaintEvent *event) override;
  void mousePressEvent(QMouseEvent *event) override;

 private:
  QColor penColor_ = Qt::black;
  Qt::PenStyle penStyle_ = Qt::SolidLine;
  QColor brushColor_;
};

class PreviewSheet : public QFrame {
  Q_OBJECT
 public:
  explicit PreviewSheet(QWidget *parent = nullptr);

 signals:
  void clicked();

 protected:
  void mousePressEvent(QMouseEvent *event) override;
};

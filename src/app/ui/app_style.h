#pragma once
// The program's style: the platform's own, except that nothing it paints at
// start-up reads an image file through format detection, which has Qt open
// every image-format plugin before the window can show.

#include <QPixmap>
#include <QProxyStyle>

class AppStyle : public QProxyStyle {
 public:
  // The tool bar's and menu bar's extension icons, made when a bar first overflows.
  QIcon standardIcon(StandardPixmap icon, const QStyleOption *option, const QWidget *widget) const override;
  // The group box frame, drawn as the style draws it, from its picture read as PNG.
  void drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                     const QWidget *widget) const override;

 private:
  mutable QPixmap groupBoxFrame_;
};

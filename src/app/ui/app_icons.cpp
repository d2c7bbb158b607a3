#include "app/ui/app_icons.h"

#include <algorithm>

#include <QGuiApplication>
#include <QIconEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {

void drawPage(QPainter &p, const QColor &fill) {
  QPainterPath page;
  page.moveTo(4, 1);
  page.lineTo(15, 1);
  page.lineTo(19, 5);
  page.lineTo(19, 22);
  page.lineTo(4, 22);
  page.closeSubpath();
  p.setPen(QPen(QColor(60, 60, 60), 1));
  p.setBrush(fill);
  p.drawPath(page);
}

void drawCurve(QPainter &p, const QRectF &r, const QColor &color, qreal width) {
  QPainterPath curve;
  curve.moveTo(r.left(), r.bottom());
  curve.cubicTo(r.left() + r.width() * 0.35, r.bottom(), r.left() + r.width() * 0.4, r.top(), r.center().x(), r.top());
  curve.cubicTo(r.left() + r.width() * 0.6, r.top(), r.left() + r.width() * 0.65, r.bottom(), r.right(), r.bottom());
  p.setPen(QPen(color, width, Qt::SolidLine, Qt::RoundCap));
  p.setBrush(Qt::NoBrush);
  p.drawPath(curve);
}

void paint(QPainter &p, AppIcon kind) {
  p.setRenderHint(QPainter::Antialiasing);
  switch (kind) {
    case AppIcon::Program:
      p.setPen(QPen(QColor(40, 40, 40), 1));
      p.setBrush(Qt::white);
      p.drawRect(QRectF(1.5, 1.5, 21, 21));
      drawCurve(p, QRectF(4, 6, 16, 13), QColor(0, 0, 200), 2);
      break;
    case AppIcon::New:
      drawPage(p, Qt::white);
      break;
    case AppIcon::Open:
      p.setPen(QPen(QColor(120, 90, 20), 1));
      p.setBrush(QColor(240, 200, 90));
      p.drawRect(QRectF(2, 6, 19, 14));
      p.setBrush(QColor(250, 220, 120));
      p.drawPolygon(QPolygonF({QPointF(2, 20), QPointF(6, 10), QPointF(23, 10), QPointF(19, 20)}));
      break;
    case AppIcon::Save:
      p.setPen(QPen(QColor(20, 40, 90), 1));
      p.setBrush(QColor(60, 100, 180));
      p.drawRect(QRectF(2.5, 2.5, 19, 19));
      p.setBrush(Qt::white);
      p.drawRect(QRectF(6, 3, 12, 7));
      p.setBrush(QColor(200, 200, 200));
      p.drawRect(QRectF(7, 14, 10, 7));
      break;
    case AppIcon::Cut:
      p.setPen(QPen(QColor(60, 60, 60), 1.6));
      p.setBrush(Qt::NoBrush);
      p.drawLine(QPointF(7, 2), QPointF(15, 15));
      p.drawLine(QPointF(17, 2), QPointF(9, 15));
      p.drawEllipse(QPointF(7, 18), 3.5, 3.5);
      p.drawEllipse(QPointF(17, 18), 3.5, 3.5);
      break;
    case AppIcon::Copy:
      p.translate(-2, -1);
      drawPage(p, QColor(235, 235, 235));
      p.translate(5, 3);
      p.scale(0.9, 0.9);
      drawPage(p, Qt::white);
      break;
    case AppIcon::Paste:
      p.setPen(QPen(QColor(100, 70, 30), 1));
      p.setBrush(QColor(200, 160, 100));
      p.drawRect(QRectF(3, 3, 15, 19));
      p.setBrush(QColor(120, 120, 120));
      p.drawRect(QRectF(7, 1.5, 7, 4));
      p.translate(7, 6);
      p.scale(0.7, 0.75);
      drawPage(p, Qt::white);
      break;
    case AppIcon::Print:
      p.setPen(QPen(QColor(50, 50, 50), 1));
      p.setBrush(Qt::white);
      p.drawRect(QRectF(6, 2, 12, 8));
      p.setBrush(QColor(170, 170, 170));
      p.drawRect(QRectF(2, 9, 20, 9));
      p.setBrush(Qt::white);
      p.drawRect(QRectF(6, 15, 12, 7));
      break;
    case AppIcon::ViewData:
      drawPage(p, Qt::white);
      p.setPen(QPen(QColor(60, 60, 60), 1));
      for (int y = 7; y <= 19; y += 3) p.drawLine(QPointF(7, y), QPointF(16, y));
      break;
    case AppIcon::Meter:
      p.setPen(QPen(QColor(40, 40, 40), 1));
      p.setBrush(QColor(230, 230, 200));
      p.drawRoundedRect(QRectF(1.5, 4.5, 21, 15), 2, 2);
      p.setPen(QPen(QColor(0, 0, 128), 1.5));
      p.drawText(QRectF(1.5, 4.5, 21, 15), Qt::AlignCenter, QStringLiteral("mV"));
      break;
    case AppIcon::Run:
      p.setPen(Qt::NoPen);
      p.setBrush(QColor(0, 150, 0));
      p.drawPolygon(QPolygonF({QPointF(6, 3), QPointF(20, 12), QPointF(6, 21)}));
      break;
    case AppIcon::Peaks:
      drawCurve(p, QRectF(2, 4, 20, 14), QColor(0, 0, 200), 1.8);
      p.setPen(QPen(QColor(200, 0, 0), 1.5, Qt::SolidLine, Qt::RoundCap));
      p.drawLine(QPointF(2, 19), QPointF(22, 17));
      p.setPen(QPen(QColor(200, 0, 0), 1.2, Qt::DashLine, Qt::FlatCap));
      p.drawLine(QPointF(12, 18), QPointF(12, 5));
      break;
    case AppIcon::Stop:
      p.setPen(Qt::NoPen);
      p.setBrush(QColor(200, 20, 20));
      p.drawRect(QRectF(5, 5, 14, 14));
      break;
  }
}

// The pictures are drawn on a 24-pixel grid; a second picture at twice the
// size serves larger requests and high-resolution screens.
constexpr int kGrid = 24;

QPixmap paintedPixmap(AppIcon kind, int size) {
  QPixmap pixmap(size, size);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.scale(size / double(kGrid), size / double(kGrid));
  paint(p, kind);
  p.end();
  return pixmap;
}

// Makes the icon's pictures when something first shows it or asks its size:
// most icons are in menus that stay closed at start-up.
class DeferredIconEngine : public QIconEngine {
 public:
  explicit DeferredIconEngine(DeferredIconFill fill) : fill_(std::move(fill)) {}

  void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override {
    const qreal ratio = painter->device() ? painter->device()->devicePixelRatio() : 1;
    icon(rect.size() * ratio).paint(painter, rect, Qt::AlignCenter, mode, state);
  }
  QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override {
    return icon(inDevicePixels(size)).pixmap(size, mode, state);
  }
  QSize actualSize(const QSize &size, QIcon::Mode mode, QIcon::State state) override {
    return icon(inDevicePixels(size)).actualSize(size, mode, state);
  }
  QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override {
    return icon(QSize(2 * kGrid, 2 * kGrid)).availableSizes(mode, state);
  }
  QIconEngine *clone() const override { return new DeferredIconEngine(fill_); }

 private:
  // What the icon below asks its pictures for: the size on the screen.
  static QSize inDevicePixels(const QSize &size) { return size * std::max(1.0, qApp->devicePixelRatio()); }

  const QIcon &icon(const QSize &size) {
    fill_(icon_, size);
    return icon_;
  }

  DeferredIconFill fill_;
  QIcon icon_;
};

}  // namespace

QIcon deferredIcon(DeferredIconFill fill) { return QIcon(new DeferredIconEngine(std::move(fill))); }

QIcon appIcon(AppIcon kind) {
  return deferredIcon([kind](QIcon &icon, QSize size) {
    if (icon.isNull()) icon.addPixmap(paintedPixmap(kind, kGrid));
    // An icon picks the smallest picture at least as large as the request, so
    // up to the grid's size the large picture would never be used.
    if ((size.width() > kGrid || size.height() > kGrid) && icon.availableSizes().size() < 2)
      icon.addPixmap(paintedPixmap(kind, 2 * kGrid));
  });
}

#include "references/reference_drawing.h"

#include <QFontMetricsF>
#include <QPolygonF>
#include <algorithm>
#include <cmath>

namespace {

// How far beyond the area a coordinate may lie: enough for the lines that
// cross it to keep their slope where they are seen, and within what the
// paint engines take.
constexpr double kCoordinateReach = 100000;

void drawCurve(QPainter &painter, const ReferenceCurve &curve, const PlotFrame &frame) {
  const QRectF &a = frame.area;
  QPolygonF line;
  line.reserve(static_cast<qsizetype>(curve.currents.size()));
  for (std::size_t i = 0; i < curve.currents.size(); ++i) {
    const QPointF p = frame.at(curve.potentialAt(i), curve.currents[i]);
    line << QPointF(std::clamp(p.x(), a.left() - kCoordinateReach, a.right() + kCoordinateReach),
                    std::clamp(p.y(), a.top() - kCoordinateReach, a.bottom() + kCoordinateReach));
  }
  painter.drawPolyline(line);
}

void drawLegend(QPainter &painter, const ReferenceCurves &references, const PlotFrame &frame,
                const ReferenceStyle &style) {
  painter.setFont(style.font);
  const QFontMetricsF metrics(painter.font(), painter.device());
  const double row = metrics.height();
  const double pad = 0.4 * row, sample = 1.6 * row;
  const QRectF &a = frame.area;
  // Long names are shortened in the middle, so the legend keeps to a corner.
  const double textRoom = std::max(row, 0.45 * a.width() - sample - 3 * pad);
  QStringList names;
  double textWidth = 0;
  for (const ReferenceCurve &c : references.curves()) {
    names << metrics.elidedText(c.name, Qt::ElideMiddle, textRoom);
    textWidth = std::max(textWidth, metrics.horizontalAdvance(names.last()));
  }
  const QSizeF size(3 * pad + sample + textWidth, 2 * pad + names.size() * row);
  const QRectF box(QPointF(a.right() - pad - size.width(), a.top() + pad), size);
  const double outline = std::max(1.0, style.lineWidth / 2);
  painter.setPen(QPen(QColor(128, 128, 128), outline));
  painter.setBrush(style.background);
  painter.drawRect(box);
  for (int i = 0; i < names.size(); ++i) {
    const double top = box.top() + pad + i * row;
    const double middle = top + row / 2;
    painter.setPen(QPen(style.colors.value(i, Qt::black), 2 * style.lineWidth, Qt::SolidLine, Qt::FlatCap));
    painter.drawLine(QPointF(box.left() + pad, middle), QPointF(box.left() + pad + sample, middle));
    painter.setPen(Qt::black);
    painter.drawText(QPointF(box.left() + 2 * pad + sample, top + metrics.ascent()), names[i]);
  }
}

}  // namespace

bool PlotFrame::usable() const {
  const double x = potEnd - potStart, y = currMax - currMin;
  return std::isfinite(x) && std::isfinite(y) && x != 0 && y != 0 && !area.isEmpty();
}

QPointF PlotFrame::at(double potential, double current) const {
  return QPointF(area.left() + (potential - potStart) * area.width() / (potEnd - potStart),
                 area.top() + (currMax - current) * area.height() / (currMax - currMin));
}

void drawReferences(QPainter &painter, const ReferenceCurves &references, const PlotFrame &frame,
                    const ReferenceStyle &style) {
  if (references.empty() || !frame.usable()) return;
  painter.save();
  painter.setClipRect(frame.area, Qt::IntersectClip);
  painter.setBrush(Qt::NoBrush);
  for (std::size_t i = 0; i < references.curves().size(); ++i) {
    const QColor color = style.colors.value(static_cast<int>(i), Qt::black);
    painter.setPen(QPen(color, style.lineWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    drawCurve(painter, references.curves()[i], frame);
  }
  drawLegend(painter, references, frame, style);
  painter.restore();
}

#include "graph/peak_marks.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

#include "core/numbers.h"
#include "graph/plot_mapping.h"

namespace {

const QColor kMarkColor(200, 0, 0);
constexpr double kPixelLimit = 100000;  // as the curve: what the painter accepts
constexpr int kHandle = 2;              // half side of an end's square

int pixel(double v) { return roundToInt32(std::isnan(v) ? 0 : std::clamp(v, -kPixelLimit, kPixelLimit)); }

// The baseline's current at `potential`.
double baselineAt(const Peak &p, double potential) {
  const double span = p.high.potential - p.low.potential;
  if (span == 0) return p.low.current;
  return p.low.current + (p.high.current - p.low.current) * (potential - p.low.potential) / span;
}

}  // namespace

QPoint plotPixel(const MeasurementRecord &r, double potential, double current) {
  return QPoint(pixel(columnOf(r, potential)), r.view.plotHeight - pixel(heightOf(r, current)));
}

void drawPeakMarks(QPainter &p, const MeasurementRecord &r, const std::vector<Peak> &peaks) {
  if (peaks.empty() || !plotHasScale(r)) return;
  p.save();
  QFont font(QStringLiteral("Arial"));
  font.setPixelSize(11);
  p.setFont(font);
  const QPen solid(kMarkColor, 1, Qt::SolidLine, Qt::SquareCap);
  const QPen dashed(kMarkColor, 1, Qt::DashLine, Qt::FlatCap);
  for (std::size_t i = 0; i < peaks.size(); ++i) {
    const Peak &peak = peaks[i];
    const QPoint low = plotPixel(r, peak.low.potential, peak.low.current);
    const QPoint high = plotPixel(r, peak.high.potential, peak.high.current);
    p.setPen(solid);
    p.drawLine(low, high);
    p.setBrush(Qt::white);
    for (const QPoint &end : {low, high}) p.drawRect(end.x() - kHandle, end.y() - kHandle, 2 * kHandle, 2 * kHandle);
    const QPoint foot = plotPixel(r, peak.potential, baselineAt(peak, peak.potential));
    const QPoint top = plotPixel(r, peak.potential, peak.topCurrent);
    p.setPen(dashed);
    p.drawLine(foot, top);
    // The number beyond the top, on the side the peak points to.
    const QString number = QString::number(i + 1);
    const QRect box(top.x() - 20, top.y() <= foot.y() ? top.y() - 16 : top.y() + 2, 40, 14);
    p.setPen(kMarkColor);
    p.drawText(box, Qt::AlignCenter, number);
  }
  p.restore();
}

std::optional<BaselineHandle> baselineEndAt(const MeasurementRecord &r, const std::vector<Peak> &peaks, int x, int y,
                                            int reach) {
  if (!plotHasScale(r)) return std::nullopt;
  std::optional<BaselineHandle> best;
  int bestDistance = 0;
  for (std::size_t i = 0; i < peaks.size(); ++i)
    for (BaselineSide side : {BaselineSide::Low, BaselineSide::High}) {
      const BaselineEnd &end = side == BaselineSide::Low ? peaks[i].low : peaks[i].high;
      const QPoint at = plotPixel(r, end.potential, end.current);
      const int dx = std::abs(at.x() - x), dy = std::abs(at.y() - y);
      if (dx > reach || dy > reach) continue;
      if (!best || dx + dy < bestDistance) {
        best = BaselineHandle{i, side};
        bestDistance = dx + dy;
      }
    }
  return best;
}

#include "graph/graph_drawing.h"

#include <QLine>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <vector>

#include "core/numbers.h"
#include "graph/plot_mapping.h"
#include "graph/scaling.h"
#include "graph/smoothing.h"
#include "graph/vector_state.h"

namespace {

constexpr double kPixelLimit = 100000;  // keeps coordinates within what the painter accepts
const QColor kGridColor(128, 128, 128);
// The grid rule gives 10 to 25 intervals; the bound only matters for axis
// ends so far apart in magnitude from their span that the indices lose
// their units digit.
constexpr int kMaxGridLines = 100;

double limitPixel(double v) {
  if (std::isnan(v)) return 0;
  return std::clamp(v, -kPixelLimit, kPixelLimit);
}

// Nearest integer, halves to even, for |v| up to the pixel limit. The sum
// with 1.5 * 2^52 has no fraction bits, so it is rounded in the default mode
// (to nearest, halves to even), which the program never changes.
// roundHalfEven switches the mode on every call: too slow for a million
// points per redraw.
int pixelRound(double v) {
  constexpr double kShift = 6755399441055744.0;
  return static_cast<int>((v + kShift) - kShift);
}

QPen curvePen(const QColor &color) {
  QPen pen(color, 1, Qt::SolidLine, Qt::SquareCap);
  pen.setCosmetic(true);
  return pen;
}

QPen gridPen(bool solid) {
  QPen pen(kGridColor, 1, solid ? Qt::SolidLine : Qt::DotLine, Qt::FlatCap);
  pen.setCosmetic(true);
  return pen;
}

void paintBackground(QPainter &p, int W, int H, const QColor &background) {
  p.fillRect(0, 0, W, H, background);
  p.setPen(QPen(Qt::black, 1));
  p.setBrush(Qt::NoBrush);
  p.drawRect(0, 0, W - 1, H - 1);
}

// Horizontal lines from index round(lo / step) up to, not including, round(hi / step).
void paintCurrentGrid(QPainter &p, const MeasurementRecord &r) {
  const double step = gridStep(r.params.axisCurrMin, r.params.axisCurrMax);
  if (step == 0 || !std::isfinite(step)) return;
  const double i0 = roundHalfEven(r.params.axisCurrMin / step);
  const double i1 = roundHalfEven(r.params.axisCurrMax / step);
  for (int k = 0; k < kMaxGridLines && i0 + k < i1; ++k) {
    const double i = i0 + k;
    const int y = r.view.plotHeight - roundToInt32(heightOf(r, i * step));
    p.setPen(gridPen(i == 0));
    p.drawLine(0, y, r.view.plotWidth, y);
  }
}

// Vertical lines from index round(lo / step) to round(hi / step) inclusive;
// a line at column 0 or left of it is not drawn.
void paintPotentialGrid(QPainter &p, const MeasurementRecord &r) {
  const double step = gridStep(r.params.axisPotStart, r.params.axisPotEnd);
  if (step == 0 || !std::isfinite(step)) return;
  const double j0 = roundHalfEven(r.params.axisPotStart / step);
  const double j1 = roundHalfEven(r.params.axisPotEnd / step);
  for (int k = 0; k < kMaxGridLines && j0 + k <= j1; ++k) {
    const double j = j0 + k;
    const int x = roundToInt32(columnOf(r, j * step));
    if (x <= 0) continue;
    p.setPen(gridPen(j == 0));
    p.drawLine(x, 0, x, r.view.plotHeight);
  }
}

// Collects the curve's lines, merging the points of one pixel column into a
// vertical span, and leaving out lines that miss the image.
class CurveLines {
 public:
  CurveLines(int W, int H) : W_(W), H_(H) {}

  void add(QPoint a, QPoint b) {
    if (std::max(a.x(), b.x()) < 0 || std::min(a.x(), b.x()) >= W_) return;
    if (std::max(a.y(), b.y()) < 0 || std::min(a.y(), b.y()) >= H_) return;
    lines_.emplace_back(a, b);
  }

  void moveTo(int x, int y) {
    column_ = x;
    top_ = bottom_ = last_ = y;
  }

  void lineTo(int x, int y) {
    if (x == column_) {
      top_ = std::min(top_, y);
      bottom_ = std::max(bottom_, y);
      last_ = y;
      return;
    }
    closeColumn();
    add(QPoint(column_, last_), QPoint(x, y));
    moveTo(x, y);
  }

  // The span and last row of the present column, gathered by the caller.
  void setColumn(int top, int bottom, int last) {
    top_ = top;
    bottom_ = bottom;
    last_ = last;
  }

  void closeColumn() {
    if (top_ < bottom_) add(QPoint(column_, top_), QPoint(column_, bottom_));
  }

  QPoint last() const { return QPoint(column_, last_); }
  const std::vector<QLine> &lines() const { return lines_; }

 private:
  int W_, H_;
  int column_ = 0, top_ = 0, bottom_ = 0, last_ = 0;
  std::vector<QLine> lines_;
};

void paintStoredPoints(QPainter &p, MeasurementRecord &r, GraphCanvas &c, const QColor &lineColor) {
  const int32_t n = std::min<int64_t>(r.document.pointIndex, static_cast<int64_t>(r.document.points.size()));
  if (n <= 0) return;
  // Local copies keep the scale in registers through the loop; the
  // arithmetic is that of columnOf, heightOf and DrawPoint, pixel for pixel.
  const double sweepStart = r.params.sweepStart, pulseStep = r.params.pulseStep;
  const double potStart = r.params.axisPotStart, xFactor = r.params.xFactor;
  const double currMin = r.params.axisCurrMin, yFactor = r.params.yFactor;
  const double factor = r.params.dampingFactor, rest = r.params.dampingRest;
  const int H = r.view.plotHeight;
  const double *points = r.document.points.data();
  CurveLines curve(r.view.plotWidth, H);
  // The painter's fills may leave the vector registers in a state that
  // makes every instruction of the loop below slow.
  clearUpperVectorState();
  double v = points[0];
  int column = pixelRound(limitPixel((sweepStart + 0 * pulseStep - potStart) * xFactor));
  int last = H - pixelRound(limitPixel((v - currMin) * yFactor));
  curve.moveTo(column, last);
  int top = last, bottom = last;
  for (int32_t i = 1; i < n; ++i) {
    v = v * factor + points[i] * rest;
    const int x = pixelRound(limitPixel((sweepStart + i * pulseStep - potStart) * xFactor));
    const int y = H - pixelRound(limitPixel((v - currMin) * yFactor));
    if (x == column) {
      top = std::min(top, y);
      bottom = std::max(bottom, y);
      last = y;
      continue;
    }
    curve.setColumn(top, bottom, last);
    curve.lineTo(x, y);
    column = x;
    top = bottom = last = y;
  }
  curve.setColumn(top, bottom, last);
  curve.closeColumn();
  p.setPen(curvePen(lineColor));
  p.drawLines(curve.lines().data(), static_cast<int>(curve.lines().size()));
  r.view.smoothedCurrent = v;
  r.view.penUp = false;
  c.pen = curve.last();
}

void invertPixel(QImage &image, int x, int y) {
  if (x < 0 || y < 0 || x >= image.width() || y >= image.height()) return;
  auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
  line[x] ^= 0x00FFFFFF;
}

}  // namespace

void DrawGraph(MeasurementRecord &r, GraphCanvas &c, const GraphColors &colors) {
  XYFactors(r);
  computeDampingWeights(r);
  const int W = r.view.plotWidth, H = r.view.plotHeight;
  if (W <= 0 || H <= 0) {
    c.image = QImage();
  } else if (c.image.size() != QSize(W, H)) {
    c.image = QImage(W, H, QImage::Format_RGB32);
  }
  // Whatever is painted, the markers are gone and the curve starts afresh.
  r.view.penUp = true;
  r.view.markerShown = false;
  r.view.refMarkerShown = false;
  r.view.prevMarkerIndex = 0;
  if (c.image.isNull()) return;

  QPainter p(&c.image);
  paintBackground(p, W, H, colors.background);
  if (!plotHasScale(r)) return;
  paintCurrentGrid(p, r);
  paintPotentialGrid(p, r);
  paintStoredPoints(p, r, c, colors.line);
}

QRect DrawPoint(MeasurementRecord &r, GraphCanvas &c, const QColor &lineColor, double potential, double current) {
  const double px = limitPixel(columnOf(r, potential));
  const double v =
      r.view.penUp ? current : r.view.smoothedCurrent * r.params.dampingFactor + current * r.params.dampingRest;
  r.view.smoothedCurrent = v;
  const double py = limitPixel(heightOf(r, v));
  const QPoint to(pixelRound(px), r.view.plotHeight - pixelRound(py));
  const bool draw = !r.view.penUp && plotHasScale(r) && c.image.size() == QSize(r.view.plotWidth, r.view.plotHeight);
  const QPoint from = c.pen;
  c.pen = to;
  r.view.penUp = false;
  if (!draw) return QRect();
  QPainter p(&c.image);
  p.setPen(curvePen(lineColor));
  p.drawLine(from, to);
  // Built from the corners: QRect(from, to).normalized() loses a segment that
  // rises by one pixel in one column (its height is 0, not negative).
  const QRect changed(QPoint(std::min(from.x(), to.x()), std::min(from.y(), to.y())),
                      QPoint(std::max(from.x(), to.x()), std::max(from.y(), to.y())));
  return changed.intersected(c.image.rect());
}

QRect DrawMarker(QImage &image, int x, int y) {
  for (int i = -5; i < 5; ++i) {
    invertPixel(image, x + i, y);
    invertPixel(image, x, y + i);
  }
  return QRect(x - 5, y - 5, 10, 10).intersected(image.rect());
}

QRect drawFocusRect(QImage &image, const QRect &rect) {
  const int left = std::min(rect.left(), rect.right()), right = std::max(rect.left(), rect.right());
  const int top = std::min(rect.top(), rect.bottom()), bottom = std::max(rect.top(), rect.bottom());
  if (left == right || top == bottom) return QRect();
  // Each outline pixel once, the dots on alternate pixels.
  auto dot = [&image](int x, int y) {
    if (((x + y) & 1) == 0) invertPixel(image, x, y);
  };
  for (int x = left; x < right; ++x) {
    dot(x, top);
    if (bottom - 1 > top) dot(x, bottom - 1);
  }
  for (int y = top + 1; y < bottom - 1; ++y) {
    dot(left, y);
    if (right - 1 > left) dot(right - 1, y);
  }
  return QRect(QPoint(left, top), QPoint(right - 1, bottom - 1)).intersected(image.rect());
}

int zeroLabelTop(const MeasurementRecord &r, int plotTop) {
  return roundToInt32(r.params.axisCurrMax * r.params.yFactor) + plotTop - 6;
}

#include "quantitation/calibration_plot.h"

#include <QFontMetrics>
#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <vector>

#include "core/measurement_record.h"
#include "core/numbers.h"

namespace {

constexpr int kTicks = 6;            // about this many tick intervals on an axis
constexpr double kPad = 0.06;        // of the span, around the data
constexpr double kMarkRadius = 4.5;  // pixels of the screen
const QColor kGridColor(0xD0, 0xD0, 0xD0);

struct Range {
  double lo = 0, hi = 0;
  void take(double v) {
    if (!std::isfinite(v)) return;
    lo = std::min(lo, v);
    hi = std::max(hi, v);
  }
  double span() const { return hi - lo; }
  void pad() {
    if (!(span() > 0)) hi = lo + 1;
    const double p = kPad * span();
    lo -= p;
    hi += p;
  }
};

// A step of 1, 2 or 5 times a power of ten giving about kTicks intervals.
double tickStep(double span) {
  const double raw = span / kTicks;
  const double power = std::pow(10.0, std::floor(std::log10(raw)));
  for (double m : {1.0, 2.0, 5.0})
    if (raw <= m * power) return m * power;
  return 10 * power;
}

// Amperes per unit of the current unit that shows `largest` as 1 to 1000.
int currentUnit(double largest) {
  int unit = 0;
  while (unit + 1 < static_cast<int>(kCurrentUnitNames.size()) && largest >= 1000 * kCurrentUnitFactors[unit]) ++unit;
  return unit;
}

// The multiples of `step` within the range.
std::vector<double> ticks(const Range &r, double step) {
  std::vector<double> values;
  for (double k = std::ceil(r.lo / step); k <= std::floor(r.hi / step); ++k) values.push_back(k * step);
  return values;
}

QString tickText(double value) { return formatSignificant(value, 4); }

class Mapping {
 public:
  Mapping(const QRect &plot, const Range &x, const Range &y) : plot_(plot), x_(x), y_(y) {}
  QPointF at(double x, double y) const {
    return {plot_.left() + (x - x_.lo) / x_.span() * plot_.width(),
            plot_.bottom() - (y - y_.lo) / y_.span() * plot_.height()};
  }

 private:
  QRect plot_;
  Range x_, y_;
};

void circle(QPainter &p, QPointF c, double r, const QColor &color) {
  p.setPen(QPen(color, 1));
  p.setBrush(color);
  p.drawEllipse(c, r, r);
}

void square(QPainter &p, QPointF c, double r, const QColor &color, double width) {
  p.setPen(QPen(color, width));
  p.setBrush(Qt::white);
  p.drawRect(QRectF(c.x() - r, c.y() - r, 2 * r, 2 * r));
}

void diamond(QPainter &p, QPointF c, double r, const QColor &color) {
  QPainterPath path;
  path.moveTo(c.x(), c.y() - 1.3 * r);
  path.lineTo(c.x() + 1.3 * r, c.y());
  path.lineTo(c.x(), c.y() + 1.3 * r);
  path.lineTo(c.x() - 1.3 * r, c.y());
  path.closeSubpath();
  p.setPen(QPen(color, 1));
  p.setBrush(color);
  p.drawPath(path);
}

// The axes' extent: every point, sample and its bar, zero on both axes, and
// for a standard addition the intercept.
void extent(const QuantitationResult &r, Range *x, Range *y) {
  for (const PlotPoint &p : r.points) x->take(p.concentration), y->take(p.height);
  for (const SampleResult &s : r.samples) {
    const double at = r.method == Method::StandardAddition ? -s.concentration : s.concentration;
    x->take(at);
    if (r.method == Method::Calibration) y->take(s.height);
    if (std::isfinite(s.uncertainty)) x->take(at - s.uncertainty), x->take(at + s.uncertainty);
  }
  y->take(r.fit.intercept + r.fit.slope * x->lo);
  y->take(r.fit.intercept + r.fit.slope * x->hi);
  x->pad();
  y->pad();
}

}  // namespace

void drawCalibrationPlot(QPainter &painter, const QRect &area, const QuantitationResult &r, const PlotStyle &style) {
  painter.save();
  painter.setClipRect(area);
  painter.fillRect(area, Qt::white);
  painter.setRenderHint(QPainter::Antialiasing, true);
  painter.setFont(style.font);
  const QFontMetrics metrics(style.font, painter.device());
  const double s = style.scale;
  const int gap = std::max(2, static_cast<int>(std::lround(4 * s)));
  const bool drawable = std::isfinite(r.fit.slope) && std::isfinite(r.fit.intercept) && !r.points.empty();

  Range x, y;
  if (drawable)
    extent(r, &x, &y);
  else
    x.pad(), y.pad();
  const int unit = currentUnit(std::max(std::fabs(y.lo), std::fabs(y.hi)));
  const double perUnit = kCurrentUnitFactors[unit];
  const double xStep = tickStep(x.span()), yStep = tickStep(y.span() / perUnit) * perUnit;

  // Room for the numbers and labels at the left and below, the legend above.
  int numberWidth = 0;
  for (double v : ticks(y, yStep))
    numberWidth = std::max(numberWidth, metrics.horizontalAdvance(tickText(v / perUnit)));
  const int h = metrics.height();
  const QRect plot = area.adjusted(h + numberWidth + 3 * gap, h + 2 * gap, -3 * gap, -(2 * h + 3 * gap));
  if (plot.width() < 10 || plot.height() < 10) {
    painter.restore();
    return;
  }
  const Mapping map(plot, x, y);

  // Grid, ticks and numbers.
  const double thin = std::max(1.0, s);
  for (double v : ticks(x, xStep)) {
    const double px = map.at(v, 0).x();
    painter.setPen(QPen(v == 0 ? Qt::gray : kGridColor, thin));
    painter.drawLine(QPointF(px, plot.top()), QPointF(px, plot.bottom()));
    painter.setPen(Qt::black);
    const QString text = tickText(v);
    painter.drawText(QPointF(px - metrics.horizontalAdvance(text) / 2.0, plot.bottom() + gap + metrics.ascent()), text);
  }
  for (double v : ticks(y, yStep)) {
    const double py = map.at(0, v).y();
    painter.setPen(QPen(v == 0 ? Qt::gray : kGridColor, thin));
    painter.drawLine(QPointF(plot.left(), py), QPointF(plot.right(), py));
    painter.setPen(Qt::black);
    const QString text = tickText(v / perUnit);
    painter.drawText(QPointF(plot.left() - gap - metrics.horizontalAdvance(text), py + metrics.ascent() / 2.0 - 1),
                     text);
  }
  const QString unitText = r.unit.isEmpty() ? QString() : QStringLiteral(" [") + r.unit + QLatin1Char(']');
  const QString xLabel =
      (r.method == Method::StandardAddition ? QStringLiteral("Added concentration") : QStringLiteral("Concentration")) +
      unitText;
  painter.drawText(QPointF(plot.center().x() - metrics.horizontalAdvance(xLabel) / 2.0,
                           plot.bottom() + 2 * gap + h + metrics.ascent()),
                   xLabel);
  const QString yLabel = QStringLiteral("Peak height [%1]").arg(kCurrentUnitNames[unit]);
  painter.save();
  painter.translate(area.left() + gap + metrics.ascent(), plot.center().y() + metrics.horizontalAdvance(yLabel) / 2.0);
  painter.rotate(-90);
  painter.drawText(QPointF(0, 0), yLabel);
  painter.restore();

  if (drawable) {
    painter.save();
    painter.setClipRect(plot);
    // The line over the plot; a standard addition's dashed short of 0.
    const double from = r.method == Method::StandardAddition ? 0 : x.lo;
    auto lineAt = [&](double c) { return map.at(c, r.fit.intercept + r.fit.slope * c); };
    painter.setPen(QPen(style.lineColor, 2 * s, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(lineAt(from), lineAt(x.hi));
    if (r.method == Method::StandardAddition) {
      painter.setPen(QPen(style.lineColor, 2 * s, Qt::DashLine, Qt::FlatCap));
      painter.drawLine(lineAt(x.lo), lineAt(0));
    }
    const double mark = kMarkRadius * s;
    for (const PlotPoint &p : r.points) {
      const QPointF c = map.at(p.concentration, p.height);
      if (p.role == Role::Blank)
        square(painter, c, mark * 0.85, style.blankColor, 1.5 * s);
      else if (p.role == Role::Sample)
        circle(painter, c, mark, style.sampleColor);
      else
        circle(painter, c, mark, style.pointColor);
    }
    for (const SampleResult &sample : r.samples) {
      // A standard addition's concentration is where its line meets the axis, left of 0.
      const bool addition = r.method == Method::StandardAddition;
      const double at = addition ? -sample.concentration : sample.concentration;
      const double height = addition ? 0 : sample.height;
      if (std::isfinite(sample.uncertainty)) {
        const QPointF a = map.at(at - sample.uncertainty, height), b = map.at(at + sample.uncertainty, height);
        painter.setPen(QPen(style.sampleColor, 1.5 * s));
        painter.drawLine(a, b);
        painter.drawLine(a + QPointF(0, -mark), a + QPointF(0, mark));
        painter.drawLine(b + QPointF(0, -mark), b + QPointF(0, mark));
      }
      diamond(painter, map.at(at, height), mark, style.sampleColor);
    }
    painter.restore();
  }

  // The legend above the plot.
  const double mark = kMarkRadius * s;
  double lx = plot.left();
  const double ly = area.top() + gap + h / 2.0;
  auto legend = [&](const QString &text, auto drawMark) {
    drawMark(QPointF(lx + mark, ly));
    painter.setPen(Qt::black);
    painter.drawText(QPointF(lx + 2 * mark + gap, ly + metrics.ascent() / 2.0 - 1), text);
    lx += 2 * mark + 2 * gap + metrics.horizontalAdvance(text) + 3 * gap;
  };
  const bool addition = r.method == Method::StandardAddition;
  legend(addition ? QStringLiteral("additions") : QStringLiteral("standards"),
         [&](QPointF c) { circle(painter, c, mark, style.pointColor); });
  if (addition) legend(QStringLiteral("sample"), [&](QPointF c) { circle(painter, c, mark, style.sampleColor); });
  legend(addition ? QStringLiteral("intercept ± u") : QStringLiteral("samples ± u"),
         [&](QPointF c) { diamond(painter, c, mark, style.sampleColor); });
  if (std::any_of(r.points.begin(), r.points.end(), [](const PlotPoint &p) { return p.role == Role::Blank; }))
    legend(QStringLiteral("blanks"), [&](QPointF c) { square(painter, c, mark * 0.85, style.blankColor, 1.5 * s); });

  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.setBrush(Qt::NoBrush);
  painter.setPen(QPen(Qt::black, thin));
  painter.drawRect(plot);
  painter.restore();
}

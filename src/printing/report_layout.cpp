#include "printing/report_layout.h"

#include <QFileInfo>
#include <QFontMetrics>
#include <algorithm>
#include <cmath>

#include "core/numbers.h"
#include "graph/scaling.h"
#include "graph/smoothing.h"
#include "printing/report_references.h"

namespace {

constexpr double kCmPerInch = 2.54;
const QColor kGridColor(0x80, 0x80, 0x80);
// Pen widths and dots are set in pixels of a 300 dpi page, so the report
// looks the same on every printer and in the PDF.
constexpr double kPenDpi = 300;
// Grid dots, on and off: large enough to stay apart when a PDF is viewed
// at 150 dpi.
constexpr double kDotOn = 2, kDotOff = 4;
// Curve coordinates stay inside what the paint engine takes.
constexpr int kCoordinateLimit = 1000000;

// Margin in pixels from the sheet edge, measured inside the printable area.
// Values that are not numbers count as 0; huge ones are held to the page.
int marginPixels(double cm, int dpi, int offset, int pageSize) {
  const double px = std::isfinite(cm) ? dpi * cm / kCmPerInch : 0.0;
  const double bounded = std::clamp(px, 0.0, 2.0 * pageSize + 2.0 * offset);
  return roundToInt32(bounded) - offset;
}

double characterHeight(double points, int dpi) { return points * dpi / 72.0; }

int limited(double value) { return std::clamp(roundToInt32(value), -kCoordinateLimit, kCoordinateLimit); }

// Fills from (x0, y0) to (x1, y1), right and bottom edges exclusive.
void blank(QPainter &painter, int x0, int y0, int x1, int y1) {
  if (x1 > x0 && y1 > y0) painter.fillRect(QRect(x0, y0, x1 - x0, y1 - y0), Qt::white);
}

bool usableSpan(double lo, double hi) { return std::isfinite(hi - lo) && hi != lo; }

// Grid line indices for an axis, or false when they cannot be counted.
bool gridRange(double lo, double hi, double *step, int64_t *first, int64_t *last) {
  *step = gridStep(lo, hi);
  const double a = roundHalfEven(lo / *step), b = roundHalfEven(hi / *step);
  if (!std::isfinite(a) || !std::isfinite(b) || std::abs(a) > 1e9 || std::abs(b) > 1e9) return false;
  *first = static_cast<int64_t>(a);
  *last = static_cast<int64_t>(b);
  return true;
}

int scaledWidth(int width300, double scale) { return std::max(1, roundToInt32(width300 * scale)); }

QPen gridPen(bool zeroLine, int width, double scale) {
  QPen pen(kGridColor, width, Qt::SolidLine, Qt::FlatCap);
  // A dash pattern counts in pen widths.
  if (!zeroLine) pen.setDashPattern({kDotOn * scale / width, kDotOff * scale / width});
  return pen;
}

void drawGrid(QPainter &painter, const MeasurementRecord &r, const ReportLayout &l, const PageGeometry &page, double sx,
              double sy, int width) {
  const double scale = reportPenScale(page);
  const int PW = page.pageWidth, PH = page.pageHeight;
  double step;
  int64_t first, last;
  if (gridRange(r.params.axisCurrMin, r.params.axisCurrMax, &step, &first, &last)) {
    for (int64_t i = first; i < last; ++i) {
      const int y = (PH - l.bottom) - limited((i * step - r.params.axisCurrMin) * sy);
      painter.setPen(gridPen(i == 0, width, scale));
      painter.drawLine(l.left, y, PW + l.left, y);
    }
  }
  if (gridRange(r.params.axisPotStart, r.params.axisPotEnd, &step, &first, &last)) {
    for (int64_t j = first; j <= last; ++j) {
      const int x = limited((j * step - r.params.axisPotStart) * sx) + l.left;
      if (x <= l.left) continue;
      painter.setPen(gridPen(j == 0, width, scale));
      painter.drawLine(x, l.graphTop, x, PH - l.bottom);
    }
  }
}

double drawCurve(QPainter &painter, const MeasurementRecord &r, const ReportLayout &l, const ReportStyle &style,
                 double sx, double sy, int width, const ReportProgress &progress) {
  painter.setPen(QPen(style.curveColor, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  const int32_t count = std::min<int64_t>(r.document.pointIndex, static_cast<int64_t>(r.document.points.size()));
  auto pointAt = [&](int32_t k, double c) {
    return QPoint(l.left + limited((r.params.sweepStart + k * r.params.pulseStep - r.params.axisPotStart) * sx),
                  l.graphTop - limited((c - r.params.axisCurrMax) * sy));
  };
  DisplaySmoothing smoothing(r);
  double c = smoothing.next(r.document.points[0]);
  QPoint pen = pointAt(0, c);
  for (int32_t k = 1; k < count; ++k) {
    if (progress.percent) progress.percent(roundToInt32(k * 100.0 / r.document.pointIndex));
    c = smoothing.next(r.document.points[k]);
    const QPoint next = pointAt(k, c);
    painter.drawLine(pen, next);
    pen = next;
  }
  return c;
}

QFont sizedFont(QFont font, double points, int dpi) {
  font.setPixelSize(std::max(1, roundToInt32(characterHeight(points, dpi))));
  return font;
}

void writeText(QPainter &painter, int x, int y, const QString &text) {
  painter.drawText(x, y + painter.fontMetrics().ascent(), text);
}

// The frame's lines lie inside `box`, `width` pixels wide.
void drawFrame(QPainter &painter, const QRect &box, int width) {
  const int w = std::min({width, box.width(), box.height()});
  painter.fillRect(QRect(box.left(), box.top(), box.width(), w), Qt::black);
  painter.fillRect(QRect(box.left(), box.bottom() - w + 1, box.width(), w), Qt::black);
  painter.fillRect(QRect(box.left(), box.top(), w, box.height()), Qt::black);
  painter.fillRect(QRect(box.right() - w + 1, box.top(), w, box.height()), Qt::black);
}

}  // namespace

ReportLayout reportLayout(const PageGeometry &page, const ReportStyle &style) {
  ReportLayout l;
  const int ox = (page.physicalWidth - page.pageWidth) / 2;
  const int oy = (page.physicalHeight - page.pageHeight) / 2;
  l.left = marginPixels(style.marginLeft, page.dpiX, ox, page.pageWidth);
  l.right = marginPixels(style.marginRight, page.dpiX, ox, page.pageWidth);
  l.top = marginPixels(style.marginTop, page.dpiY, oy, page.pageHeight);
  l.bottom = marginPixels(style.marginBottom, page.dpiY, oy, page.pageHeight);
  l.graphTop = (page.pageHeight - l.bottom - l.top) / 2 + l.top;
  l.graphFits = page.pageWidth - l.right > l.left && page.pageHeight - l.bottom > l.graphTop;
  const double points = style.font.pointSizeF() > 0 ? style.font.pointSizeF() : 12.0;
  l.titleHeight = roundToInt32(characterHeight(points + 2, page.dpiY));
  l.textHeight = roundToInt32(characterHeight(points, page.dpiY));
  l.linePitch = roundToInt32(1.1 * l.textHeight);
  l.ruleY = l.top + l.titleHeight + 5;
  l.firstLineY = l.top + l.titleHeight + l.textHeight;
  return l;
}

QStringList reportTextLines(const MeasurementRecord &r) {
  const ParameterTexts &t = r.texts;
  QStringList lines = r.document.description;
  lines << QString();
  lines << QStringLiteral("File: ") +
               (r.document.dataFileName.isEmpty() ? QString() : QFileInfo(r.document.dataFileName).fileName());
  lines << QStringLiteral("Date & Time: ") + r.document.runDateTime;
  lines << QStringLiteral("Potential start:  ") + t.potStart + QStringLiteral(" mV");
  lines << QStringLiteral("Potential end:  ") + t.potEnd + QStringLiteral(" mV");
  lines << QStringLiteral("Sweep speed:  ") + t.sweep + QStringLiteral(" mV/s");
  lines << QStringLiteral("Pulse amplitude:  ") + t.amplitude + QStringLiteral(" mV");
  lines << QStringLiteral("Pulse period:  ") + t.period + QStringLiteral(" ms");
  lines << QStringLiteral("Data accumulation:  ") + t.accumulation + QStringLiteral(" %");
  lines << QStringLiteral("Preelectrolysis potential:  ") + t.prePot + QStringLiteral(" mV");
  lines << QStringLiteral("Preelectrolysis time:  ") + t.preTime + QStringLiteral(" s");
  lines << QStringLiteral("Signal damping:  ") + t.damping + QLatin1Char(' ') + t.dampingUnitText();
  lines << r.display.pulseStepInfo << r.display.recordTimeInfo << r.display.pulseNrInfo;
  lines << QString();
  lines << QStringLiteral("Current axis:  ") + t.currMin + QStringLiteral(" .. ") + t.currMax + QLatin1Char(' ') +
               t.currUnitText();
  lines << QStringLiteral("Potential axis:  ") + t.potStart + QStringLiteral(" .. ") + t.potEnd + QStringLiteral(" mV");
  return lines;
}

double reportPenScale(const PageGeometry &page) {
  const double dpi = (page.dpiX + page.dpiY) / 2.0;
  return dpi > 0 ? dpi / kPenDpi : 1.0;
}

void drawReportText(QPainter &painter, const PageGeometry &page, const ReportStyle &style, const QString &title,
                    const QStringList &lines, int ruleWidth) {
  const ReportLayout l = reportLayout(page, style);
  QFont titleFont = style.font;
  titleFont.setBold(false);
  titleFont.setItalic(false);
  titleFont.setUnderline(false);
  titleFont.setStrikeOut(false);
  const double points = style.font.pointSizeF() > 0 ? style.font.pointSizeF() : 12.0;
  painter.setFont(sizedFont(titleFont, points + 2, page.dpiY));
  painter.setPen(Qt::black);
  writeText(painter, l.left, l.top, title);
  painter.setPen(QPen(Qt::black, ruleWidth, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
  painter.drawLine(l.left, l.ruleY, page.pageWidth - l.right, l.ruleY);

  painter.setFont(reportTextFont(style, page));
  painter.setPen(style.fontColor);
  int y = l.firstLineY;
  for (const QString &line : lines) {
    writeText(painter, l.left, y, line);
    y += l.linePitch;
  }
}

QFont reportTextFont(const ReportStyle &style, const PageGeometry &page) {
  const double points = style.font.pointSizeF() > 0 ? style.font.pointSizeF() : 12.0;
  return sizedFont(style.font, points, page.dpiY);
}

std::optional<double> drawReport(QPainter &painter, const PageGeometry &page, const ReportStyle &style,
                                 const MeasurementRecord &r, const ReportProgress &progress,
                                 const ReferenceCurves *references) {
  const ReportLayout l = reportLayout(page, style);
  const int PW = page.pageWidth, PH = page.pageHeight;
  if (progress.status) progress.status(QStringLiteral("Data printing..."));
  // Nothing lands outside the printable area, as on paper; a PDF would show it.
  painter.save();
  painter.setClipRect(QRect(0, 0, PW, PH));

  // Grid and curve fill the lower half between the margins.
  const double scale = reportPenScale(page);
  const int frameWidth = scaledWidth(std::max(1, style.lineWidth / 2), scale);
  const int curveWidth = scaledWidth(style.lineWidth, scale);
  int ruleWidth = frameWidth;  // the title rule takes the width drawn last
  std::optional<double> lastSmoothed;
  // A zero span has no scale: the frame stays empty.
  if (l.graphFits && usableSpan(r.params.axisPotStart, r.params.axisPotEnd) &&
      usableSpan(r.params.axisCurrMin, r.params.axisCurrMax)) {
    const double sy = (PH - l.top - l.bottom) * 0.5 / (r.params.axisCurrMax - r.params.axisCurrMin);
    const double sx = (PW - l.left - l.right) / (r.params.axisPotEnd - r.params.axisPotStart);
    if (style.visibleGrid) drawGrid(painter, r, l, page, sx, sy, frameWidth);
    if (r.document.pointIndex > 0 && !r.document.points.empty()) {
      lastSmoothed = drawCurve(painter, r, l, style, sx, sy, curveWidth, progress);
      ruleWidth = curveWidth;
    }
    if (references) drawReportReferences(painter, *references, r, page, style, l);
  }

  // Whatever ran outside the frame is blanked, except into the right margin.
  blank(painter, 0, 0, PW, l.graphTop - 1);
  blank(painter, 0, PH - l.bottom, PW, PH);
  blank(painter, 0, 0, l.left, PH);

  if (progress.status) progress.status(QStringLiteral("Info text..."));
  drawReportText(painter, page, style, kTitle, reportTextLines(r), ruleWidth);

  blank(painter, PW - l.right, 0, PW, PH);
  // Last, so no blanking cuts an edge of it.
  if (l.graphFits)
    drawFrame(painter, QRect(l.left, l.graphTop, PW - l.right - l.left, PH - l.bottom - l.graphTop), frameWidth);
  painter.restore();
  return lastSmoothed;
}

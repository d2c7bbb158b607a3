#include "printing/report_peaks.h"

#include <QFontMetrics>
#include <algorithm>

#include "analysis/peak_table.h"
#include "graph/drawn_peaks.h"

namespace {

// Columns apart by the width of three blanks, numbers right-aligned.
std::vector<int> columnWidths(const QFontMetrics &metrics, const std::vector<QStringList> &lines) {
  std::vector<int> widths(kReportPeakColumns, 0);
  for (const QStringList &line : lines)
    for (int c = 0; c < kReportPeakColumns && c < line.size(); ++c)
      widths[c] = std::max(widths[c], metrics.horizontalAdvance(line[c]));
  return widths;
}

}  // namespace

QRect reportPeakTableArea(const PageGeometry &page, const ReportStyle &style, const MeasurementRecord &record) {
  const ReportLayout l = reportLayout(page, style);
  // The text lines, then one empty line.
  const int top = l.firstLineY + (static_cast<int>(reportTextLines(record).size()) + 1) * l.linePitch;
  // The blanking above the graph leaves the row above it alone.
  const int bottom = l.graphTop - 2;
  return QRect(QPoint(l.left, top), QPoint(page.pageWidth - l.right - 1, bottom));
}

int reportPeakTableLines(const ReportLayout &l, const QRect &area, std::size_t peakCount) {
  if (peakCount == 0 || l.linePitch <= 0 || area.width() <= 0) return 0;
  // A line needs its pitch, the last one only its character height.
  const int room = area.height() < l.textHeight ? 0 : 1 + (area.height() - l.textHeight) / l.linePitch;
  if (peakCount + 1 <= static_cast<std::size_t>(room)) return static_cast<int>(peakCount) + 1;
  // Left-over peaks take a line to say so.
  return room >= 3 ? room : 0;
}

void drawReportPeakTable(QPainter &painter, const PageGeometry &page, const ReportStyle &style,
                         const MeasurementRecord &record, const std::vector<Peak> &peaks) {
  const ReportLayout l = reportLayout(page, style);
  const QRect area = reportPeakTableArea(page, style, record);
  const int lines = reportPeakTableLines(l, area, peaks.size());
  if (lines == 0) return;

  const PeakTableUnits units = peakTableUnits(record);
  std::vector<QStringList> text{peakTableHeader(units)};
  // With peaks left over, the last line tells how many.
  const std::size_t rows = static_cast<std::size_t>(lines - 1) == peaks.size() ? lines - 1 : lines - 2;
  for (std::size_t i = 0; i < rows; ++i) text.push_back(peakTableRow(static_cast<int>(i + 1), peaks[i], units));

  painter.save();
  painter.setClipRect(area);
  painter.setFont(reportTextFont(style, page));
  painter.setPen(style.fontColor);
  const QFontMetrics metrics = painter.fontMetrics();
  const std::vector<int> widths = columnWidths(metrics, text);
  const int gap = metrics.horizontalAdvance(QStringLiteral("   "));
  int y = area.top();
  for (const QStringList &line : text) {
    int x = area.left();
    for (int c = 0; c < kReportPeakColumns && c < line.size(); ++c) {
      // The header's texts are left-aligned over their columns, the numbers right-aligned.
      const int shift = &line == &text.front() ? 0 : widths[c] - metrics.horizontalAdvance(line[c]);
      painter.drawText(x + shift, y + metrics.ascent(), line[c]);
      x += widths[c] + gap;
    }
    y += l.linePitch;
  }
  const std::size_t rest = peaks.size() - rows;
  if (rest > 0)
    painter.drawText(
        area.left(), y + metrics.ascent(),
        rest == 1 ? QStringLiteral("(1 more peak not shown)") : QStringLiteral("(%1 more peaks not shown)").arg(rest));
  painter.restore();
}

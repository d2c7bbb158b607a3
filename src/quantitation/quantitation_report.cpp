#include "quantitation/quantitation_report.h"

#include <QFileInfo>

#include "core/numbers.h"
#include "quantitation/calibration_plot.h"
#include "quantitation/result_rows.h"

namespace {

// Pen widths of the report are given for a 300 dpi page, the plot's for the screen.
constexpr double kScreenDpi = 96, kPenDpi = 300;

QString counted(int n, const QString &what) {
  return QStringLiteral("%1 %2%3").arg(n).arg(what, n == 1 ? QString() : QStringLiteral("s"));
}

// "5 standards, 1 sample, 3 blanks".
QString filesLine(const QuantitationResult &r) {
  int standards = 0, additions = 0, blanks = 0, samples = 0;
  for (const PlotPoint &p : r.points) {
    standards += p.role == Role::Standard;
    additions += p.role == Role::Addition;
    blanks += p.role == Role::Blank;
  }
  for (const SampleResult &s : r.samples) samples += s.replicates;
  QStringList parts;
  if (standards) parts << counted(standards, QStringLiteral("standard"));
  if (additions) parts << counted(additions, QStringLiteral("addition"));
  parts << counted(samples, QStringLiteral("sample"));
  if (blanks) parts << counted(blanks, QStringLiteral("blank"));
  return QStringLiteral("Files:  ") + parts.join(QStringLiteral(", "));
}

}  // namespace

QStringList quantitationReportLines(const QuantitationResult &r, const QString &tablePath) {
  QStringList lines;
  lines << QStringLiteral("Table:  ") +
               (tablePath.isEmpty() ? QStringLiteral("not saved") : QFileInfo(tablePath).fileName());
  lines << filesLine(r);
  lines << QStringLiteral("Method:  ") + methodText(r.method) +
               (r.weighting == Weighting::InverseSquare ? QStringLiteral(", weighted by 1/x²") : QString());
  lines << QStringLiteral("Peaks within %1 mV of %2 mV")
               .arg(formatFixed(r.matchWindow * 1000, 1), formatFixed(r.matchPotential * 1000, 1));
  lines << QString();
  const std::vector<ResultRow> rows = resultRows(r);
  for (std::size_t i = 1; i < rows.size(); ++i) {  // the method is told above
    const ResultRow &row = rows[i];
    const bool unitInName = row.quantity.endsWith(QLatin1Char(']'));
    lines << row.quantity + QStringLiteral(":  ") + row.value +
                 (row.unit.isEmpty() || unitInName ? QString() : QLatin1Char(' ') + row.unit);
  }
  if (!r.warnings.isEmpty()) lines << QString() << r.warnings;
  return lines;
}

QuantitationPage quantitationPage(const PageGeometry &page, const ReportStyle &style, const QStringList &lines) {
  const ReportLayout l = reportLayout(page, style);
  const int bottom = page.pageHeight - l.bottom;
  const int lowestPlotTop = bottom - (bottom - l.top) / 3;
  // Lines that end a pitch above the plot's top.
  const int room = std::max(1, (lowestPlotTop - l.linePitch - l.firstLineY) / std::max(1, l.linePitch));
  QuantitationPage p;
  p.lines = lines;
  if (p.lines.size() > room) {
    const int shown = room - 1;
    p.lines = lines.mid(0, shown);
    p.lines << QStringLiteral("(%1 more lines do not fit on the page)").arg(lines.size() - shown);
  }
  const int textBottom = l.firstLineY + static_cast<int>(p.lines.size()) * l.linePitch;
  p.plotTop = std::max(l.graphTop, std::min(lowestPlotTop, textBottom + l.linePitch));
  return p;
}

void drawQuantitationReport(QPainter &painter, const PageGeometry &page, const ReportStyle &style,
                            const QuantitationResult &result, const QString &tablePath) {
  const ReportLayout l = reportLayout(page, style);
  const int PW = page.pageWidth, PH = page.pageHeight;
  const double scale = reportPenScale(page);
  painter.save();
  painter.setClipRect(QRect(0, 0, PW - l.right, PH));
  const QuantitationPage layout = quantitationPage(page, style, quantitationReportLines(result, tablePath));
  drawReportText(painter, page, style, kQuantitationTitle, layout.lines,
                 std::max(1, roundToInt32(style.lineWidth * scale)));
  painter.restore();
  if (!l.graphFits || PH - l.bottom <= layout.plotTop) return;
  PlotStyle plot;
  plot.font = style.font;
  const double points = style.font.pointSizeF() > 0 ? style.font.pointSizeF() : 12.0;
  plot.font.setPixelSize(std::max(1, roundToInt32(points * page.dpiY / 72.0)));
  plot.scale = scale * kPenDpi / kScreenDpi;
  plot.lineColor = style.curveColor;
  drawCalibrationPlot(painter, QRect(l.left, layout.plotTop, PW - l.right - l.left, PH - l.bottom - layout.plotTop),
                      result, plot);
}

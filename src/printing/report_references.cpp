#include "printing/report_references.h"

#include <algorithm>

#include "core/numbers.h"
#include "references/reference_drawing.h"
#include "references/reference_palette.h"

void drawReportReferences(QPainter &painter, const ReferenceCurves &references, const MeasurementRecord &r,
                          const PageGeometry &page, const ReportStyle &style, const ReportLayout &l) {
  // The curve's scales: the graph is half the height between the margins.
  const QRectF area(l.left, l.graphTop, page.pageWidth - l.right - l.left, (page.pageHeight - l.top - l.bottom) * 0.5);
  const PlotFrame frame{area, r.params.axisPotStart, r.params.axisPotEnd, r.params.axisCurrMin, r.params.axisCurrMax};
  ReferenceStyle s;
  s.colors = referenceColors(static_cast<int>(references.curves().size()), style.curveColor, Qt::white);
  s.lineWidth = std::max(1, roundToInt32(style.lineWidth * reportPenScale(page)));
  s.font = style.font;
  s.font.setPixelSize(std::max(1, l.textHeight));
  drawReferences(painter, references, frame, s);
}

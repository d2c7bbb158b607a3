#include "printing/report_pdf.h"

#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include "app/numbers.h"

namespace {
constexpr int kPdfDpi = 600;
}

ReportStyle reportStyle(const PageSettings &s) {
  ReportStyle style;
  style.marginLeft = readNumber(s.marginLeft);
  style.marginRight = readNumber(s.marginRight);
  style.marginTop = readNumber(s.marginTop);
  style.marginBottom = readNumber(s.marginBottom);
  style.font = s.font();
  style.fontColor = s.fontColor;
  style.curveColor = s.curveColor;
  style.lineWidth = s.lineWidth;
  style.visibleGrid = s.visibleGrid;
  return style;
}

PageGeometry pageGeometry(const QPageLayout &layout, int dpi) {
  const QRect full = layout.fullRectPixels(dpi);
  const QRect paint = layout.paintRectPixels(dpi);
  return {full.width(), full.height(), paint.width(), paint.height(), dpi, dpi};
}

bool writeReportPdf(const MeasurementRecord &record, const PageSettings &settings, const QString &pdfPath,
                    QString *error) {
  QPdfWriter writer(pdfPath);
  writer.setResolution(kPdfDpi);
  writer.setTitle(record.caption());
  writer.setCreator(kTitle);
  const QPageLayout layout(QPageSize(QPageSize::A4),
                           settings.orientation == OrientationLandscape ? QPageLayout::Landscape
                                                                        : QPageLayout::Portrait,
                           QMarginsF(0, 0, 0, 0));
  writer.setPageLayout(layout);
  QPainter painter;
  if (!painter.begin(&writer)) {
    if (error) *error = QStringLiteral("Unable to write to %1").arg(pdfPath);
    return false;
  }
  drawReport(painter, pageGeometry(writer.pageLayout(), writer.resolution()), reportStyle(settings), record);
  if (!painter.end()) {
    if (error) *error = QStringLiteral("Unable to write to %1").arg(pdfPath);
    return false;
  }
  return true;
}

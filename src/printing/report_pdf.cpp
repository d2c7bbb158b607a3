#include "printing/report_pdf.h"

#include <QBuffer>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include "core/numbers.h"
#include "core/text_io.h"
#include "files/file_operations.h"
#include "printing/report_peaks.h"

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
                    QString *error, const std::vector<Peak> &peaks) {
  // The whole document is made in memory and written like every other file,
  // so a failure or a kill never leaves a partial PDF under the name.
  QBuffer pdf;
  pdf.open(QIODevice::WriteOnly);
  {
    QPdfWriter writer(&pdf);
    writer.setResolution(kPdfDpi);
    writer.setTitle(record.caption());
    writer.setCreator(kTitle);
    const QPageLayout layout(
        QPageSize(QPageSize::A4),
        settings.orientation == OrientationLandscape ? QPageLayout::Landscape : QPageLayout::Portrait,
        QMarginsF(0, 0, 0, 0));
    writer.setPageLayout(layout);
    QPainter painter;
    bool drawn = painter.begin(&writer);
    if (drawn) {
      const PageGeometry page = pageGeometry(writer.pageLayout(), writer.resolution());
      const ReportStyle style = reportStyle(settings);
      drawReport(painter, page, style, record);
      drawReportPeakTable(painter, page, style, record, peaks);
      drawn = painter.end();
    }
    if (!drawn) {
      if (error) *error = cannotWriteMessage(pdfPath, QStringLiteral("The report could not be drawn."));
      return false;
    }
  }
  QString reason;
  if (writeFileAtomically(pdfPath, pdf.data(), &reason)) return true;
  if (error) *error = cannotWriteMessage(pdfPath, reason);
  return false;
}

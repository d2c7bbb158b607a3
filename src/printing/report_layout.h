#pragma once
// The one-page report: title, description, parameter lines and a framed graph
// with grid and smoothed curve, drawn with the page's own scaling.

#include <QColor>
#include <QFont>
#include <QPainter>
#include <QStringList>
#include <functional>
#include <optional>

#include "core/measurement_record.h"

class ReferenceCurves;

// Device values of the page, in device pixels. The painter's origin is the
// top-left corner of the printable area.
struct PageGeometry {
  int physicalWidth = 0, physicalHeight = 0;  // the whole sheet
  int pageWidth = 0, pageHeight = 0;          // the printable area
  int dpiX = 0, dpiY = 0;
};

struct ReportStyle {
  double marginLeft = 2, marginRight = 2, marginTop = 2, marginBottom = 2;  // cm from the sheet edges
  QFont font;  // family, point size and style of the report font
  QColor fontColor = Qt::black;
  QColor curveColor = QColor(0, 0, 255);
  int lineWidth = 2;  // curve width in pixels of a 300 dpi page; the frame and grid take half of it
  bool visibleGrid = true;
};

// Pixel positions the report is laid out by.
struct ReportLayout {
  int left = 0, right = 0, top = 0, bottom = 0;  // margins inside the printable area
  int graphTop = 0;                              // G
  bool graphFits = false;                        // the frame has room between the margins
  int titleHeight = 0;                           // character height of the title font
  int textHeight = 0;                            // character height of the report font
  int linePitch = 0;
  int ruleY = 0;       // the line under the title
  int firstLineY = 0;  // top of the first text line
};

struct ReportProgress {
  std::function<void(const QString &)> status;  // "Data printing...", "Info text..."
  std::function<void(int)> percent;             // 0..100 along the curve
};

ReportLayout reportLayout(const PageGeometry &page, const ReportStyle &style);

// The text block below the title, one entry per line.
QStringList reportTextLines(const MeasurementRecord &record);

// Device pixels per pixel of a 300 dpi page: pen widths are given for such
// a page, so a report looks the same on every printer and in the PDF.
double reportPenScale(const PageGeometry &page);

// The title (2 points above the report font, plain, black), the rule under
// it `ruleWidth` pixels wide, and `lines` below in the report font, one
// line pitch apart.
void drawReportText(QPainter &painter, const PageGeometry &page, const ReportStyle &style, const QString &title,
                    const QStringList &lines, int ruleWidth);

// The report font at its size on `page`, as the text lines are written in.
QFont reportTextFont(const ReportStyle &style, const PageGeometry &page);

// Draws the whole report, with the reference curves when given. Returns the
// last smoothed current of the curve, or nothing when no curve was drawn.
std::optional<double> drawReport(QPainter &painter, const PageGeometry &page, const ReportStyle &style,
                                 const MeasurementRecord &record, const ReportProgress &progress = {},
                                 const ReferenceCurves *references = nullptr);

#pragma once
// A measurement and a page the report tests draw with.

#include <QImage>
#include <QPainter>

#include "core/measurement_record.h"
#include "factory_texts.h"
#include "printing/report_layout.h"

// An A4 sheet at 600 dpi whose unprintable border is 0.5 cm (118 pixels) on every side.
inline PageGeometry a4At600Dpi() { return {4961, 7016, 4725, 6780, 600, 600}; }
// The same sheet at 300 dpi (59 pixels of border).
inline PageGeometry a4At300Dpi() { return {2480, 3508, 2362, 3390, 300, 300}; }

inline ReportStyle testStyle() {
  ReportStyle style;
  style.font = QFont(QStringLiteral("Arial"));
  style.font.setPointSize(12);
  style.curveColor = Qt::red;
  style.lineWidth = 2;
  return style;
}

// Potential axis -500..500 mV, current axis -1..1 uA, no smoothing, no points.
inline MeasurementRecord testRecord() {
  MeasurementRecord r;
  r.texts = factoryTexts();
  r.texts.potStart = "-500";
  r.texts.potEnd = "500";
  r.texts.period = "100";
  r.texts.currMin = "-1";
  r.texts.currMax = "1";
  r.document.description = QStringList{"Sample A"};
  r.document.dataFileName = "/data/Run.dpv";
  r.document.runDateTime = "Monday";
  r.display.pulseStepInfo = "Pulse step: 1.0 mV";
  r.display.recordTimeInfo = "Recording time: 100.0 s";
  r.display.pulseNrInfo = "Pulse number: 1000";
  r.params.axisPotStart = -0.5;
  r.params.axisPotEnd = 0.5;
  r.params.axisCurrMin = -1e-6;
  r.params.axisCurrMax = 1e-6;
  r.params.sweepStart = -0.5;
  r.params.pulseStep = 0.001;
  r.params.dampingFactor = 0;
  r.params.dampingRest = 1;
  return r;
}

inline QImage drawnReport(const MeasurementRecord &record, const ReportStyle &style = testStyle(),
                          const PageGeometry &page = a4At600Dpi(), std::optional<double> *lastSmoothed = nullptr) {
  QImage image(page.pageWidth, page.pageHeight, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  const auto last = drawReport(painter, page, style, record);
  if (lastSmoothed) *lastSmoothed = last;
  return image;
}

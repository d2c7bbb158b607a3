#pragma once
// Records and image checks shared by the graph tests.

#include <QImage>
#include <cmath>

#include "core/measurement_record.h"
#include "factory_texts.h"

// The worked example: plot 479 x 334, -200 .. 500 mV, -10 .. 50 nA, no damping.
inline MeasurementRecord exampleRecord() {
  MeasurementRecord r;
  r.texts = factoryTexts();
  r.texts.potStart = "-200";
  r.texts.potEnd = "500";
  r.texts.currMin = "-10";
  r.texts.currMax = "50";
  r.texts.currUnitIndex = 1;
  r.texts.period = "100";
  r.view.plotWidth = 479;
  r.view.plotHeight = 334;
  return r;
}

// `count` points of a peak with noise on a baseline, in amperes, over the
// example's potential range (sweep and period chosen to give that many points).
inline void fillPeak(MeasurementRecord &r, int count, double noise) {
  r.texts.sweep = "7";
  r.texts.period = QString::number(100000.0 / count, 'g', 12);
  r.resizePoints(count);
  uint32_t seed = 12345;
  for (int i = 0; i < count; ++i) {
    seed = seed * 1664525u + 1013904223u;
    const double u = (seed >> 8) / double(1 << 24) - 0.5;
    const double e = -0.2 + 0.7 * i / count;
    r.document.points[i] = 1e-9 * (2 + 30 * std::exp(-std::pow((e - 0.15) / 0.05, 2)) + noise * u);
  }
  r.document.pointIndex = count;
}

inline int countPixels(const QImage &image, QRgb color) {
  int n = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) n += (image.pixel(x, y) & 0xFFFFFF) == (color & 0xFFFFFF);
  return n;
}

inline int countDifferentPixels(const QImage &a, const QImage &b) {
  int n = 0;
  for (int y = 0; y < a.height(); ++y)
    for (int x = 0; x < a.width(); ++x) n += a.pixel(x, y) != b.pixel(x, y);
  return n;
}

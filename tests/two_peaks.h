#pragma once
// A measurement with two known peaks, as a record and as a .dpv file: 700
// points from -200 mV in 1 mV steps (the sweep to 500 mV), 30 uA at 50 mV
// (80 mV wide at half height) and 20 uA at 300 mV (60 mV wide), on a slight
// ripple.

#include <QByteArray>
#include <cmath>

#include "core/measurement_record.h"
#include "factory_texts.h"
#include "graph/scaling.h"

inline double twoPeakCurrent(int i) {
  const double e = -0.200 + i * 0.001;
  auto peak = [e](double centre, double fwhm, double height) {
    const double sigma = fwhm / (2 * std::sqrt(2 * std::log(2.0)));
    return height * std::exp(-0.5 * std::pow((e - centre) / sigma, 2));
  };
  return peak(0.050, 0.080, 30e-6) + peak(0.300, 0.060, 20e-6) + 2e-9 * std::sin(i * 1.7);
}

inline constexpr int kTwoPeakPoints = 700;

// The record as File > Open leaves it, scaled for a plot of 479 x 334.
inline MeasurementRecord twoPeakRecord() {
  MeasurementRecord r;
  r.texts = factoryTexts();
  r.texts.currMin = "-10";
  r.texts.currMax = "50";
  r.texts.potStart = "-200";
  r.texts.potEnd = "500";
  r.texts.sweep = "20";
  XYFactors(r);
  r.resizePoints(kTwoPeakPoints);
  for (int i = 0; i < kTwoPeakPoints; ++i) r.document.points[i] = twoPeakCurrent(i);
  r.document.pointIndex = kTwoPeakPoints - 1;
  r.params.dampingFactor = 0;
  r.params.dampingRest = 1;
  return r;
}

inline QByteArray twoPeakMeasurement() {
  QByteArray text =
      "[Setup]\r\nDate time=today\r\nC min=-10\r\nC max=50\r\nC units=uA\r\nDamping=0\r\nDamping units=%\r\n"
      "P start=-200\r\nP end=500\r\nSweep speed=20\r\nPulse amplitude=50\r\nPulse period=50\r\n"
      "Data accumulation=10\r\nPreelectrolysis time=0\r\nPreelectrolysis potential=0\r\n[Info]\r\n[Data]\r\n";
  for (int i = 0; i < kTwoPeakPoints; ++i) text += QByteArray::number(twoPeakCurrent(i) * 1e6, 'f', 4) + "\r\n";
  return text;
}

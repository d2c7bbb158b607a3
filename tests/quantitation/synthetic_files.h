#pragma once
// A .dpv file with one known peak, written as the program writes one.

#include <QByteArray>
#include <cmath>

// From -150 to 350 mV in 1 mV steps, one peak of `height` uA at 75 mV and
// 90 mV wide at half height, on a slight ripple.
inline QByteArray syntheticMeasurement(double height) {
  QByteArray text =
      "[Setup]\r\nDate time=today\r\nC min=-100\r\nC max=100\r\nC units=uA\r\nDamping=0\r\nDamping units=%\r\n"
      "P start=-150\r\nP end=350\r\nSweep speed=20\r\nPulse amplitude=50\r\nPulse period=50\r\n"
      "Data accumulation=10\r\nPreelectrolysis time=0\r\nPreelectrolysis potential=0\r\n[Info]\r\n[Data]\r\n";
  const double sigma = 0.090 / (2 * std::sqrt(2 * std::log(2.0)));
  for (int i = 0; i <= 500; ++i) {
    const double e = -0.150 + i * 0.001;
    const double value = height * std::exp(-0.5 * std::pow((e - 0.075) / sigma, 2)) + 0.002 * std::sin(i * 1.7);
    text += QByteArray::number(value, 'f', 4) + "\r\n";
  }
  return text;
}

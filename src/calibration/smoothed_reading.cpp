#include "calibration/smoothed_reading.h"

double averageReadings(const std::function<double()> &read, ReadoutClock &clock, double windowMs) {
  const double start = clock.nowMs();
  double sum = 0;
  int count = 0;
  do {
    sum += read();
    ++count;
  } while (clock.nowMs() - start < windowMs);
  return sum / count;
}

double SmoothedReading::update(const std::function<double()> &read, ReadoutClock &clock) {
  value_ = 0.5 * averageReadings(read, clock) + 0.5 * value_;
  return value_;
}

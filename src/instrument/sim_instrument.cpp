#include "instrument/sim_instrument.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "instrument/vmbtypes.h"

using namespace vmb;

namespace {

constexpr double kTimerSeconds = 1e-5;

// Small fixed errors, different for every range, so that each range needs
// its own calibration.
constexpr RangeError kCurrentErrors[8] = {{3.0, 1.012}, {-2.0, 0.994}, {4.5, 1.007}, {-3.5, 0.989},
                                          {2.5, 1.015}, {-1.5, 0.992}, {5.0, 1.004}, {-4.0, 0.986}};
constexpr RangeError kDacErrors[4] = {{2.0, 0.996}, {-3.0, 1.008}, {1.5, 0.993}, {-2.5, 1.005}};
constexpr RangeError kMeterErrors[4] = {{-4.0, 1.006}, {3.0, 0.991}, {-2.0, 1.011}, {5.0, 0.995}};
constexpr RangeError kExact = {0.0, 1.0};

int clipCode(double code) {
  if (!(code > 0)) return 0;
  if (code > 4095) return 4095;
  return static_cast<int>(std::lround(code));
}

}  // namespace

SimInstrument::SimInstrument(SimClock &clock, const SimCellParameters &cell, bool converterErrors)
    : clock_(clock), cell_(cell), converterErrors_(converterErrors) {}

RangeError SimInstrument::currentError(int model, int range) const {
  return converterErrors_ ? kCurrentErrors[(range + 3 * model) % 8] : kExact;
}

RangeError SimInstrument::dacError(int range) const { return converterErrors_ ? kDacErrors[range] : kExact; }

RangeError SimInstrument::meterError(int range) const { return converterErrors_ ? kMeterErrors[range] : kExact; }

double SimInstrument::outputPotential() const {
  const int range = potentialRange();
  const RangeError e = dacError(range);
  return (dacCode_ - 2048 + e.zero) * kPotentialRanges[range].factor * e.gain;
}

uint32_t SimInstrument::timerCount() const {
  if (fault_ == SimFault::TimerStuck) return 0;
  double seconds = timerAccumulated_;
  if (timerRunning_) seconds += clock_.now() - timerStartedAt_;
  return static_cast<uint32_t>(static_cast<uint64_t>(seconds / kTimerSeconds) & 0xFFFFFFFFu);
}

void SimInstrument::writeRegister(uint8_t address, uint8_t value) {
  const int model = modelAtPotentiostatRegister(address);
  if (model >= 0) {
    command(model, value);
    return;
  }
  const double now = clock_.now();
  switch (address) {
    case kDacHighAdcLow:
      dacHigh_ = value & 0x0F;
      break;
    case kDacLowAdcHigh:
      dacCode_ = dacHigh_ * 256 + value;
      if (mode_ == CellMode::Potentiostat) cell_.setPotential(now, outputPotential());
      break;
    case kCardMode:
      cardMode_ = value;
      if (mode_ == CellMode::Potentiostat) cell_.setPotential(now, outputPotential());
      break;
    case kAdcStart:
      startConversion();
      break;
    case kTimerStop:
      if (timerRunning_) timerAccumulated_ += now - timerStartedAt_;
      timerRunning_ = false;
      break;
    case kTimerStart:
      if (!timerRunning_) timerStartedAt_ = now;
      timerRunning_ = true;
      break;
    case kTimerReset:
      timerAccumulated_ = 0;
      timerStartedAt_ = now;
      break;
    default:
      break;
  }
}

void SimInstrument::command(int model, uint8_t value) {
  const DeviceModel &m = deviceModel(model);
  activeModel_ = model;
  if (value == m.meterCommand) {
    mode_ = CellMode::Meter;
    cell_.disconnect();
    return;
  }
  const int code = value & 0x1F;
  currentRange_ = std::min(value >> 5, m.currentRangeCount - 1);
  bool electrodes = false;
  for (int c : m.electrodeCodes)
    if (c == code) electrodes = true;
  if (!electrodes) {
    mode_ = CellMode::Off;
    cell_.disconnect();
    return;
  }
  if (mode_ != CellMode::Potentiostat) cell_.connect(clock_.now(), outputPotential());
  mode_ = CellMode::Potentiostat;
}

void SimInstrument::startConversion() {
  double code = 2048;
  if (mode_ == CellMode::Meter) {
    const int range = meterRange();
    const RangeError e = meterError(range);
    code = 2048 - e.zero + cell_.openCircuitPotential() / (kMeterRanges[range].factor * e.gain);
  } else {
    const DeviceModel &m = deviceModel(activeModel_);
    const RangeError e = currentError(activeModel_, currentRange_);
    const double sign = m.invertedCurrent ? -1.0 : 1.0;
    code = 2048 - e.zero + sign * cell_.current(clock_.now()) / (m.currentRanges[currentRange_].factor * e.gain);
  }
  adcCode_ = clipCode(code);
  conversionDoneAt_ =
      fault_ == SimFault::ConverterStuck ? std::numeric_limits<double>::infinity() : clock_.now() + kConversionSeconds;
}

bool SimInstrument::readRegister(uint8_t address, uint8_t *value) {
  if (fault_ == SimFault::Silent) return false;
  const int model = modelAtPotentiostatRegister(address);
  if (model >= 0) {
    const bool on = mode_ != CellMode::Off && activeModel_ == model;
    *value = deviceModel(model).identification[on ? 1 : 0];
    return true;
  }
  switch (address) {
    case kDacHighAdcLow:
      *value = static_cast<uint8_t>(adcCode_ & 0xFF);
      return true;
    case kDacLowAdcHigh: {
      const bool busy = clock_.now() < conversionDoneAt_;
      *value = static_cast<uint8_t>(((adcCode_ >> 8) & 0x0F) | (busy ? 0xF0 : 0));
      return true;
    }
    case kCardMode:
      *value = kCardIdentification;
      return true;
    case kTimerByte0:
    case kTimerByte0 + 1:
    case kTimerByte0 + 2:
    case kTimerByte0 + 3:
      *value = static_cast<uint8_t>(timerCount() >> (8 * (address - kTimerByte0)));
      return true;
    default:
      return false;
  }
}

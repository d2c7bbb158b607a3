#pragma once
// The instrument side of the simulated instrument: the three potentiostat
// models (each answers at its own bus register with its identification, and
// the one commanded last is connected to the cell), the A/D and D/A card
// ACQ-610 and the timer TK-725. Each converter range has a small zero and
// gain error, given as the calibration values that correct it.

#include <cstdint>

#include "instrument/device_models.h"
#include "instrument/sim_bus_decoder.h"
#include "instrument/sim_cell.h"
#include "instrument/sim_clock.h"

enum class SimFault {
  None,
  Silent,          // nothing answers: every read floats to 0xFF
  TimerStuck,      // the timer never counts
  ConverterStuck,  // the A/D converter never finishes a conversion
};

// Zero (counts) and gain of one converter range.
struct RangeError {
  double zero;
  double gain;
};

class SimInstrument : public BusDevice {
 public:
  static constexpr double kConversionSeconds = 15e-6;

  SimInstrument(SimClock &clock, const SimCellParameters &cell, bool converterErrors);

  void writeRegister(uint8_t address, uint8_t value) override;
  bool readRegister(uint8_t address, uint8_t *value) override;

  void setFault(SimFault fault) { fault_ = fault; }
  SimCell &cell() { return cell_; }

  enum class CellMode { Off, Potentiostat, Meter };
  CellMode cellMode() const { return mode_; }
  int activeModel() const { return activeModel_; }
  int currentRange() const { return currentRange_; }
  int dacCode() const { return dacCode_; }
  // Potential the D/A output puts on the cell, volts.
  double outputPotential() const;
  uint32_t timerCount() const;

  RangeError currentError(int model, int range) const;
  RangeError dacError(int range) const;
  RangeError meterError(int range) const;

 private:
  void command(int model, uint8_t value);
  void startConversion();
  int potentialRange() const { return (cardMode_ >> 3) & 3; }
  int meterRange() const { return (cardMode_ >> 1) & 3; }

  SimClock &clock_;
  SimCell cell_;
  bool converterErrors_;
  SimFault fault_ = SimFault::None;

  int activeModel_ = 0;
  CellMode mode_ = CellMode::Off;
  int currentRange_ = 0;

  uint8_t cardMode_ = 0;
  uint8_t dacHigh_ = 8;
  int dacCode_ = 2048;
  int adcCode_ = 2048;
  double conversionDoneAt_ = 0;

  bool timerRunning_ = false;
  double timerAccumulated_ = 0;
  double timerStartedAt_ = 0;
};

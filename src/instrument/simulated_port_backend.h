#pragma once
// The simulated instrument as a port backend: port accesses go through the
// bus decoder to the simulated instrument and its cell.

#include <memory>

#include "instrument/port_backend.h"
#include "instrument/sim_bus_decoder.h"
#include "instrument/sim_clock.h"
#include "instrument/sim_instrument.h"
#include "instrument/sim_options.h"

class SimulatedPortBackend : public PortBackend {
 public:
  enum class Timing { RealTime, Virtual };

  explicit SimulatedPortBackend(Timing timing, const SimOptions &options = SimOptions());

  bool open() override { return true; }
  void close() override {}
  uint8_t read(uint16_t port) override { return decoder_.readPort(port); }
  void write(uint16_t port, uint8_t value) override { decoder_.writePort(port, value); }
  QString description() const override;
  bool isSimulated() const override { return true; }
  void pause(double seconds) override;
  bool virtualTime() const override { return timing_ == Timing::Virtual; }

  SimInstrument &instrument() { return instrument_; }
  SimClock &clock() { return *clock_; }
  // The virtual clock, or null in real time.
  VirtualClock *virtualClock() {
    return timing_ == Timing::Virtual ? static_cast<VirtualClock *>(clock_.get()) : nullptr;
  }

 private:
  Timing timing_;
  std::unique_ptr<SimClock> clock_;
  SimInstrument instrument_;
  SimBusDecoder decoder_;
};

#pragma once
// The bus side of the simulated instrument: watches the parallel port's data
// and control registers as the instrument's bus interface sees its pins, and
// turns the strobe sequences into register writes and reads.
//
// Pins (PC register bit -> pin): Strobe, AutoFeed and SelectIn are inverted
// by the port hardware, Init is not; bit 5 turns the data lines to inputs.
// A rising nSelectIn latches the data lines as the register address. A
// falling nInit is a data strobe: with nAutoFd high it writes the data lines
// to the addressed register, with nAutoFd low the register drives the data
// lines until nInit rises again.

#include <cstdint>

#include "instrument/sim_clock.h"

class BusDevice {
 public:
  virtual ~BusDevice() = default;
  virtual void writeRegister(uint8_t address, uint8_t value) = 0;
  // False when nothing answers at `address` (the lines float high).
  virtual bool readRegister(uint8_t address, uint8_t *value) = 0;
};

class SimBusDecoder {
 public:
  SimBusDecoder(BusDevice &device, SimClock &clock);

  void writePort(uint16_t port, uint8_t value);
  uint8_t readPort(uint16_t port);

 private:
  struct Pins {
    bool nAutoFd;
    bool nInit;
    bool nSelectIn;
    bool dataInput;
  };
  static Pins pinsOf(uint8_t control);
  void controlChanged(uint8_t control);

  BusDevice &device_;
  SimClock &clock_;
  uint8_t dataLatch_ = 0;
  uint8_t control_ = 0x0C;
  uint8_t address_ = 0;
  bool driving_ = false;
  uint8_t driven_ = 0xFF;
};

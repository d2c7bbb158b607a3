#include "instrument/sim_bus_decoder.h"

#include "instrument/vmbtypes.h"

SimBusDecoder::SimBusDecoder(BusDevice &device, SimClock &clock) : device_(device), clock_(clock) {}

SimBusDecoder::Pins SimBusDecoder::pinsOf(uint8_t control) {
  return Pins{(control & 0x02) == 0, (control & 0x04) != 0, (control & 0x08) == 0, (control & 0x20) != 0};
}

void SimBusDecoder::writePort(uint16_t port, uint8_t value) {
  clock_.portAccess();
  if (port == vmb::kDataPort) {
    dataLatch_ = value;
  } else if (port == vmb::kControlPort) {
    controlChanged(value);
  }
}

void SimBusDecoder::controlChanged(uint8_t control) {
  const Pins before = pinsOf(control_);
  const Pins after = pinsOf(control);
  control_ = control;
  if (!before.nSelectIn && after.nSelectIn) address_ = dataLatch_;
  if (before.nInit && !after.nInit) {
    if (after.nAutoFd) {
      if (!after.dataInput) device_.writeRegister(address_, dataLatch_);
    } else {
      driving_ = device_.readRegister(address_, &driven_);
    }
  }
  if (after.nInit || after.nAutoFd) driving_ = false;
}

uint8_t SimBusDecoder::readPort(uint16_t port) {
  clock_.portAccess();
  if (port == vmb::kDataPort) {
    if (!pinsOf(control_).dataInput) return dataLatch_;
    return driving_ ? driven_ : 0xFF;
  }
  if (port == vmb::kControlPort) return control_;
  return 0x7F;  // status lines: nothing the bus uses
}

#include "instrument/bus.h"

#include "instrument/tvicport.h"
#include "instrument/vmbtypes.h"

using namespace vmb;

void busWrite(uint8_t address, uint8_t value) {
  TVicPort::WritePort(kDataPort, address);
  TVicPort::WritePort(kControlPort, kControlAddressStrobe);
  TVicPort::WritePort(kControlPort, kControlIdle);
  TVicPort::WritePort(kDataPort, value);
  TVicPort::WritePort(kControlPort, kControlDataStrobe);
  TVicPort::WritePort(kControlPort, kControlIdle);
}

uint8_t busRead(uint8_t address) {
  TVicPort::WritePort(kDataPort, address);
  TVicPort::WritePort(kControlPort, kControlAddressStrobe);
  TVicPort::WritePort(kControlPort, kControlIdle);
  TVicPort::WritePort(kControlPort, kControlReadSetup);
  TVicPort::WritePort(kControlPort, kControlReadStrobe);
  const uint8_t value = TVicPort::ReadPort(kDataPort);
  TVicPort::WritePort(kControlPort, kControlIdle);
  return value;
}

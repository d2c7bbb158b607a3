#include "instrument/tvicport.h"

#include "instrument/port_backend.h"

TVicPort::~TVicPort() { currentPortBackend().close(); }

bool TVicPort::Open() {
  if (opened_) return true;
  opened_ = currentPortBackend().open();
  return opened_;
}

void TVicPort::Close() {
  if (!opened_) return;
  currentPortBackend().close();
  opened_ = false;
}

uint8_t TVicPort::ReadPort(uint16_t port) { return currentPortBackend().read(port); }

void TVicPort::WritePort(uint16_t port, uint8_t value) { currentPortBackend().write(port, value); }

void TVicPort::Pause(double seconds) { currentPortBackend().pause(seconds); }

bool TVicPort::VirtualTime() { return currentPortBackend().virtualTime(); }

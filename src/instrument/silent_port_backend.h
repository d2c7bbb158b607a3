#pragma once
// A bus with nothing on it: writes vanish and every read gives 0xFF, as the
// pulled-up data lines of a port with the instrument switched off.

#include "instrument/port_backend.h"

class SilentPortBackend : public PortBackend {
 public:
  bool open() override { return true; }
  void close() override {}
  uint8_t read(uint16_t) override { return 0xFF; }
  void write(uint16_t, uint8_t) override {}
  QString description() const override { return QStringLiteral("No instrument (silent bus)"); }
};

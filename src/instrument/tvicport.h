#pragma once
// The port-access object: opens and closes port access and moves single bytes
// to and from I/O ports through the backend in use.

#include <cstdint>

class TVicPort {
 public:
  TVicPort() = default;
  // Closes port access unconditionally, as the driver's owner does at exit.
  ~TVicPort();
  TVicPort(const TVicPort &) = delete;
  TVicPort &operator=(const TVicPort &) = delete;

  // Opens port access once; true while it is open.
  bool Open();
  void Close();
  bool opened() const { return opened_; }

  // Byte access needs no instance and does not look at `opened`.
  static uint8_t ReadPort(uint16_t port);
  static void WritePort(uint16_t port, uint8_t value);
  // Time passing without bus traffic (see PortBackend::pause).
  static void Pause(double seconds);
  static bool VirtualTime();

 private:
  bool opened_ = false;
};

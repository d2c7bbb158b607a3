#pragma once
// Port access through Linux ppdev (/dev/parportN). The program writes the
// PC-style register values of LPT1; this backend turns them into ppdev
// requests. The system calls go through PpdevSystem so that tests can fake
// them.

#include <QString>
#include <memory>

#include "instrument/port_backend.h"

class PpdevSystem {
 public:
  virtual ~PpdevSystem() = default;
  // As open(2), ioctl(2) and close(2); on failure -1 with the reason in `error`.
  virtual int open(const QByteArray &path, int *error) = 0;
  virtual int ioctl(int fd, unsigned long request, void *argument, int *error) = 0;
  virtual void close(int fd) = 0;
};

// The calls of the running system.
std::unique_ptr<PpdevSystem> makeSystemPpdev();

// What a write of the control register asks of ppdev: the control lines in
// the parport layer's sense, which is that of the PC register itself (its
// driver deals with the inverted Strobe, AutoFeed and SelectIn pins), and the
// data direction from bit 5.
struct PpdevControl {
  unsigned char lines;  // PARPORT_CONTROL_* bits for PPWCONTROL
  bool reverse;         // data lines as inputs (PPDATADIR)
};
PpdevControl ppdevControl(uint8_t controlRegister);

class PpdevPortBackend : public PortBackend {
 public:
  PpdevPortBackend(const QString &device, std::unique_ptr<PpdevSystem> system);
  ~PpdevPortBackend() override;

  // Opens and claims the port.
  bool open() override;
  // Releases and closes it.
  void close() override;
  uint8_t read(uint16_t port) override;
  void write(uint16_t port, uint8_t value) override;
  QString description() const override;

  QString lastError() const { return lastError_; }

 private:
  bool request(unsigned long code, void *argument);

  QString device_;
  std::unique_ptr<PpdevSystem> system_;
  int fd_ = -1;
  uint8_t control_ = 0xFF;  // last control register value; none written yet
  bool reverse_ = false;
  QString lastError_;
};

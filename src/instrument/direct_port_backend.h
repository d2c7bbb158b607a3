#pragma once
// Port access by direct I/O instructions (ioperm, inb, outb), which needs
// root on x86. The program's LPT1 registers are moved to the chosen base
// address. The system calls go through DirectIoSystem so tests can fake them.

#include <QString>
#include <memory>

#include "instrument/port_backend.h"

class DirectIoSystem {
 public:
  virtual ~DirectIoSystem() = default;
  // As ioperm(2): 0 on success, else -1 with the reason in `error`.
  virtual int ioperm(unsigned long from, unsigned long count, bool enable, int *error) = 0;
  virtual uint8_t inb(uint16_t port) = 0;
  virtual void outb(uint8_t value, uint16_t port) = 0;
};

std::unique_ptr<DirectIoSystem> makeSystemDirectIo();

class DirectPortBackend : public PortBackend {
 public:
  DirectPortBackend(uint16_t base, std::unique_ptr<DirectIoSystem> system);
  ~DirectPortBackend() override;

  // Asks for access to the three port registers at the base address.
  bool open() override;
  void close() override;
  // Outside the three registers, or without access: reads give 0xFF and
  // writes are dropped.
  uint8_t read(uint16_t port) override;
  void write(uint16_t port, uint8_t value) override;
  QString description() const override;

  QString lastError() const { return lastError_; }

 private:
  bool mapped(uint16_t port, uint16_t *target) const;

  uint16_t base_;
  std::unique_ptr<DirectIoSystem> system_;
  bool open_ = false;
  QString lastError_;
};

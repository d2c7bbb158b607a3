#pragma once
// Port backends for tests: one that records every port access, one that
// decodes bus transfers into register writes and reads answered by a script,
// and a guard that puts a backend in place for one test.

#include <QString>
#include <deque>
#include <functional>
#include <memory>
#include <vector>

#include "instrument/port_backend.h"
#include "instrument/sim_bus_decoder.h"
#include "instrument/sim_clock.h"

struct PortAccess {
  bool write;
  uint16_t port;
  uint8_t value;
  bool operator==(const PortAccess &o) const { return write == o.write && port == o.port && value == o.value; }
};

class RecordingPortBackend : public PortBackend {
 public:
  bool open() override {
    ++opens;
    return openResult;
  }
  void close() override { ++closes; }
  uint8_t read(uint16_t port) override {
    const uint8_t value = readValue;
    log.push_back({false, port, value});
    return value;
  }
  void write(uint16_t port, uint8_t value) override { log.push_back({true, port, value}); }
  QString description() const override { return QStringLiteral("Recording"); }

  std::vector<PortAccess> log;
  uint8_t readValue = 0;
  bool openResult = true;
  int opens = 0;
  int closes = 0;
};

// A bus register access as the instrument sees it.
struct BusAccess {
  bool write;
  uint8_t address;
  uint8_t value;
  bool operator==(const BusAccess &o) const { return write == o.write && address == o.address && value == o.value; }
};

class ScriptedBusBackend : public PortBackend, private BusDevice {
 public:
  ScriptedBusBackend() : decoder_(*this, clock_) {}

  bool open() override { return true; }
  void close() override {}
  uint8_t read(uint16_t port) override { return decoder_.readPort(port); }
  void write(uint16_t port, uint8_t value) override { decoder_.writePort(port, value); }
  QString description() const override { return QStringLiteral("Scripted bus"); }

  std::vector<BusAccess> log;
  // Answers a read of `address`; 0xFF when unset.
  std::function<uint8_t(uint8_t address)> answer;

  std::vector<BusAccess> writes() const {
    std::vector<BusAccess> w;
    for (const BusAccess &a : log)
      if (a.write) w.push_back(a);
    return w;
  }
  int readsOf(uint8_t address) const {
    int n = 0;
    for (const BusAccess &a : log)
      if (!a.write && a.address == address) ++n;
    return n;
  }

 private:
  void writeRegister(uint8_t address, uint8_t value) override { log.push_back({true, address, value}); }
  bool readRegister(uint8_t address, uint8_t *value) override {
    *value = answer ? answer(address) : 0xFF;
    log.push_back({false, address, *value});
    return true;
  }

  VirtualClock clock_;
  SimBusDecoder decoder_;
};

// Puts a backend in place for the lifetime of the guard.
template <typename Backend>
class ScopedBackend {
 public:
  template <typename... Args>
  explicit ScopedBackend(Args &&...args) {
    auto owned = std::make_unique<Backend>(std::forward<Args>(args)...);
    backend_ = owned.get();
    previous_ = replacePortBackend(std::move(owned));
  }
  ~ScopedBackend() { replacePortBackend(std::move(previous_)); }
  Backend &operator*() { return *backend_; }
  Backend *operator->() { return backend_; }

 private:
  Backend *backend_;
  std::unique_ptr<PortBackend> previous_;
};

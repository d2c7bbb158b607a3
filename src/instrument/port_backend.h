#pragma once
// Where the port-access layer sends its bytes: the simulated instrument, a
// silent bus, Linux ppdev or direct port I/O. One backend serves the whole
// process; it is chosen once at start from the --port option.

#include <QString>
#include <cstdint>
#include <memory>

class PortBackend {
 public:
  virtual ~PortBackend() = default;
  // Makes port access available; false when it is not.
  virtual bool open() = 0;
  // Gives port access up; harmless when not open.
  virtual void close() = 0;
  virtual uint8_t read(uint16_t port) = 0;
  virtual void write(uint16_t port, uint8_t value) = 0;
  // Short text for the status bar and the device window.
  virtual QString description() const = 0;
  virtual bool isSimulated() const { return false; }
  // Lets `seconds` pass without touching the bus: the thread sleeps, or a
  // virtual clock moves on.
  virtual void pause(double seconds);
  // True when time passes only as the backend is used (a virtual clock), so
  // nothing about it is real-time.
  virtual bool virtualTime() const { return false; }
};

// Sleeps the calling thread for `seconds` of the monotonic clock.
void sleepSeconds(double seconds);

// Chooses the backend from `choice`: "sim" (default when empty), "sim-fast",
// "none", "ppdev[:/dev/parportN]" or "direct[:0x378]". `simCell` holds the
// simulated cell's parameters ("E0=0.25,n=2"). Returns false with `error` for
// a port choice or parameter text it cannot use; the backend in place then stays.
bool selectPortBackend(const QString &choice, const QString &simCell, QString *error);

QString portBackendDescription();
bool portBackendIsSimulated();

// Help text on the --sim-cell parameters, for --help.
QString simCellHelp();

// The backend in use (the simulated instrument until one is chosen).
PortBackend &currentPortBackend();
// Puts `backend` in place and returns the one it replaces (tests use this).
std::unique_ptr<PortBackend> replacePortBackend(std::unique_ptr<PortBackend> backend);

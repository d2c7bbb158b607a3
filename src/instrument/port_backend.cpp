#include "instrument/port_backend.h"

#include <time.h>

#include <cerrno>
#include <cmath>

#include "instrument/direct_port_backend.h"
#include "instrument/ppdev_port_backend.h"
#include "instrument/silent_port_backend.h"
#include "instrument/sim_options.h"
#include "instrument/simulated_port_backend.h"
#include "instrument/vmbtypes.h"

namespace {

std::unique_ptr<PortBackend> &backendSlot() {
  static std::unique_ptr<PortBackend> backend;
  return backend;
}

// The part after "name:" of a choice, or empty.
QString argumentOf(const QString &choice, const QString &name) {
  return choice.size() > name.size() ? choice.mid(name.size() + 1) : QString();
}

bool isBackend(const QString &choice, const QString &name) {
  return choice == name || choice.startsWith(name + QLatin1Char(':'));
}

}  // namespace

PortBackend &currentPortBackend() {
  std::unique_ptr<PortBackend> &slot = backendSlot();
  if (!slot) slot = std::make_unique<SimulatedPortBackend>(SimulatedPortBackend::Timing::RealTime);
  return *slot;
}

std::unique_ptr<PortBackend> replacePortBackend(std::unique_ptr<PortBackend> backend) {
  std::unique_ptr<PortBackend> previous = std::move(backendSlot());
  backendSlot() = std::move(backend);
  return previous;
}

bool selectPortBackend(const QString &choice, const QString &simCell, QString *error) {
  const QString s = choice.trimmed().isEmpty() ? QStringLiteral("sim") : choice.trimmed();
  std::unique_ptr<PortBackend> backend;
  if (s == QLatin1String("sim") || s == QLatin1String("sim-fast")) {
    SimOptions options;
    if (!parseSimOptions(simCell, &options, error)) return false;
    const auto timing =
        s == QLatin1String("sim") ? SimulatedPortBackend::Timing::RealTime : SimulatedPortBackend::Timing::Virtual;
    backend = std::make_unique<SimulatedPortBackend>(timing, options);
  } else if (s == QLatin1String("none")) {
    backend = std::make_unique<SilentPortBackend>();
  } else if (isBackend(s, QStringLiteral("ppdev"))) {
    QString device = argumentOf(s, QStringLiteral("ppdev"));
    if (device.isEmpty()) device = QStringLiteral("/dev/parport0");
    backend = std::make_unique<PpdevPortBackend>(device, makeSystemPpdev());
  } else if (isBackend(s, QStringLiteral("direct"))) {
    const QString address = argumentOf(s, QStringLiteral("direct"));
    uint base = vmb::kDataPort;
    if (!address.isEmpty()) {
      bool ok = false;
      base = address.toUInt(&ok, 0);
      if (!ok || base == 0 || base > 0xFFFC) {
        if (error) *error = QStringLiteral("Bad port address \"%1\" (for example direct:0x378)").arg(address);
        return false;
      }
    }
    backend = std::make_unique<DirectPortBackend>(static_cast<uint16_t>(base), makeSystemDirectIo());
  } else {
    if (error)
      *error = QStringLiteral("Unknown port \"%1\" (use sim, sim-fast, none, ppdev[:/dev/parportN] or direct[:0x378])")
                   .arg(choice);
    return false;
  }
  replacePortBackend(std::move(backend));
  return true;
}

QString portBackendDescription() { return currentPortBackend().description(); }

bool portBackendIsSimulated() { return currentPortBackend().isSimulated(); }

QString simCellHelp() {
  return QStringLiteral(
             "Parameters of --sim-cell, as name=value pairs separated by commas; semicolons "
             "separate couples, each with its own E0, n, C and D, while the other names apply to "
             "the whole cell wherever they stand (for example --sim-cell \"E0=0.25,n=2,noise=0\" "
             "or --sim-cell \"E0=0.1,n=1,C=1.2;E0=0.35,n=2,C=0.6\"):\n") +
         simOptionsHelp();
}

void sleepSeconds(double seconds) {
  if (!(seconds > 0)) return;
  timespec wait{};
  wait.tv_sec = static_cast<time_t>(seconds);
  wait.tv_nsec = static_cast<long>((seconds - std::floor(seconds)) * 1e9);
  // A signal cuts the sleep short; the remaining time is slept on.
  while (clock_nanosleep(CLOCK_MONOTONIC, 0, &wait, &wait) == EINTR) {
  }
}

void PortBackend::pause(double seconds) { sleepSeconds(seconds); }

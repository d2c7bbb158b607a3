#include "instrument/simulated_port_backend.h"

namespace {
std::unique_ptr<SimClock> makeClock(SimulatedPortBackend::Timing timing) {
  if (timing == SimulatedPortBackend::Timing::Virtual) return std::make_unique<VirtualClock>();
  return std::make_unique<RealTimeClock>();
}
}  // namespace

SimulatedPortBackend::SimulatedPortBackend(Timing timing, const SimOptions &options)
    : timing_(timing),
      clock_(makeClock(timing)),
      instrument_(*clock_, options.cell, options.converterErrors),
      decoder_(instrument_, *clock_) {}

QString SimulatedPortBackend::description() const {
  return timing_ == Timing::Virtual ? QStringLiteral("Simulated instrument (virtual clock)")
                                    : QStringLiteral("Simulated instrument");
}

void SimulatedPortBackend::pause(double seconds) {
  if (VirtualClock *clock = virtualClock())
    clock->advance(seconds);
  else
    PortBackend::pause(seconds);
}

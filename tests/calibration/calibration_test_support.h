#pragma once
// A simulated instrument on its virtual clock for the calibration tests: the
// readout averaging measures its 155 ms on the same clock, so a tick is fast
// and gives the same readings every run. Calibration files go to a fresh
// folder.

#include <QTemporaryDir>
#include <memory>

#include "calibration/readout_clock.h"
#include "core/app_paths.h"
#include "instrument/instrument.h"
#include "instrument/simulated_port_backend.h"

// Milliseconds of the simulated instrument's virtual time.
class SimReadoutClock : public ReadoutClock {
 public:
  explicit SimReadoutClock(SimClock &clock) : clock_(clock) {}
  double nowMs() override { return clock_.now() * 1000; }

 private:
  SimClock &clock_;
};

// Advances a fixed step at every look.
class SteppingClock : public ReadoutClock {
 public:
  explicit SteppingClock(double stepMs) : stepMs_(stepMs) {}
  double nowMs() override {
    const double now = nowMs_;
    nowMs_ += stepMs_;
    return now;
  }

 private:
  double stepMs_;
  double nowMs_ = 0;
};

// Without cell current, noise or rest potential a reading at rest shows only
// the converters' own zero errors.
inline const QString kQuietCell = QStringLiteral("C=0,noise=0,pnoise=0,rest=0");

class SimBench {
 public:
  explicit SimBench(int model, const QString &cell = kQuietCell) {
    setProgramFolder(folder_.path());
    SimOptions options;
    QString error;
    parseSimOptions(cell, &options, &error);
    auto backend = std::make_unique<SimulatedPortBackend>(SimulatedPortBackend::Timing::Virtual, options);
    sim_ = backend.get();
    previous_ = replacePortBackend(std::move(backend));
    clock_ = std::make_unique<SimReadoutClock>(sim_->clock());
    if (model >= 0) instrument.SelDeviceChange(model);
  }
  ~SimBench() { replacePortBackend(std::move(previous_)); }
  SimBench(const SimBench &) = delete;
  SimBench &operator=(const SimBench &) = delete;

  SimInstrument &sim() { return sim_->instrument(); }
  ReadoutClock &clock() { return *clock_; }
  QString folder() const { return folder_.path(); }

  Instrument instrument;

 private:
  QTemporaryDir folder_;
  SimulatedPortBackend *sim_ = nullptr;
  std::unique_ptr<PortBackend> previous_;
  std::unique_ptr<SimReadoutClock> clock_;
};

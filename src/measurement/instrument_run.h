#pragma once
// The instrument object as the run sees it.

#include "instrument/instrument.h"
#include "instrument/tvicport.h"
#include "measurement/run_instrument.h"

class InstrumentRun : public RunInstrument {
 public:
  explicit InstrumentRun(Instrument &instrument) : instrument_(instrument) {}
  void PotentiostatOn(int electrodes, double currentRangeValue, double potentialRangeValue, double potential) override {
    instrument_.PotentiostatOn(static_cast<uint8_t>(electrodes), currentRangeValue, potentialRangeValue, potential);
  }
  void PotentiostatOff() override { instrument_.PotentiostatOff(); }
  void PotentiostatSetPotential(double potential) override { instrument_.PotentiostatSetPotential(potential); }
  double PotentiostatGetCurrent() override { return instrument_.PotentiostatGetCurrent(); }
  void TimerStart() override { instrument_.TimerStart(); }
  void TimerStop() override { instrument_.TimerStop(); }
  void TimerReset() override { instrument_.TimerReset(); }
  double GetTime() override { return instrument_.GetTime(); }
  void Pause(double seconds) override { TVicPort::Pause(seconds); }
  bool VirtualTime() const override { return TVicPort::VirtualTime(); }

 private:
  Instrument &instrument_;
};

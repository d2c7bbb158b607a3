#pragma once
// What a measurement run needs of the instrument. The instrument object
// implements it; tests may put a scripted instrument behind it.

class RunInstrument {
 public:
  virtual ~RunInstrument() = default;
  virtual void PotentiostatOn(int electrodes, double currentRangeValue, double potentialRangeValue,
                              double potential) = 0;
  virtual void PotentiostatOff() = 0;
  virtual void PotentiostatSetPotential(double potential) = 0;
  virtual double PotentiostatGetCurrent() = 0;
  virtual void TimerStart() = 0;
  virtual void TimerStop() = 0;
  virtual void TimerReset() = 0;
  virtual double GetTime() = 0;
  // Lets `seconds` of the instrument's time pass without using it.
  virtual void Pause(double seconds) = 0;
  // True when the instrument's time passes only as it is used (a virtual
  // clock): its run needs no real-time priority.
  virtual bool VirtualTime() const = 0;
};

#pragma once
// What the hardware calibration dialog does, without the window: the
// potentiostat on with two electrodes in the chosen current and potential
// ranges, the zero and factor texts of those ranges, the smoothed current
// reading and "Set zero".

#include <QString>
#include <QStringList>
#include <optional>

#include "calibration/current_readout_rows.h"
#include "calibration/readout_clock.h"
#include "calibration/smoothed_reading.h"

class Instrument;

class HardwareCalibration {
 public:
  // Takes the current ranges of the model selected now.
  explicit HardwareCalibration(Instrument &instrument, ReadoutClock &clock = steadyReadoutClock());

  // Takes the current ranges of the model selected now, so that entry i of
  // the list, the range the instrument switches to and the calibration slot
  // edited all stay the same range after a change of model. Returns true
  // when the list changed; the choice then goes back to entry 0.
  bool takeModelRanges();

  QStringList currentRangeNames() const { return currentRangeNames_; }
  static QStringList potentialRangeNames();
  int firstRangeIndex() const { return firstRangeIndex_; }

  int currentIndex() const { return currentIndex_; }
  // A new current range also converts the calibration texts again.
  void selectCurrentRange(int index);
  void selectPotentialRange(int index);
  const CurrentReadoutRow &row() const { return kCurrentReadoutRows[firstRangeIndex_ + currentIndex_]; }

  // Calibration texts of the chosen ranges.
  QString currZeroText() const;
  QString currFactText() const;
  QString dacZeroText() const;
  QString dacFactText() const;
  // Each stores the text as typed and converts the calibration again; the
  // next activate() puts it to work.
  void setCurrZeroText(const QString &text);
  void setCurrFactText(const QString &text);
  void setDacZeroText(const QString &text);
  void setDacFactText(const QString &text);

  // The potential edit is in millivolts; the cell gets it at the next tick.
  void setElectrodePotentialText(const QString &millivolts);
  double electrodePotential() const { return electrodePotential_; }

  // Potentiostat on, two electrodes, chosen ranges, the electrode potential.
  void activate();
  void deactivate();

  // One timer tick: the smoothed current, and the potential applied again.
  // Returns the readout text.
  QString tick();
  double readCurrent() const { return readCurrent_.value(); }

  // The present reading becomes the zero of the current range: moves the
  // instrument's A/D offset and returns the zero text for the zero edit.
  // Nothing happens (no text) while the current scale is 0, as with a
  // factor of 0, where the reading cannot be turned back into counts.
  std::optional<QString> setZero();

 private:
  Instrument &instrument_;
  ReadoutClock &clock_;
  QStringList currentRangeNames_;
  int modelIndex_ = -1;
  int firstRangeIndex_ = 0;
  int currentIndex_ = 0;
  int potentialIndex_ = 0;
  SmoothedReading readCurrent_;
  double electrodePotential_ = 0;
};

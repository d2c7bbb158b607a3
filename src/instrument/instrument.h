#pragma once
// The instrument: model choice, calibration and the operations on the
// potentiostat, the potential meter, the A/D-D/A card and the timer. Physical
// values are in volts, amperes and seconds. The measuring operations are
// called in tight loops and never allocate.

#include <QString>
#include <cstdint>

#include "instrument/calibration_store.h"
#include "instrument/device_models.h"

enum class UnitStatus { Testing, Ok, NotReady };

// What the last DeviceTest found, unit by unit.
struct DeviceTestResult {
  UnitStatus potentiostat = UnitStatus::Testing;
  UnitStatus adConverter = UnitStatus::Testing;
  UnitStatus daConverter = UnitStatus::Testing;
  UnitStatus timer = UnitStatus::Testing;
};

class Instrument {
 public:
  // Bus register access.
  static void SetPort(uint8_t address, uint8_t value);
  static uint8_t ReadPort(uint8_t address);

  // Model choice. A model index outside 0..2 changes nothing and leaves the
  // model-dependent operations idle when no model was chosen before.
  // Before the new model's calibration is read, the texts of the model in
  // use are written to its file so that edits survive the switch; returns
  // false with `error` when that write fails (the switch happens anyway).
  bool SelDeviceChange(int index, QString *error = nullptr);
  bool hasModel() const { return modelIndex_ >= 0; }
  int modelIndex() const { return modelIndex_; }
  const DeviceModel &model() const { return deviceModel(modelIndex_); }  // needs hasModel()

  QString calFileName() const { return calFileName_; }
  // Program folder + calFileName().
  QString calPath() const;
  int lastCurrentRange() const { return lastCurrentRange_; }
  int lastMeterRange() const { return lastMeterRange_; }
  const double *meterRangeLimits() const { return meterRangeLimits_; }
  QString currentRangeName(int index) const;
  static QString potentialRangeName(int index);
  static QString meterRangeNameAt(int index);

  // Calibration store: the dialogs edit the texts, then call SetCalibration.
  CalibrationStore &calibration() { return calibration_; }
  const CalibrationStore &calibration() const { return calibration_; }
  void SetCalibration() { calibration_.SetCalibration(lastCurrentRange_); }
  void loadCalibration();
  // Writes the texts of the model in use; true without writing when none is.
  bool saveCalibration(QString *error) const;

  // Potentiostat.
  void PotentiostatOn(uint8_t electrodes, double currentRangeValue, double potentialRangeValue, double potential);
  void PotentiostatOff();
  void PotentiostatSetPotential(double potential);
  double PotentiostatGetCurrent();

  // Potential meter (open circuit).
  void PotentiometerOn(double rangeValue);
  void PotentiometerOff();
  double PotentiometerGetPotential();

  // Programmable timer, 10 microseconds per count.
  void TimerStart();
  void TimerStop();
  void TimerReset();
  double GetTime();

  // Probes the four units; true only when all answer.
  bool DeviceTest();
  const DeviceTestResult &lastTest() const { return lastTest_; }

  // Conversion state set by PotentiostatOn and PotentiometerOn. The zero
  // buttons of the calibration dialogs move the offsets directly.
  int currentRange() const { return currentRange_; }
  int potentialRange() const { return potentialRange_; }
  int meterRange() const { return meterRange_; }
  double adcOffset() const { return adcOffset_; }
  void setAdcOffset(double offset) { adcOffset_ = offset; }
  double currScale() const { return currScale_; }
  double dacOffset() const { return dacOffset_; }
  double dacScale() const { return dacScale_; }
  double meterOffset() const { return meterOffset_; }
  void setMeterOffset(double offset) { meterOffset_ = offset; }
  double meterScale() const { return meterScale_; }
  QString meterRangeName() const { return meterRangeNameAt(meterRange_); }

 private:
  void applyModel(int index);
  // One A/D conversion: start, poll the status at most 100 times, read.
  static int convert();

  int modelIndex_ = -1;
  QString calFileName_;
  int lastCurrentRange_ = kMaxCurrentRanges - 1;
  int lastPotentialRange_ = kPotentialRangeCount - 1;
  int lastMeterRange_ = kMeterRangeCount - 1;
  double meterRangeLimits_[kMeterRangeCount] = {0, 0, 0, 0};
  CalibrationStore calibration_;

  int currentRange_ = 0;
  int potentialRange_ = 0;
  int meterRange_ = 0;
  double adcOffset_ = 0;
  double currScale_ = 0;
  double dacOffset_ = 0;
  double dacScale_ = 0;
  double meterOffset_ = 0;
  double meterScale_ = 0;
  DeviceTestResult lastTest_;
};

#pragma once
// Calibration of the converter ranges of one instrument model: a zero (in
// counts) and a factor per range, kept as the texts the calibration dialogs
// edit and as the numbers the conversions use.

#include <QString>

#include "instrument/device_models.h"

class CalibrationStore {
 public:
  CalibrationStore();

  QString currZeroText[kMaxCurrentRanges];
  QString currFactText[kMaxCurrentRanges];
  QString dacZeroText[kPotentialRangeCount];
  QString dacFactText[kPotentialRangeCount];
  QString adcZeroText[kMeterRangeCount];
  QString adcFactText[kMeterRangeCount];

  double currZero[kMaxCurrentRanges];
  double currFact[kMaxCurrentRanges];
  double dacZero[kPotentialRangeCount];
  double dacFact[kPotentialRangeCount];
  double adcZero[kMeterRangeCount];
  double adcFact[kMeterRangeCount];

  // Converts the texts of current ranges 0..lastCurrentRange and of all
  // potential and meter ranges into numbers; a text beyond the double range
  // counts as the default (zero 0, factor 1).
  void SetCalibration(int lastCurrentRange);

  // Reads the texts from the file at `path` (defaults for missing keys or a
  // missing file), then converts them.
  void load(const QString &path, int lastCurrentRange);

  // Writes every text to the "Calibration" section of `path`, keeping the
  // file's other contents, and replaces the file whole. On failure returns
  // false with `error` = "Unable to write to <path>: <reason>".
  bool save(const QString &path, int lastCurrentRange, QString *error) const;
};

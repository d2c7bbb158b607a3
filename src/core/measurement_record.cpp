#include "core/measurement_record.h"

#include <QFileInfo>

#include "core/numbers.h"

QString ParameterTexts::currUnitText() const {
  return currUnitIndex >= 0 && currUnitIndex < kCurrentUnitNames.size() ? kCurrentUnitNames[currUnitIndex] : QString();
}

QString ParameterTexts::dampingUnitText() const {
  return dampingUnitIndex >= 0 && dampingUnitIndex < kDampingUnitNames.size() ? kDampingUnitNames[dampingUnitIndex]
                                                                              : QString();
}

void ParameterTexts::selectCurrUnit(const QString &text) {
  const int i = kCurrentUnitNames.indexOf(text);
  if (i >= 0) currUnitIndex = i;
}

void ParameterTexts::selectDampingUnit(const QString &text, bool clearOnMismatch) {
  const int i = kDampingUnitNames.indexOf(text);
  if (i >= 0)
    dampingUnitIndex = i;
  else if (clearOnMismatch)
    dampingUnitIndex = -1;
}

void ParameterTexts::setElectrodes(int value) {
  electrodes = value < 2 ? 2 : (value > electrodesMax ? electrodesMax : value);
}

void MeasurementRecord::resizePoints(int32_t length) {
  document.points.resize(length > 0 ? static_cast<size_t>(length) : 0, 0.0);
}

QString MeasurementRecord::formatCurrent(double amperes, int extraDigits) const {
  const double value = params.currUnitFactor != 0 ? amperes / params.currUnitFactor : amperes;
  return formatFixed(value, params.currDigits + extraDigits) + QLatin1Char(' ') + texts.currUnitText();
}

QString MeasurementRecord::formatPotential(double volts, int extraDigits) const {
  return formatFixed(volts * 1000.0, params.potDigits + extraDigits) + QStringLiteral(" mV");
}

QString MeasurementRecord::caption() const {
  if (document.dataFileName.isEmpty()) return kTitle;
  return kTitle + QStringLiteral(" [") + QFileInfo(document.dataFileName).fileName() + QLatin1Char(']');
}

ParameterTexts MeasurementRecord::unzoomedTexts() const {
  ParameterTexts t = texts;
  if (view.beforeZoom) {
    t.potStart = view.beforeZoom->potStart;
    t.potEnd = view.beforeZoom->potEnd;
    t.currMin = view.beforeZoom->currMin;
    t.currMax = view.beforeZoom->currMax;
  }
  return t;
}

bool MeasurementRecord::leaveZoom() {
  if (!view.beforeZoom) return false;
  texts = unzoomedTexts();
  view.beforeZoom.reset();
  return true;
}

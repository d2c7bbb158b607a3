#include "quantitation/quantitation_settings.h"

QString methodText(Method method) {
  return method == Method::Calibration ? QStringLiteral("calibration") : QStringLiteral("standard addition");
}

QString weightingText(Weighting weighting) {
  return weighting == Weighting::None ? QStringLiteral("none") : QStringLiteral("1/x2");
}

bool parseWeighting(const QString &text, Weighting *weighting) {
  for (Weighting w : {Weighting::None, Weighting::InverseSquare})
    if (text.trimmed().compare(weightingText(w), Qt::CaseInsensitive) == 0) return *weighting = w, true;
  return false;
}

#include "analysis/analysis_settings.h"

#include <cmath>

#include "core/numbers.h"

namespace {

const QString kSmoothing = QStringLiteral("Smoothing");
const QString kThreshold = QStringLiteral("Threshold");
const QString kMinWidth = QStringLiteral("Minimum width");
const QString kMaxWidth = QStringLiteral("Maximum width");
const QString kBaseline = QStringLiteral("Baseline");

// A key holding a number of at least `least` (above it unless `leastIncluded`),
// scaled by `scale`; anything else gives `def`.
double readValue(const IniFile &ini, const QString &key, double def, double scale, double least, bool leastIncluded) {
  if (!ini.hasKey(kAnalysisSection, key)) return def;
  bool wellFormed = false;
  const QString text = ini.readString(kAnalysisSection, key, QString());
  const double v = readNumber(text, &wellFormed);
  const bool inRange = std::isfinite(v) && (leastIncluded ? v >= least : v > least);
  if (!wellFormed || text.trimmed().isEmpty() || !inRange) return def;
  return v * scale;
}

// Shortest fixed-point text of up to 3 decimals: 15, 0.5, 12.25.
QString valueText(double v) {
  QString s = formatFixed(v, 3);
  if (s.contains(QLatin1Char('.'))) {
    while (s.endsWith(QLatin1Char('0'))) s.chop(1);
    if (s.endsWith(QLatin1Char('.'))) s.chop(1);
  }
  return s;
}

}  // namespace

QString baselineKindText(BaselineKind kind) {
  return kind == BaselineKind::Valleys ? QStringLiteral("Valleys") : QStringLiteral("Tangent");
}

AnalysisSettings readAnalysisSettings(const IniFile &ini) {
  AnalysisSettings s;
  s.smoothing = readValue(ini, kSmoothing, s.smoothing, 0.001, 0, true);
  s.threshold = readValue(ini, kThreshold, s.threshold, 1, 0, true);
  s.minWidth = readValue(ini, kMinWidth, s.minWidth, 0.001, 0, true);
  s.maxWidth = readValue(ini, kMaxWidth, s.maxWidth, 0.001, 0, false);
  const QString kind = ini.readString(kAnalysisSection, kBaseline, baselineKindText(s.baseline)).trimmed();
  if (kind.compare(baselineKindText(BaselineKind::Valleys), Qt::CaseInsensitive) == 0)
    s.baseline = BaselineKind::Valleys;
  return s;
}

void writeAnalysisSettings(IniFile &ini, const AnalysisSettings &s) {
  ini.writeString(kAnalysisSection, kSmoothing, valueText(s.smoothing * 1000));
  ini.writeString(kAnalysisSection, kThreshold, valueText(s.threshold));
  ini.writeString(kAnalysisSection, kMinWidth, valueText(s.minWidth * 1000));
  ini.writeString(kAnalysisSection, kMaxWidth, valueText(s.maxWidth * 1000));
  ini.writeString(kAnalysisSection, kBaseline, baselineKindText(s.baseline));
}

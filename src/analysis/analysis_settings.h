#pragma once
// What the peak analysis is told, kept in section "Analysis" of the settings
// file: potentials and widths in mV there, volts here.

#include <QString>

#include "core/ini_file.h"

inline const QString kAnalysisSection = QStringLiteral("Analysis");

enum class BaselineKind {
  Tangent,  // the line under the curve touching it on both sides of the peak
  Valleys,  // the straight line between the lowest points on either side
};

struct AnalysisSettings {
  double smoothing = 0.015;  // V spanned by the smoothing window; 0: off
  double threshold = 10;     // least height of a peak, in units of the noise
  double minWidth = 0.010;   // V, width at half height
  double maxWidth = 0.400;   // V
  BaselineKind baseline = BaselineKind::Tangent;
};

// Reads "Analysis"; a missing key, or one that is not a number in range,
// gives the default.
AnalysisSettings readAnalysisSettings(const IniFile &ini);
// Writes "Analysis": "Smoothing", "Threshold", "Minimum width", "Maximum width", "Baseline".
void writeAnalysisSettings(IniFile &ini, const AnalysisSettings &settings);

// The settings file's name of a baseline kind: "Tangent" or "Valleys".
QString baselineKindText(BaselineKind kind);

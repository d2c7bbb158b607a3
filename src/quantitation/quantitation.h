#pragma once
// From one peak height per file to concentrations.
//
// Calibration: the line of height against concentration through the
// standards (unweighted, or weighted by 1/x²). A sample's concentration is
// x0 = (ȳ0 − a)/b for the mean height ȳ0 of its m replicates, with the
// standard uncertainty of that prediction (regression.h). Blanks are no
// points of the line; three or more give LOD (blank) = 3·s(blank)/|b|, with
// s(blank) the standard deviation of their heights.
// Standard addition: the unweighted line through the sample (added 0, each
// replicate a point) and the additions; the concentration is a/b, with the
// uncertainty of that extrapolation.
// Both: LOD = 3.3·s(y/x)/|b| and LOQ = 10·s(y/x)/|b|.

#include <QStringList>
#include <optional>
#include <vector>

#include "quantitation/peak_matching.h"
#include "quantitation/quantitation_settings.h"
#include "quantitation/quantitation_table.h"
#include "quantitation/regression.h"

// A measured file on the plot: a standard or an addition at its
// concentration, the sample of a standard addition and the blanks at 0.
struct PlotPoint {
  double concentration = 0;
  double height = 0;  // A
  Role role = Role::Standard;
};

struct SampleResult {
  QString name;
  int replicates = 0;
  double height = 0;         // A, mean of the replicates
  double concentration = 0;  // in the table's unit
  double uncertainty = 0;    // one standard uncertainty; NaN when the line gives none
};

struct QuantitationResult {
  Method method = Method::Calibration;
  Weighting weighting = Weighting::None;
  QString unit;
  double peakPotential = 0;                    // V, mean of the peaks the line goes through
  double matchPotential = 0, matchWindow = 0;  // V: the peaks were taken within the window around it
  LineFit fit;                                 // height (A) against concentration
  double lod = LineFit::kNone, loq = LineFit::kNone;
  std::optional<double> lodBlank;
  double lowest = 0, highest = 0;  // the concentrations of the standards (additions) span this
  std::vector<PlotPoint> points;
  std::vector<SampleResult> samples;  // in the order of the table
  QStringList warnings;               // samples outside the standards or below the LOQ, limits not available
};

// `peaks[i]` is the peak matched in table.entries[i]; `method` as checkTable
// gave it. False with `error` at the last point's line when the heights do
// not change with concentration (no slope).
bool quantify(const QuantitationTable &table, Method method, const std::vector<MatchedPeak> &peaks, Weighting weighting,
              QuantitationResult *result, TableError *error);

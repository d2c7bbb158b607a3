#pragma once
// One peak per file: the peak nearest a potential, matched in every file of
// the table within a window around it.

#include <vector>

#include "analysis/peaks.h"
#include "quantitation/quantitation_settings.h"
#include "quantitation/quantitation_table.h"

struct MatchedPeak {
  bool found = false;
  double height = 0;     // A; 0 for a blank without a peak in the window
  double potential = 0;  // V, of the peak found
};

// `peaks[i]` are the peaks of table.entries[i]. The potential is the one of
// `settings`, or that of the largest peak (in magnitude) of the standards,
// of the sample for a standard addition. False with `error` at the line of a
// file that has no peak in the window (a blank then has height 0 instead),
// or of the first standard (sample) when none of them has a peak at all.
bool matchPeaks(const QuantitationTable &table, Method method, const std::vector<std::vector<Peak>> &peaks,
                const QuantitationSettings &settings, double *potential, std::vector<MatchedPeak> *matched,
                TableError *error);

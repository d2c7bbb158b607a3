#include "quantitation/table_quantitation.h"

#include "core/app_paths.h"
#include "quantitation/file_peaks.h"
#include "quantitation/table_checks.h"

bool quantifyTable(const QuantitationTable &table, const QuantitationSettings &settings, QuantitationResult *result,
                   TableError *error) {
  Method method;
  if (!checkTable(table, settings.weighting, &method, error)) return false;
  const IniFile ini(settingsFile());
  const AnalysisSettings analysis = readAnalysisSettings(ini);
  std::vector<std::vector<Peak>> peaks(table.entries.size());
  for (std::size_t i = 0; i < table.entries.size(); ++i) {
    QString reason;
    if (!measurementFilePeaks(ini, analysis, table.entries[i].file, &peaks[i], &reason)) {
      *error = TableError{table.entries[i].line, reason};
      return false;
    }
  }
  double potential = 0;
  std::vector<MatchedPeak> matched;
  if (!matchPeaks(table, method, peaks, settings, &potential, &matched, error)) return false;
  if (!quantify(table, method, matched, settings.weighting, result, error)) return false;
  result->matchPotential = potential;
  result->matchWindow = settings.window;
  return true;
}

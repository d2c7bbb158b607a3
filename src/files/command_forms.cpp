#include "files/command_forms.h"

#include <QTextStream>

#include "analysis/analysis_settings.h"
#include "analysis/peaks_csv.h"
#include "core/app_paths.h"
#include "core/ini_file.h"
#include "files/file_operations.h"
#include "files/record_settings.h"
#include "graph/drawn_peaks.h"
#include "graph/smoothing.h"

namespace {

enum ExitCode { Done = 0, CannotRead = 1, CannotWrite = 2 };

IniFile programSettings() { return IniFile(settingsFile()); }

// Opens IN as File > Open does, or says on stderr why it cannot.
bool openInput(MeasurementRecord &record, const QString &in) {
  QString error;
  if (openAsProgramDoes(programSettings(), record, in, &error)) return true;
  QTextStream(stderr) << "dpv: " << error << Qt::endl;
  return false;
}

int reportWrite(bool ok, const QString &error) {
  if (ok) return Done;
  QTextStream(stderr) << "dpv: " << error << Qt::endl;
  return CannotWrite;
}

}  // namespace

int exportTextCommand(const QString &in, const QString &out) {
  MeasurementRecord record;
  if (!openInput(record, in)) return CannotRead;
  QString error;
  const bool ok = exportMeasurementText(record, out, &error);
  return reportWrite(ok, error);
}

int resaveCommand(const QString &in, const QString &out) {
  MeasurementRecord record;
  if (!openInput(record, in)) return CannotRead;
  QString error;
  const bool ok = saveMeasurementFile(record, out, &error);
  return reportWrite(ok, error);
}

int peaksCommand(const QString &in, const QString &out) {
  MeasurementRecord record;
  if (!openInput(record, in)) return CannotRead;
  // The curve as the graph draws it after File > Open.
  computeDampingWeights(record);
  const std::vector<Peak> peaks = drawnCurvePeaks(record, readAnalysisSettings(programSettings()));
  QString error;
  const bool ok = writeCommandOutput(out, peaksCsv(peaks), &error);
  return reportWrite(ok, error);
}

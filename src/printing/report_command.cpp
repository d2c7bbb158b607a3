#include "printing/report_command.h"

#include <QTextStream>

#include "analysis/analysis_settings.h"
#include "core/app_paths.h"
#include "core/ini_file.h"
#include "files/file_operations.h"
#include "files/record_settings.h"
#include "graph/drawn_peaks.h"
#include "graph/smoothing.h"
#include "printing/report_pdf.h"

int reportCommand(const QString &in, const QString &out) {
  const IniFile ini(settingsFile());
  MeasurementRecord record;
  record.document.dataSaved = true;
  record.document.askFileName = true;
  loadRecordSettings(ini, record);
  QString error;
  if (!openMeasurementFile(record, in, &error)) {
    QTextStream(stderr) << "dpv: " << error << Qt::endl;
    return 1;
  }
  // The weights the screen graph would draw the curve with.
  computeDampingWeights(record);
  const std::vector<Peak> peaks = drawnCurvePeaks(record, readAnalysisSettings(ini));
  if (!writeReportPdf(record, readPageSettings(ini), out, &error, peaks)) {
    QTextStream(stderr) << "dpv: " << error << Qt::endl;
    return 2;
  }
  return 0;
}

#include "app/measure_command.h"

#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QLocale>
#include <QTextStream>
#include <QThread>

#include "core/app_paths.h"
#include "core/ini_file.h"
#include "core/main_settings.h"
#include "app/termination_signals.h"
#include "files/record_settings.h"
#include "files/file_operations.h"
#include "instrument/instrument.h"
#include "instrument/port_backend.h"
#include "instrument/tvicport.h"
#include "measurement/acquisition.h"
#include "measurement/instrument_run.h"

namespace {

enum ExitCode { Done = 0, CannotRead = 1, CannotWrite = 2, CannotMeasure = 3 };

QTextStream &err() {
  static QTextStream stream(stderr);
  return stream;
}

}  // namespace

int measureCommand(const QString &params, const QString &out) {
  const IniFile settings(settingsFile());
  MeasurementRecord record;
  loadRecordSettings(settings, record);
  QString error;
  if (!openMeasurementFile(record, params, &error)) {
    err() << "dpv: " << error << Qt::endl;
    return CannotRead;
  }
  record.display.panels.clear();
  record.document.pointIndex = 0;
  const QString problem = sweepProblem(record);
  if (!problem.isEmpty()) {
    err() << "dpv: cannot measure: " << problem << Qt::endl;
    return CannotMeasure;
  }

  TVicPort port;
  if (!port.Open()) {
    // The backend's description says why, as the window's status bar does.
    err() << "dpv: cannot open the instrument port: " << portBackendDescription() << Qt::endl;
    return CannotMeasure;
  }
  Instrument instrument;
  instrument.SelDeviceChange(readSelectedDevice(settings));
  if (!instrument.DeviceTest()) {
    err() << "dpv: the instrument does not answer (device test failed) on " << portBackendDescription() << Qt::endl;
    return CannotMeasure;
  }

  record.document.runDateTime = QLocale::system().toString(QDateTime::currentDateTime(), QLocale::ShortFormat);
  record.display.runTimeInfo = QStringLiteral("Run time: ") + record.document.runDateTime;
  record.display.runHint = QStringLiteral("Start of measurement: ") + record.document.runDateTime;
  record.document.dataFileName.clear();
  InstrumentRun runInstrument(instrument);
  QElapsedTimer clock;
  clock.start();
  Acquisition acquisition(record, runInstrument, [&clock] { return clock.elapsed(); });
  acquisition.start();
  err() << "dpv: measuring " << record.params.pulseNumber << " points" << Qt::endl;
  int reported = -1;
  while (acquisition.tick()) {
    if (const int signal = terminationSignal()) {
      acquisition.stop();
      port.Close();
      err() << "dpv: " << terminationSignalName(signal) << ": measurement stopped, cell switched off, "
            << QDir::toNativeSeparators(out) << " not written" << Qt::endl;
      return terminationExitCode(signal);
    }
    // The countdown needs no polling; wait as the window's timer would.
    if (record.runState == RunPreelectrolysis) QThread::msleep(110);
    const int percent = record.runState == RunMeasuring
                            ? static_cast<int>(100.0 * record.document.pointIndex / record.params.pulseNumber)
                            : 0;
    if (percent / 10 != reported / 10) {
      err() << "dpv: " << (record.runState == RunPreelectrolysis ? "preelectrolysis" : "measuring") << ", point "
            << record.document.pointIndex << " of " << record.params.pulseNumber << Qt::endl;
      reported = percent;
    }
  }
  acquisition.stop();
  port.Close();
  const Acquisition::Statistics &stats = acquisition.statistics();
  err() << "dpv: done, " << stats.points << " points, " << stats.pointsWithoutSamples << " without samples, "
        << QString::number(stats.readingsPerPoint(), 'f', 1) << " readings per point" << Qt::endl;

  if (!saveMeasurementFile(record, out, &error)) {
    err() << "dpv: " << error << Qt::endl;
    return CannotWrite;
  }
  return Done;
}

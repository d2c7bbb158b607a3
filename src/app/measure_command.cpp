#include "app/measure_command.h"

#include <QDir>
#include <QElapsedTimer>
#include <QTextStream>
#include <QThread>

#include "app/termination_signals.h"
#include "core/app_paths.h"
#include "core/ini_file.h"
#include "core/main_settings.h"
#include "files/file_operations.h"
#include "files/record_settings.h"
#include "instrument/instrument.h"
#include "instrument/port_backend.h"
#include "instrument/tvicport.h"
#include "journal/run_journal.h"
#include "measurement/instrument_run.h"
#include "measurement/run_session.h"

namespace {

enum ExitCode { Done = 0, CannotRead = 1, CannotWrite = 2, CannotMeasure = 3 };

// Progress at least once a second; the points are taken as often as the window takes them.
constexpr qint64 kProgressMs = 1000;
constexpr unsigned long kDeliverMs = 110;

QString progressText(const MeasurementRecord &record) {
  if (record.runState == RunPreelectrolysis)
    return record.display.panels.time.isEmpty()
               ? QStringLiteral("preelectrolysis")
               : QStringLiteral("preelectrolysis, ") + record.display.panels.time + QStringLiteral(" left");
  return QStringLiteral("measuring, point %1 of %2").arg(record.document.pointIndex).arg(record.params.pulseNumber);
}

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

  InstrumentRun runInstrument(instrument);
  RunJournal journal(programFolder(),
                     [](const QString &reason) { err() << "dpv: run not journaled: " << reason << Qt::endl; });
  RunSession session(record, runInstrument);
  session.setObserver(&journal);
  session.start();
  err() << "dpv: measuring " << record.params.pulseNumber << " points, " << priorityText(session.priority())
        << Qt::endl;
  QElapsedTimer sinceProgress;
  bool progressTold = false;
  while (session.deliver()) {
    if (const int signal = terminationSignal()) {
      session.stop();
      port.Close();
      err() << "dpv: " << terminationSignalName(signal) << ": measurement stopped, cell switched off, "
            << QDir::toNativeSeparators(out) << " not written" << Qt::endl;
      return terminationExitCode(signal);
    }
    if (!progressTold || sinceProgress.elapsed() >= kProgressMs) {
      err() << "dpv: " << progressText(record) << Qt::endl;
      sinceProgress.start();
      progressTold = true;
    }
    QThread::msleep(kDeliverMs);
  }
  session.stop();
  port.Close();
  err() << "dpv: done, " << session.summary() << Qt::endl;

  if (!saveMeasurementFile(record, out, &error)) {
    err() << "dpv: " << error << Qt::endl;
    return CannotWrite;
  }
  journal.discard();
  return Done;
}

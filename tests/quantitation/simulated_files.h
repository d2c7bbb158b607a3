#pragma once
// Measurement files made on the simulated instrument: a sweep through the
// real run on the virtual clock, saved as File > Save saves it. The one place
// of these tests that fills a measurement record.

#include <gtest/gtest.h>

#include <QDir>
#include <QString>

#include "core/app_paths.h"
#include "factory_texts.h"
#include "files/file_operations.h"
#include "graph/scaling.h"
#include "instrument/instrument.h"
#include "instrument/port_backend.h"
#include "instrument/tvicport.h"
#include "measurement/instrument_run.h"
#include "run_to_end.h"

// The sweep of the simulated cell `cell` (a --sim-cell text) from -150 to
// 350 mV in 1 mV steps (or from `start` to `end` mV at `speed` mV/s, 20 giving
// 1 mV steps) with 50 mV pulses, saved as `path`. The program folder must be
// set (the simulated card's calibration lives there).
inline void measureSimulatedFile(const QString &cell, const QString &path, const QString &currentLimit = "100",
                                 const QString &start = "-150", const QString &end = "350",
                                 const QString &speed = "20") {
  MeasurementRecord record;
  TVicPort port;
  Instrument instrument;
  InstrumentRun run{instrument};
  RunSession session{record, run};
  QString error;
  ASSERT_TRUE(selectPortBackend("sim-fast", cell, &error)) << error.toStdString();
  port.Open();
  instrument.SelDeviceChange(0);
  ASSERT_TRUE(instrument.DeviceTest());
  record.texts = factoryTexts();
  record.texts.potStart = start;
  record.texts.potEnd = end;
  record.texts.sweep = speed;
  record.texts.currMin = "-" + currentLimit;
  record.texts.currMax = currentLimit;
  XYFactors(record);
  runToEnd(session);
  port.Close();
  ASSERT_EQ(record.document.pointIndex, record.params.pulseNumber - 1);
  ASSERT_TRUE(saveMeasurementFile(record, path, &error)) << error.toStdString();
}

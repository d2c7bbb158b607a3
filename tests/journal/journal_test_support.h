#pragma once
// Runs and journals shared by the journal tests.

#include <gtest/gtest.h>

#include <QByteArray>
#include <QFile>
#include <QString>
#include <cmath>
#include <cstring>
#include <limits>
#include <vector>

#include "core/measurement_record.h"
#include "factory_texts.h"
#include "graph/scaling.h"
#include "journal/journal_record.h"
#include "journal/journal_writer.h"
#include "measurement/parameters.h"

// The record as a run of -500..500 mV at 10 mV/s and 50 ms (2000 points) has
// it, with a description that .dpv lines must carry through unchanged.
inline MeasurementRecord runRecord() {
  MeasurementRecord r;
  r.texts = factoryTexts();
  r.texts.potStart = "-500";
  r.texts.potEnd = "500";
  r.texts.currMin = " -2.5";  // as typed, blank included
  r.texts.currMax = "2.5";
  r.texts.damping = "3";
  r.texts.dampingUnitIndex = 1;  // ms
  PrePotEditChange(r);
  PreTimeEditChange(r);
  XYFactors(r);
  r.document.runDateTime = "3/14/25 9:26 AM";
  r.document.description = {"cell A", "", "[Data]", "ratio=1:2", QStringLiteral("Pt, 25 \u00b0C")};
  r.document.dataSaved = false;
  r.document.askFileName = true;
  return r;
}

// Point values a run might give, with the doubles a text form would round.
inline std::vector<double> runValues(int count) {
  std::vector<double> v(static_cast<size_t>(count));
  for (int i = 0; i < count; ++i) v[i] = 1e-6 * std::sin(0.01 * i) + 1e-9 / 3 * (i % 7);
  const double special[] = {-0.0, std::numeric_limits<double>::denorm_min(), -1.0 / 3.0, 1e300};
  for (size_t i = 0; i < 4 && i < v.size(); ++i) v[i * 5 % v.size()] = special[i];
  return v;
}

// Writes a journal of the run with its first `count` points; the writer's
// failure, if any, goes to `failure`.
inline void writeRunJournal(const QString &path, const MeasurementRecord &record, const std::vector<double> &points,
                            QString *failure = nullptr) {
  JournalWriter writer([failure](const QString &reason) {
    if (failure) *failure = reason;
  });
  writer.start(path, journalHeader(record));
  for (size_t i = 0; i < points.size(); ++i) writer.addPoint(static_cast<int32_t>(i), points[i]);
  writer.finish();
}

inline bool sameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

inline ::testing::AssertionResult samePoints(const std::vector<double> &read, const std::vector<double> &written,
                                             size_t count) {
  if (read.size() != count)
    return ::testing::AssertionFailure() << read.size() << " points read, " << count << " expected";
  for (size_t i = 0; i < count; ++i)
    if (!sameBits(read[i], written[i])) return ::testing::AssertionFailure() << "point " << i << " differs";
  return ::testing::AssertionSuccess();
}

inline QByteArray fileBytes(const QString &path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

inline void putFile(const QString &path, const QByteArray &bytes) {
  QFile f(path);
  if (f.open(QIODevice::WriteOnly | QIODevice::Truncate)) f.write(bytes);
}

#pragma once
// Small hand-made measurement files for the comparison tests.

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QStringList>
#include <ostream>
#include <vector>

#include "core/numbers.h"

// Messages in failure output.
inline std::ostream &operator<<(std::ostream &os, const QString &s) { return os << s.toStdString(); }

// A .dpv file from `start` mV at `speed` mV/s with 50 ms pulses (a step of
// speed / 20 mV), current axis -100..100 in `unit`, damping `damping` %, and
// these values in that unit.
inline QByteArray measurementBytes(double start, double end, double speed, const std::vector<double> &values,
                                   const QString &unit = "uA", const QString &damping = "0") {
  QStringList lines{"[Setup]",
                    "Date time=noon",
                    "C min=-100",
                    "C max=100",
                    "C units=" + unit,
                    "Damping=" + damping,
                    "Damping units=%",
                    "P start=" + formatFixed(start, 3),
                    "P end=" + formatFixed(end, 3),
                    "Sweep speed=" + formatFixed(speed, 3),
                    "Pulse amplitude=50",
                    "Pulse period=50",
                    "Data accumulation=10",
                    "Preelectrolysis time=0",
                    "Preelectrolysis potential=0",
                    "[Info]",
                    "cell one",
                    "[Data]"};
  for (double v : values) lines << formatFixed(v, 6);
  return lines.join("\r\n").toUtf8() + "\r\n";
}

inline void writeFile(const QString &path, const QByteArray &bytes) {
  QFile f(path);
  f.open(QIODevice::WriteOnly);
  f.write(bytes);
}

inline QByteArray fileBytes(const QString &path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

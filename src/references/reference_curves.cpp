#include "references/reference_curves.h"

#include <QFileInfo>
#include <algorithm>

#include "graph/smoothing.h"
#include "references/other_measurement.h"

bool loadReferenceCurve(const MeasurementRecord &current, const QString &path, ReferenceCurve *curve, QString *error) {
  MeasurementRecord file;
  if (!readOtherMeasurement(current, path, &file, error)) return false;
  ReferenceCurve c;
  c.path = QFileInfo(path).absoluteFilePath();
  c.name = QFileInfo(path).fileName();
  c.startPotential = file.params.sweepStart;
  c.step = file.params.pulseStep;
  // The points the graph draws of an opened file: 0 .. pointIndex - 1.
  const int64_t count = std::min<int64_t>(file.document.pointIndex, static_cast<int64_t>(file.document.points.size()));
  DisplaySmoothing smoothing(file);
  for (int64_t i = 0; i < count; ++i)
    c.currents.push_back(smoothing.next(file.document.points[static_cast<size_t>(i)]));
  *curve = std::move(c);
  return true;
}

QStringList ReferenceCurves::paths() const {
  QStringList list;
  for (const ReferenceCurve &c : curves_) list << c.path;
  return list;
}

QString ReferenceCurves::add(const MeasurementRecord &current, const QStringList &paths) {
  QStringList missing, unreadable, beyond;
  for (const QString &path : paths) {
    const QFileInfo file(path);
    if (this->paths().contains(file.absoluteFilePath())) continue;
    if (!file.exists()) {
      missing << file.fileName();
      continue;
    }
    if (static_cast<int>(curves_.size()) >= kMaxReferenceCurves) {
      beyond << file.fileName();
      continue;
    }
    ReferenceCurve curve;
    if (!loadReferenceCurve(current, path, &curve, nullptr)) {
      unreadable << file.fileName();
      continue;
    }
    curves_.push_back(std::move(curve));
  }
  QStringList message;
  const QString separator = QStringLiteral(", ");
  if (!missing.isEmpty()) message << QStringLiteral("Reference curve not found: ") + missing.join(separator);
  if (!unreadable.isEmpty()) message << QStringLiteral("Cannot read reference curve: ") + unreadable.join(separator);
  if (!beyond.isEmpty())
    message << QStringLiteral("At most %1 reference curves are shown; left out: ").arg(kMaxReferenceCurves) +
                   beyond.join(separator);
  return message.join(QStringLiteral(". "));
}

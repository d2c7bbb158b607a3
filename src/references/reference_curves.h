#pragma once
// Reference curves: other measurements shown over the graph for comparison,
// each as its own file draws it (its potentials, its damping). They are only
// displayed; the program's measurement never takes them in.

#include <QString>
#include <QStringList>
#include <vector>

#include "core/measurement_record.h"

// As many as the palette keeps apart.
inline constexpr int kMaxReferenceCurves = 6;

struct ReferenceCurve {
  QString path;                  // absolute
  QString name;                  // the file name, for the legend
  double startPotential = 0;     // V of the first value
  double step = 0;               // V per value
  std::vector<double> currents;  // A, smoothed as the graph draws the file

  double potentialAt(std::size_t i) const { return startPotential + static_cast<double>(i) * step; }
};

// Reads `path` as File > Open would (beside `current`) and smooths the points
// the graph would draw of it with the file's own damping. Returns false with
// the message in `error` when it cannot be read.
bool loadReferenceCurve(const MeasurementRecord &current, const QString &path, ReferenceCurve *curve, QString *error);

class ReferenceCurves {
 public:
  const std::vector<ReferenceCurve> &curves() const { return curves_; }
  bool empty() const { return curves_.empty(); }
  QStringList paths() const;

  // Adds the files in order. A file already shown is not added again; files
  // that are missing, cannot be read or exceed kMaxReferenceCurves are
  // skipped. Returns one message naming the skipped files, or an empty text.
  QString add(const MeasurementRecord &current, const QStringList &paths);
  void clear() { curves_.clear(); }

 private:
  std::vector<ReferenceCurve> curves_;
};

#pragma once
// Blank subtraction: the measurement's points minus a blank measured over
// the same potentials; point by point on the same potential grid, otherwise
// with the blank interpolated linearly at each point's potential.

#include <QString>
#include <optional>
#include <vector>

#include "analysis/curve.h"
#include "core/measurement_record.h"

// The blank's current at the potential of each point of `sample`, or nothing
// when the blank does not cover the sample's potential range (or holds fewer
// than two points).
std::optional<std::vector<double>> blankAtPoints(const Curve &sample, const Curve &blank);

enum class Subtraction { Done, CannotRead, NotCovered };

// Reads the blank file as File > Open would and replaces the stored points
// 0 .. pointIndex of `record` by point minus blank. The result is a new,
// unsaved measurement: its description ends in "Blank subtracted: <name>",
// it has no file name and Save asks for one. Otherwise the record stays as it
// was and `error` says why.
Subtraction subtractBlankFile(MeasurementRecord &record, const QString &blankPath, QString *error);

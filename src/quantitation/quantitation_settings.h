#pragma once
// What the user chooses for a quantitation besides the table.

#include <QString>
#include <optional>

enum class Method { Calibration, StandardAddition };
enum class Weighting { None, InverseSquare };  // 1/x² of the concentration

struct QuantitationSettings {
  // V: the peaks are those nearest this potential; none: the potential of
  // the largest peak of the standards (of the sample, for a standard addition).
  std::optional<double> potential;
  double window = 0.020;  // V either side of that potential
  Weighting weighting = Weighting::None;
};

// "calibration" or "standard addition".
QString methodText(Method method);
// "none" or "1/x2", as the command line takes them.
QString weightingText(Weighting weighting);
bool parseWeighting(const QString &text, Weighting *weighting);

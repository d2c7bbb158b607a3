#include "instrument/sim_options.h"

#include <QStringList>

#include "app/numbers.h"

namespace {

struct Parameter {
  const char *name;
  const char *help;
  double min;  // smallest value accepted
  double max;
  bool minIncluded;
};

const Parameter kParameters[] = {
    {"E0", "formal potential of the couple, V (0.100)", -5, 5, true},
    {"n", "electrons transferred, whole number (1)", 1, 10, true},
    {"C", "bulk concentration of the reduced form, mmol/L (1.2)", 0, 1e6, true},
    {"D", "diffusion coefficient, cm2/s (1e-5)", 0, 1, false},
    {"A", "electrode area, cm2 (0.1)", 0, 1e4, false},
    {"Cdl", "double-layer capacitance, uF (2)", 0, 1e6, true},
    {"Ru", "solution resistance, ohm (100)", 0, 1e9, false},
    {"noise", "current noise, nA rms (20)", 0, 1e9, true},
    {"pnoise", "potential meter noise, mV rms (0.05)", 0, 1e6, true},
    {"rest", "open-circuit rest potential, V (-0.050)", -5, 5, true},
    {"T", "temperature, degrees Celsius (25)", -50, 200, true},
    {"seed", "noise seed, whole number (1)", 0, 1e18, true},
    {"errors", "converter zero and gain errors, 1 on or 0 off (1)", 0, 1, true},
};

void apply(const QString &name, double value, SimOptions *o) {
  SimCellParameters &c = o->cell;
  if (name == QLatin1String("E0")) c.formalPotential = value;
  else if (name == QLatin1String("n")) c.electrons = static_cast<int>(value);
  else if (name == QLatin1String("C")) c.concentration = value;
  else if (name == QLatin1String("D")) c.diffusion = value;
  else if (name == QLatin1String("A")) c.area = value;
  else if (name == QLatin1String("Cdl")) c.doubleLayer = value;
  else if (name == QLatin1String("Ru")) c.resistance = value;
  else if (name == QLatin1String("noise")) c.currentNoise = value;
  else if (name == QLatin1String("pnoise")) c.potentialNoise = value;
  else if (name == QLatin1String("rest")) c.restPotential = value;
  else if (name == QLatin1String("T")) c.temperature = value;
  else if (name == QLatin1String("seed")) c.seed = static_cast<uint64_t>(value);
  else if (name == QLatin1String("errors")) o->converterErrors = value != 0;
}

bool wholeNumberParameter(const QString &name) {
  return name == QLatin1String("n") || name == QLatin1String("seed") || name == QLatin1String("errors");
}

}  // namespace

bool parseSimOptions(const QString &text, SimOptions *options, QString *error) {
  SimOptions result = *options;
  const QStringList pairs = text.split(QLatin1Char(','), Qt::SkipEmptyParts);
  for (const QString &pair : pairs) {
    const int eq = pair.indexOf(QLatin1Char('='));
    const QString name = pair.left(eq).trimmed();
    const Parameter *parameter = nullptr;
    for (const Parameter &p : kParameters)
      if (name.compare(QLatin1String(p.name), Qt::CaseInsensitive) == 0) parameter = &p;
    if (eq < 0 || !parameter) {
      if (error) *error = QStringLiteral("Unknown simulated cell parameter \"%1\"").arg(pair.trimmed());
      return false;
    }
    bool wellFormed = false;
    const double value = readNumber(pair.mid(eq + 1), &wellFormed);
    const bool inRange = (parameter->minIncluded ? value >= parameter->min : value > parameter->min) &&
                         value <= parameter->max;
    const QString canonical = QLatin1String(parameter->name);
    if (!wellFormed || !inRange || (wholeNumberParameter(canonical) && value != static_cast<double>(static_cast<long long>(value)))) {
      if (error) *error = QStringLiteral("Bad value for simulated cell parameter %1: \"%2\"").arg(canonical, pair.mid(eq + 1).trimmed());
      return false;
    }
    apply(canonical, value, &result);
  }
  *options = result;
  return true;
}

QString simOptionsHelp() {
  QString text;
  for (const Parameter &p : kParameters)
    text += QStringLiteral("  %1 %2\n").arg(QLatin1String(p.name), -7).arg(QLatin1String(p.help));
  return text;
}

#include "instrument/sim_options.h"

#include <QStringList>

#include "core/numbers.h"

namespace {

struct Parameter {
  const char *name;
  const char *help;
  double min;  // smallest value accepted
  double max;
  bool minIncluded;
  bool ofCouple;  // each couple has its own; otherwise one for the whole cell
};

const Parameter kParameters[] = {
    {"E0", "formal potential, V (0.100)", -5, 5, true, true},
    {"n", "electrons transferred, whole number (1)", 1, 10, true, true},
    {"C", "bulk reduced form, mmol/L (1.2; 0: none)", 0, 1e6, true, true},
    {"D", "diffusion coefficient, cm2/s (1e-5)", 0, 1, false, true},
    {"A", "electrode area, cm2 (0.1)", 0, 1e4, false, false},
    {"Cdl", "double-layer capacitance, uF (2)", 0, 1e6, true, false},
    {"Ru", "solution resistance, ohm (100)", 0, 1e9, false, false},
    {"noise", "current noise, nA rms (20)", 0, 1e9, true, false},
    {"pnoise", "potential meter noise, mV rms (0.05)", 0, 1e6, true, false},
    {"rest", "open-circuit rest potential, V (-0.050)", -5, 5, true, false},
    {"T", "temperature, degrees Celsius (25)", -50, 200, true, false},
    {"seed", "noise seed, whole number (1)", 0, 1e18, true, false},
    {"errors", "converter zero and gain errors: 1 or 0 (1)", 0, 1, true, false},
};
constexpr int kParameterCount = sizeof(kParameters) / sizeof(kParameters[0]);

void applyToCouple(const QString &name, double value, SimCouple *c) {
  if (name == QLatin1String("E0"))
    c->formalPotential = value;
  else if (name == QLatin1String("n"))
    c->electrons = static_cast<int>(value);
  else if (name == QLatin1String("C"))
    c->concentration = value;
  else if (name == QLatin1String("D"))
    c->diffusion = value;
}

void applyToCell(const QString &name, double value, SimOptions *o) {
  SimCellParameters &c = o->cell;
  if (name == QLatin1String("A"))
    c.area = value;
  else if (name == QLatin1String("Cdl"))
    c.doubleLayer = value;
  else if (name == QLatin1String("Ru"))
    c.resistance = value;
  else if (name == QLatin1String("noise"))
    c.currentNoise = value;
  else if (name == QLatin1String("pnoise"))
    c.potentialNoise = value;
  else if (name == QLatin1String("rest"))
    c.restPotential = value;
  else if (name == QLatin1String("T"))
    c.temperature = value;
  else if (name == QLatin1String("seed"))
    c.seed = static_cast<uint64_t>(value);
  else if (name == QLatin1String("errors"))
    o->converterErrors = value != 0;
}

bool wholeNumberParameter(const QString &name) {
  return name == QLatin1String("n") || name == QLatin1String("seed") || name == QLatin1String("errors");
}

// A name for the whole cell as first given in one couple.
struct CellValue {
  int couple = -1;  // none yet
  double value = 0;
  QString pair;
};

}  // namespace

bool parseSimOptions(const QString &text, SimOptions *options, QString *error) {
  QStringList couples;
  for (const QString &couple : text.split(QLatin1Char(';')))
    if (!couple.trimmed().isEmpty()) couples.append(couple);
  if (couples.isEmpty()) return true;
  SimOptions result = *options;
  result.cell.couples.resize(static_cast<size_t>(couples.size()));
  CellValue given[kParameterCount];
  for (int i = 0; i < couples.size(); ++i) {
    // Which couple a message is about, when there are several.
    const QString where = couples.size() > 1 ? QStringLiteral(" (couple %1)").arg(i + 1) : QString();
    for (const QString &pair : couples[i].split(QLatin1Char(','), Qt::SkipEmptyParts)) {
      const int eq = pair.indexOf(QLatin1Char('='));
      const QString name = pair.left(eq).trimmed();
      int index = -1;
      for (int p = 0; p < kParameterCount; ++p)
        if (name.compare(QLatin1String(kParameters[p].name), Qt::CaseInsensitive) == 0) index = p;
      if (eq < 0 || index < 0) {
        if (error) *error = QStringLiteral("Unknown simulated cell parameter \"%1\"%2").arg(pair.trimmed(), where);
        return false;
      }
      const Parameter &parameter = kParameters[index];
      bool wellFormed = false;
      const double value = readNumber(pair.mid(eq + 1), &wellFormed);
      const bool inRange =
          (parameter.minIncluded ? value >= parameter.min : value > parameter.min) && value <= parameter.max;
      const QString canonical = QLatin1String(parameter.name);
      if (!wellFormed || !inRange ||
          (wholeNumberParameter(canonical) && value != static_cast<double>(static_cast<long long>(value)))) {
        if (error)
          *error = QStringLiteral("Bad value for simulated cell parameter %1: \"%2\"%3")
                       .arg(canonical, pair.mid(eq + 1).trimmed(), where);
        return false;
      }
      if (parameter.ofCouple) {
        applyToCouple(canonical, value, &result.cell.couples[static_cast<size_t>(i)]);
        continue;
      }
      // The cell has one value: two couples must not ask for two.
      CellValue &first = given[index];
      if (first.couple >= 0 && first.couple != i && first.value != value) {
        if (error)
          *error = QStringLiteral(
                       "Simulated cell parameter \"%1\" (couple %2) contradicts \"%3\" (couple %4): "
                       "%5 applies to the whole cell")
                       .arg(pair.trimmed())
                       .arg(i + 1)
                       .arg(first.pair)
                       .arg(first.couple + 1)
                       .arg(canonical);
        return false;
      }
      first = CellValue{i, value, pair.trimmed()};
      applyToCell(canonical, value, &result);
    }
  }
  *options = result;
  return true;
}

QString simOptionsHelp() {
  QString text;
  for (const bool ofCouple : {true, false}) {
    text += ofCouple ? QStringLiteral(" Of each couple:\n") : QStringLiteral(" Of the whole cell:\n");
    for (const Parameter &p : kParameters)
      if (p.ofCouple == ofCouple)
        text += QStringLiteral("  %1 %2\n").arg(QLatin1String(p.name), -7).arg(QLatin1String(p.help));
  }
  return text;
}

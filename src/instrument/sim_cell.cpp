#include "instrument/sim_cell.h"

#include <algorithm>
#include <cmath>

namespace {
constexpr double kFaraday = 96485.33212;
constexpr double kGas = 8.314462618;
constexpr double kPi = 3.14159265358979323846;
constexpr std::size_t kStepReserve = 1 << 16;
// Charging terms older than this many time constants are below any range.
constexpr double kChargingSpan = 40.0;
}  // namespace

SimCell::SimCell(const SimCellParameters &parameters) : p_(parameters), random_(parameters.seed | 1) {
  const double concentration = p_.concentration * 1e-6;  // mol/cm^3
  cottrell_ = p_.electrons * kFaraday * p_.area * concentration * std::sqrt(p_.diffusion / kPi);
  f_ = p_.electrons * kFaraday / (kGas * (p_.temperature + 273.15));
  timeConstant_ = std::max(p_.resistance * p_.doubleLayer * 1e-6, 1e-7);
  steps_.reserve(kStepReserve);
}

double SimCell::surfaceFraction(double potential) const {
  return 1.0 / (1.0 + std::exp(-f_ * (potential - p_.formalPotential)));
}

void SimCell::connect(double t, double potential) {
  steps_.clear();
  connected_ = true;
  potential_ = potential;
  steps_.push_back(Step{t, surfaceFraction(potential), potential - p_.restPotential});
}

void SimCell::disconnect() {
  connected_ = false;
  steps_.clear();
}

void SimCell::setPotential(double t, double potential) {
  if (!connected_ || potential == potential_) return;
  steps_.push_back(Step{t, surfaceFraction(potential) - surfaceFraction(potential_), potential - potential_});
  potential_ = potential;
}

double SimCell::current(double t) {
  double faradaic = 0;
  double charging = 0;
  const double chargingSpan = kChargingSpan * timeConstant_;
  for (auto it = steps_.rbegin(); it != steps_.rend(); ++it) {
    const double age = t - it->time;
    if (age < 0) continue;
    faradaic += it->fraction / std::sqrt(std::max(age, timeConstant_));
    if (age < chargingSpan) charging += it->potential * std::exp(-age / timeConstant_);
  }
  const double noise = p_.currentNoise * 1e-9 * gaussian();
  return cottrell_ * faradaic + charging / p_.resistance + noise;
}

double SimCell::openCircuitPotential() { return p_.restPotential + p_.potentialNoise * 1e-3 * gaussian(); }

double SimCell::gaussian() {
  if (haveSpare_) {
    haveSpare_ = false;
    return spare_;
  }
  auto uniform = [this]() {
    random_ ^= random_ >> 12;
    random_ ^= random_ << 25;
    random_ ^= random_ >> 27;
    return (static_cast<double>((random_ * 0x2545F4914F6CDD1DULL) >> 11) + 0.5) * (1.0 / 9007199254740992.0);
  };
  const double radius = std::sqrt(-2.0 * std::log(uniform()));
  const double angle = 2.0 * kPi * uniform();
  spare_ = radius * std::sin(angle);
  haveSpare_ = true;
  return radius * std::cos(angle);
}

#include "instrument/sim_cell.h"

#include <algorithm>
#include <cmath>

namespace {
constexpr double kFaraday = 96485.33212;
constexpr double kGas = 8.314462618;
constexpr double kPi = 3.14159265358979323846;
}  // namespace

SimCell::SimCell(const SimCellParameters &parameters)
    : p_(parameters),
      timeConstant_(std::max(p_.resistance * p_.doubleLayer * 1e-6, 1e-7)),
      steps_(timeConstant_),
      random_(parameters.seed | 1) {
  const double concentration = p_.concentration * 1e-6;  // mol/cm^3
  cottrell_ = p_.electrons * kFaraday * p_.area * concentration * std::sqrt(p_.diffusion / kPi);
  f_ = p_.electrons * kFaraday / (kGas * (p_.temperature + 273.15));
}

double SimCell::surfaceFraction(double potential) const {
  return 1.0 / (1.0 + std::exp(-f_ * (potential - p_.formalPotential)));
}

void SimCell::connect(double t, double potential) {
  connected_ = true;
  potential_ = potential;
  steps_.clear();
  steps_.add(t, surfaceFraction(potential));
  charge_ = potential - p_.restPotential;
  chargedAt_ = t;
}

void SimCell::disconnect() { connected_ = false; }

void SimCell::setPotential(double t, double potential) {
  if (!connected_ || potential == potential_) return;
  steps_.add(t, surfaceFraction(potential) - surfaceFraction(potential_));
  charge_ = charge_ * std::exp(-std::max(t - chargedAt_, 0.0) / timeConstant_) + (potential - potential_);
  chargedAt_ = t;
  potential_ = potential;
}

double SimCell::current(double t) {
  const double noise = p_.currentNoise * 1e-9 * gaussian();
  if (!connected_) return noise;
  const double charging = charge_ * std::exp(-std::max(t - chargedAt_, 0.0) / timeConstant_);
  return cottrell_ * steps_.sum(t) + charging / p_.resistance + noise;
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

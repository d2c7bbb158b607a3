#include "instrument/sim_cell.h"

#include <algorithm>
#include <cmath>

namespace {
constexpr double kFaraday = 96485.33212;
constexpr double kGas = 8.314462618;
constexpr double kPi = 3.14159265358979323846;
}  // namespace

SimCell::Couple::Couple(const SimCouple &couple, const SimCellParameters &cell, double timeConstant)
    : formalPotential(couple.formalPotential),
      cottrell(couple.electrons * kFaraday * cell.area * couple.concentration * 1e-6 *  // mol/cm^3
               std::sqrt(couple.diffusion / kPi)),
      f(couple.electrons * kFaraday / (kGas * (cell.temperature + 273.15))),
      steps(timeConstant) {}

double SimCell::Couple::surfaceFraction(double potential) const {
  return 1.0 / (1.0 + std::exp(-f * (potential - formalPotential)));
}

SimCell::SimCell(const SimCellParameters &parameters)
    : p_(parameters),
      timeConstant_(std::max(p_.resistance * p_.doubleLayer * 1e-6, 1e-7)),
      random_(parameters.seed | 1) {
  for (const SimCouple &c : p_.couples)
    if (c.concentration > 0) couples_.emplace_back(c, p_, timeConstant_);
}

void SimCell::connect(double t, double potential) {
  connected_ = true;
  potential_ = potential;
  for (Couple &c : couples_) {
    c.steps.clear();
    c.steps.add(t, c.surfaceFraction(potential));
  }
  charge_ = potential - p_.restPotential;
  chargedAt_ = t;
}

void SimCell::disconnect() { connected_ = false; }

void SimCell::setPotential(double t, double potential) {
  if (!connected_ || potential == potential_) return;
  for (Couple &c : couples_) c.steps.add(t, c.surfaceFraction(potential) - c.surfaceFraction(potential_));
  charge_ = charge_ * std::exp(-std::max(t - chargedAt_, 0.0) / timeConstant_) + (potential - potential_);
  chargedAt_ = t;
  potential_ = potential;
}

double SimCell::current(double t) {
  const double noise = p_.currentNoise * 1e-9 * gaussian();
  if (!connected_) return noise;
  double faradaic = 0;
  for (Couple &c : couples_) faradaic += c.cottrell * c.steps.sum(t);
  const double charging = charge_ * std::exp(-std::max(t - chargedAt_, 0.0) / timeConstant_);
  return faradaic + charging / p_.resistance + noise;
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

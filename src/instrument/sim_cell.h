#pragma once
// The electrochemical cell behind the simulated potentiostat: reversible
// couples O + n e = R, each with only R in the bulk, independent of one
// another, on a planar electrode with semi-infinite linear diffusion (equal
// diffusion coefficients for O and R), double-layer charging through the
// solution resistance, and noise. Anodic current is positive.
//
// For a reversible couple the surface fraction of O follows the Nernst
// equation at once, so the faradaic current of any potential history is the
// sum of Cottrell terms of its steps: i(t) = nFAC sqrt(D/pi) sum dP_j /
// sqrt(t - t_j), with P(E) = 1 / (1 + exp(-nF(E - E0)/RT)). The cell time
// constant Ru*Cdl bounds each term at the instant of its step.

#include <cstdint>
#include <vector>

#include "instrument/sim_step_history.h"

struct SimCouple {
  double formalPotential = 0.100;  // E0, V
  int electrons = 1;               // n
  double concentration = 1.2;      // bulk R, mmol/L
  double diffusion = 1e-5;         // cm^2/s
};

struct SimCellParameters {
  std::vector<SimCouple> couples = std::vector<SimCouple>(1);  // one with the defaults
  double area = 0.1;                                           // cm^2
  double doubleLayer = 2.0;                                    // uF
  double resistance = 100.0;                                   // ohm
  double currentNoise = 20.0;                                  // nA rms
  double potentialNoise = 0.05;                                // mV rms, potential meter
  double restPotential = -0.050;                               // V, open circuit
  double temperature = 25.0;                                   // degrees Celsius
  uint64_t seed = 1;
};

class SimCell {
 public:
  explicit SimCell(const SimCellParameters &parameters);

  const SimCellParameters &parameters() const { return p_; }

  // The potentiostat takes the cell over at time `t` (fresh solution).
  void connect(double t, double potential);
  void disconnect();
  void setPotential(double t, double potential);

  // Cell current at `t`, amperes (noise only while disconnected).
  double current(double t);
  // Open-circuit potential with noise, volts.
  double openCircuitPotential();

 private:
  struct Couple {
    Couple(const SimCouple &couple, const SimCellParameters &cell, double timeConstant);
    // Fraction of O at the surface at `potential` (Nernst).
    double surfaceFraction(double potential) const;

    double formalPotential;
    double cottrell;  // nFAC sqrt(D/pi), A s^0.5
    double f;         // nF/RT, 1/V
    SimStepHistory steps;
  };
  double gaussian();

  SimCellParameters p_;
  double timeConstant_;  // Ru Cdl, s
  bool connected_ = false;
  double potential_ = 0;
  // Only the couples that carry current.
  std::vector<Couple> couples_;
  // Sum of the potential steps, each decayed with the cell time constant,
  // as at chargedAt_: the charging current times Ru.
  double charge_ = 0;
  double chargedAt_ = 0;
  uint64_t random_;
  bool haveSpare_ = false;
  double spare_ = 0;
};

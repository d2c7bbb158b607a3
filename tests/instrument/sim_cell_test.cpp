// The simulated cell with several couples: each adds its own faradaic
// current to the one charging current of the cell.

#include <gtest/gtest.h>
#include <cmath>
#include <vector>

#include "instrument/sim_cell.h"

namespace {

SimCellParameters quietCell(const std::vector<SimCouple> &couples) {
  SimCellParameters p;
  p.couples = couples;
  p.currentNoise = 0;
  return p;
}

SimCouple couple(double e0, int n, double c) {
  SimCouple k;
  k.formalPotential = e0;
  k.electrons = n;
  k.concentration = c;
  return k;
}

// The cell's current along a pulsed staircase from -0.2 to 0.5 V.
std::vector<double> currents(const SimCellParameters &p) {
  SimCell cell(p);
  std::vector<double> i;
  cell.connect(0.0, -0.2);
  for (int n = 0; n < 700; ++n) {
    const double t = n * 0.05;
    const double e = -0.2 + n * 0.001;
    cell.setPotential(t, e);
    i.push_back(cell.current(t + 0.02));
    cell.setPotential(t + 0.025, e + 0.01);
    i.push_back(cell.current(t + 0.045));
  }
  return i;
}

}  // namespace

TEST(SimCell, EachCoupleAddsItsOwnFaradaicCurrent) {
  const SimCouple first = couple(0.1, 1, 1.2);
  const SimCouple second = couple(0.35, 2, 0.6);
  const std::vector<double> both = currents(quietCell({first, second}));
  const std::vector<double> onlyFirst = currents(quietCell({first}));
  const std::vector<double> onlySecond = currents(quietCell({second}));
  const std::vector<double> charging = currents(quietCell({couple(0.1, 1, 0)}));
  for (size_t k = 0; k < both.size(); ++k)
    EXPECT_NEAR(both[k], onlyFirst[k] + onlySecond[k] - charging[k], 1e-12 * std::fabs(both[k]) + 1e-18) << k;
  EXPECT_GT(both.back(), onlyFirst.back() * 1.5);  // well past both waves
}

TEST(SimCell, ACoupleWithoutConcentrationAddsNothing) {
  const SimCouple active = couple(0.1, 1, 1.2);
  EXPECT_EQ(currents(quietCell({active, couple(0.3, 2, 0)})), currents(quietCell({active})));
  const std::vector<double> blank = currents(quietCell({couple(0.1, 1, 0)}));
  // Only the charging current of each step, gone well within a period.
  EXPECT_LT(std::fabs(blank.back()), 1e-12);
}

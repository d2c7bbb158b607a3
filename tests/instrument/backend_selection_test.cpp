#include <gtest/gtest.h>

#include "instrument/port_backend.h"
#include "instrument/sim_options.h"
#include "port_fakes.h"

namespace {

// Keeps whatever backend was in place before the test.
class BackendSelection : public ::testing::Test {
 protected:
  ScopedBackend<RecordingPortBackend> guard;
};

}  // namespace

struct SpecCase {
  const char *choice;
  bool accepted;
  const char *descriptionStart;
  bool simulated;
};

class BackendSpecs : public BackendSelection, public ::testing::WithParamInterface<SpecCase> {};

TEST_P(BackendSpecs, ChoosesTheBackendNamedByTheOption) {
  const SpecCase c = GetParam();
  QString error;
  EXPECT_EQ(selectPortBackend(QLatin1String(c.choice), QString(), &error), c.accepted) << c.choice;
  if (!c.accepted) {
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(portBackendDescription(), QStringLiteral("Recording"));  // the old one stays
    return;
  }
  EXPECT_TRUE(portBackendDescription().startsWith(QLatin1String(c.descriptionStart)))
      << portBackendDescription().toStdString();
  EXPECT_EQ(portBackendIsSimulated(), c.simulated);
}

INSTANTIATE_TEST_SUITE_P(
    Specs, BackendSpecs,
    ::testing::Values(SpecCase{"", true, "Simulated instrument", true},
                      SpecCase{"sim", true, "Simulated instrument", true},
                      SpecCase{"sim-fast", true, "Simulated instrument (virtual clock)", true},
                      SpecCase{"none", true, "No instrument", false},
                      SpecCase{"ppdev", true, "Parallel port /dev/parport0 (ppdev)", false},
                      SpecCase{"ppdev:/dev/parport2", true, "Parallel port /dev/parport2", false},
                      SpecCase{"direct", true, "Parallel port at 0x378", false},
                      SpecCase{"direct:0x278", true, "Parallel port at 0x278", false},
                      SpecCase{"direct:lpt", false, "", false}, SpecCase{"serial", false, "", false},
                      SpecCase{"simulator", false, "", false}));

TEST_F(BackendSelection, BadCellParametersAreRefused) {
  QString error;
  EXPECT_FALSE(selectPortBackend(QStringLiteral("sim"), QStringLiteral("E0=0.2,x=1"), &error));
  EXPECT_TRUE(error.contains(QStringLiteral("x=1")));
  EXPECT_FALSE(selectPortBackend(QStringLiteral("sim-fast"), QStringLiteral("n=0"), &error));
  EXPECT_FALSE(selectPortBackend(QStringLiteral("sim-fast"), QStringLiteral("n=1.5"), &error));
  EXPECT_FALSE(selectPortBackend(QStringLiteral("sim-fast"), QStringLiteral("D=abc"), &error));
  EXPECT_TRUE(selectPortBackend(QStringLiteral("sim-fast"), QStringLiteral(" e0 = 0.25 , n=2, noise=0"), &error))
      << error.toStdString();
}

TEST(SimOptionsText, ParsesEveryNamedValue) {
  SimOptions o;
  QString error;
  ASSERT_TRUE(parseSimOptions(
      QStringLiteral("E0=-0.3,n=2,C=0.5,D=2e-5,A=0.07,Cdl=10,Ru=50,noise=5,pnoise=0,rest=0.1,T=37,seed=9,errors=0"), &o,
      &error))
      << error.toStdString();
  EXPECT_DOUBLE_EQ(o.cell.formalPotential, -0.3);
  EXPECT_EQ(o.cell.electrons, 2);
  EXPECT_DOUBLE_EQ(o.cell.concentration, 0.5);
  EXPECT_DOUBLE_EQ(o.cell.diffusion, 2e-5);
  EXPECT_DOUBLE_EQ(o.cell.area, 0.07);
  EXPECT_DOUBLE_EQ(o.cell.doubleLayer, 10);
  EXPECT_DOUBLE_EQ(o.cell.resistance, 50);
  EXPECT_DOUBLE_EQ(o.cell.currentNoise, 5);
  EXPECT_DOUBLE_EQ(o.cell.potentialNoise, 0);
  EXPECT_DOUBLE_EQ(o.cell.restPotential, 0.1);
  EXPECT_DOUBLE_EQ(o.cell.temperature, 37);
  EXPECT_EQ(o.cell.seed, 9u);
  EXPECT_FALSE(o.converterErrors);
  EXPECT_TRUE(simCellHelp().contains(QStringLiteral("E0")));
  EXPECT_TRUE(simCellHelp().contains(QStringLiteral("errors")));
}

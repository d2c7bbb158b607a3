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

INSTANTIATE_TEST_SUITE_P(Specs, BackendSpecs,
                         ::testing::Values(SpecCase{"", true, "Simulated instrument", true},
                                           SpecCase{"sim", true, "Simulated instrument", true},
                                           SpecCase{"sim-fast", true, "Simulated instrument (virtual clock)", true},
                                           SpecCase{"none", true, "No instrument", false},
                                           SpecCase{"ppdev", true, "Parallel port /dev/parport0 (ppdev)", false},
                                           SpecCase{"ppdev:/dev/parport2", true, "Parallel port /dev/parport2", false},
                                           SpecCase{"direct", true, "Parallel port at 0x378", false},
                                           SpecCase{"direct:0x278", true, "Parallel port at 0x278", false},
                                           SpecCase{"direct:lpt", false, "", false},
                                           SpecCase{"serial", false, "", false},
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
  ASSERT_EQ(o.cell.couples.size(), 1u);
  EXPECT_DOUBLE_EQ(o.cell.couples[0].formalPotential, -0.3);
  EXPECT_EQ(o.cell.couples[0].electrons, 2);
  EXPECT_DOUBLE_EQ(o.cell.couples[0].concentration, 0.5);
  EXPECT_DOUBLE_EQ(o.cell.couples[0].diffusion, 2e-5);
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

TEST(SimOptionsText, SemicolonsSeparateCouplesAndCellNamesStandAnywhere) {
  SimOptions o;
  QString error;
  ASSERT_TRUE(parseSimOptions(QStringLiteral("E0=0.1,n=1,C=1.2,noise=0 ; E0=0.35,n=2,C=0.6,Ru=50,D=2e-5;"), &o, &error))
      << error.toStdString();
  ASSERT_EQ(o.cell.couples.size(), 2u);  // the empty text after the last ";" is no couple
  EXPECT_DOUBLE_EQ(o.cell.couples[0].formalPotential, 0.1);
  EXPECT_DOUBLE_EQ(o.cell.couples[0].diffusion, 1e-5);
  EXPECT_DOUBLE_EQ(o.cell.couples[1].formalPotential, 0.35);
  EXPECT_EQ(o.cell.couples[1].electrons, 2);
  EXPECT_DOUBLE_EQ(o.cell.couples[1].concentration, 0.6);
  EXPECT_DOUBLE_EQ(o.cell.couples[1].diffusion, 2e-5);
  EXPECT_DOUBLE_EQ(o.cell.currentNoise, 0);
  EXPECT_DOUBLE_EQ(o.cell.resistance, 50);

  // A couple that names nothing of its own is a couple with the defaults.
  SimOptions d;
  ASSERT_TRUE(parseSimOptions(QStringLiteral("seed=4;E0=-0.2"), &d, &error)) << error.toStdString();
  ASSERT_EQ(d.cell.couples.size(), 2u);
  EXPECT_DOUBLE_EQ(d.cell.couples[0].formalPotential, 0.100);
  EXPECT_EQ(d.cell.couples[0].electrons, 1);
  EXPECT_DOUBLE_EQ(d.cell.couples[0].concentration, 1.2);
  EXPECT_DOUBLE_EQ(d.cell.couples[1].formalPotential, -0.2);
  EXPECT_EQ(d.cell.seed, 4u);
  EXPECT_TRUE(simCellHelp().contains(QStringLiteral("E0=0.1,n=1,C=1.2;E0=0.35,n=2,C=0.6")));
}

TEST(SimOptionsText, ErrorsNameThePairAndItsCouple) {
  SimOptions o;
  QString error;
  EXPECT_FALSE(parseSimOptions(QStringLiteral("E0=0.1;E0=0.3,n=0"), &o, &error));
  EXPECT_TRUE(error.contains(QStringLiteral("n: \"0\""))) << error.toStdString();
  EXPECT_TRUE(error.contains(QStringLiteral("couple 2"))) << error.toStdString();
  EXPECT_FALSE(parseSimOptions(QStringLiteral("E0=0.1,x=1;E0=0.3"), &o, &error));
  EXPECT_TRUE(error.contains(QStringLiteral("\"x=1\" (couple 1)"))) << error.toStdString();
  EXPECT_EQ(o.cell.couples.size(), 1u);  // a refused text changes nothing
  // With one couple the messages stay as they were.
  EXPECT_FALSE(parseSimOptions(QStringLiteral("C=-1"), &o, &error));
  EXPECT_EQ(error, QStringLiteral("Bad value for simulated cell parameter C: \"-1\""));
}

TEST(SimOptionsText, ANameOfTheWholeCellHasOneValue) {
  SimOptions o;
  QString error;
  // Two couples asking for two noise levels: the cell has one.
  EXPECT_FALSE(parseSimOptions(QStringLiteral("E0=0.1,noise=0;E0=0.3,noise=5"), &o, &error));
  EXPECT_TRUE(error.contains(QStringLiteral("\"noise=5\" (couple 2)"))) << error.toStdString();
  EXPECT_TRUE(error.contains(QStringLiteral("\"noise=0\" (couple 1)"))) << error.toStdString();
  EXPECT_FALSE(parseSimOptions(QStringLiteral("T=25;T=25.0;T=30"), &o, &error));
  // The same value again is no contradiction, and within one couple the last holds.
  ASSERT_TRUE(parseSimOptions(QStringLiteral("E0=0.1,noise=0;E0=0.3,noise=0.0"), &o, &error)) << error.toStdString();
  ASSERT_TRUE(parseSimOptions(QStringLiteral("noise=3,E0=0.1,E0=0.2,noise=1;E0=0.3,noise=1"), &o, &error))
      << error.toStdString();
  EXPECT_DOUBLE_EQ(o.cell.currentNoise, 1);
  EXPECT_DOUBLE_EQ(o.cell.couples[0].formalPotential, 0.2);
}

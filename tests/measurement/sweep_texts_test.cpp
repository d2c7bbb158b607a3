// The run's check judges the texts to be measured: SetParameters keeps the
// last good speed and period when the texts give none.
#include <gtest/gtest.h>

#include "factory_texts.h"
#include "graph/scaling.h"
#include "measurement/run_plan.h"

TEST(SweepTexts, ASpeedOrPeriodNotAbove0IsRefusedByName) {
  MeasurementRecord r;
  r.texts = factoryTexts();
  r.texts.potStart = "-100";
  r.texts.potEnd = "100";
  XYFactors(r);
  ASSERT_EQ(sweepProblem(r), QString());
  const struct {
    QString ParameterTexts::*field;
    const char *text, *named;
  } cases[] = {{&ParameterTexts::sweep, "0", "sweep speed"},
               {&ParameterTexts::sweep, "-10", "sweep speed"},
               {&ParameterTexts::sweep, "", "sweep speed"},
               {&ParameterTexts::sweep, "1e999", "sweep speed"},
               {&ParameterTexts::period, "0", "pulse period"},
               {&ParameterTexts::period, "-50", "pulse period"},
               {&ParameterTexts::amplitude, "1e999", "pulse amplitude"},
               {&ParameterTexts::preTime, "1e999", "preelectrolysis time"},
               {&ParameterTexts::accumulation, "-1e999", "data accumulation"}};
  for (const auto &c : cases) {
    MeasurementRecord changed = r;
    changed.texts.*c.field = c.text;
    XYFactors(changed);
    EXPECT_GT(changed.params.sweepSpeed, 0) << c.text;  // left from the good texts
    const QString problem = sweepProblem(changed);
    EXPECT_TRUE(problem.contains(c.named)) << c.text << ": " << problem.toStdString();
    EXPECT_TRUE(problem.contains(QString("\"%1\"").arg(c.text))) << problem.toStdString();
  }
}

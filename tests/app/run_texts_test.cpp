// Run judges the parameter texts it is about to measure, not the numbers left
// from earlier texts.
#include <gtest/gtest.h>

#include <QAction>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "app/ui/program_windows.h"
#include "app/ui/sdimain.h"
#include "core/app_paths.h"
#include "instrument/port_backend.h"
#include "modal_answer.h"
#include "qstring_print.h"

TEST(RunTexts, RunRefusesASpeedOrPeriodNotAbove0) {
  QTemporaryDir folder;
  setProgramFolder(folder.path());
  QString error;
  ASSERT_TRUE(selectPortBackend("sim-fast", QString(), &error)) << error.toStdString();
  const struct {
    const char *speed, *period, *named, *shown;
  } cases[] = {{"0", "50", "sweep speed", "\"0\""},
               {"-10", "50", "sweep speed", "\"-10\""},
               {"100", "0", "pulse period", "\"0\""},
               {"100", "-5", "pulse period", "\"-5\""}};
  for (const auto &c : cases) {
    ProgramWindows windows;
    TSDIAppForm &w = windows.mainWindow();
    w.PotStartEdit->setText("-100");
    w.PotEndEdit->setText("100");
    w.SweepEdit->setText("100");  // a good speed and period first, as the settings give
    w.SweepEdit->setText(c.speed);
    w.PulsePeriodEdit->setText(c.period);
    w.show();
    QString text;
    auto shown = answerMessageBox(QMessageBox::Ok, &text);
    w.Run1->trigger();
    ASSERT_TRUE(QTest::qWaitFor([&] { return *shown; }, 5000)) << c.speed << " " << c.period;
    EXPECT_TRUE(text.startsWith("The measurement cannot start.")) << text.toStdString();
    EXPECT_TRUE(text.contains(c.named)) << text.toStdString();
    EXPECT_TRUE(text.contains(c.shown)) << text.toStdString();  // the text as typed
    EXPECT_FALSE(w.Timer1->isActive());
    EXPECT_TRUE(w.Run1->isEnabled());
    w.BitBtnStopClick();
  }
  setProgramFolder(QString());
}

// A run as the user starts and stops it from the menu, in real time on the
// simulated instrument: the sampling's priority while it goes on, the
// summary when it ends, and a Stop that leaves the cell off at once.
#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QStatusBar>
#include <QTest>
#include <QTimer>

#include "app/ui/program_windows.h"
#include "app/ui/sdimain.h"
#include "instrument/port_backend.h"
#include "program_folder_test.h"
#include "qstring_print.h"

namespace {

class RunWindow : public ProgramFolderTest {
 protected:
  void SetUp() override {
    ProgramFolderTest::SetUp();
    QString error;
    ASSERT_TRUE(selectPortBackend("sim", QString(), &error)) << error.toStdString();
  }
  // -100 mV upwards in 1 mV steps of 10 ms.
  static void setSweep(TSDIAppForm &w, int points) {
    w.PotStartEdit->setText("-100");
    w.PotEndEdit->setText(QString::number(-100 + points));
    w.SweepEdit->setText("100");
    w.PulsePeriodEdit->setText("10");
    w.show();
    ASSERT_EQ(w.record().params.pulseNumber, points);
  }
};

const QRegularExpression kSummary(QStringLiteral(
    "^Measurement ended: (\\d+) points, \\d+ invalid, \\d+ without samples, [0-9.]+ readings per point"));

}  // namespace

TEST_F(RunWindow, TheStatusBarShowsThePriorityDuringTheRunAndTheSummaryAfterIt) {
  ProgramWindows windows;
  TSDIAppForm &w = windows.mainWindow();
  setSweep(w, 40);
  // Made at the first run, not at the start; it stands before the backend's label.
  EXPECT_EQ(w.RunPriority, nullptr);
  w.Run1->trigger();
  ASSERT_NE(w.RunPriority, nullptr);
  EXPECT_TRUE(w.RunPriority->isVisible());
  for (QLabel *label : w.statusBar()->findChildren<QLabel *>())
    if (label->text().startsWith(QStringLiteral("Simulated instrument")))
      EXPECT_LE(w.RunPriority->geometry().right(), label->geometry().left());
  EXPECT_TRUE(w.RunPriority->text() == "real-time priority" ||
              w.RunPriority->text() == "normal priority: points may be lost under load")
      << w.RunPriority->text().toStdString();
  ASSERT_TRUE(QTest::qWaitFor([&] { return w.Run1->isEnabled(); }, 10000));
  const QRegularExpressionMatch m = kSummary.match(w.statusBar()->currentMessage());
  ASSERT_TRUE(m.hasMatch()) << w.statusBar()->currentMessage().toStdString();
  EXPECT_EQ(m.captured(1), "40");
  EXPECT_FALSE(w.RunPriority->isVisible());
  EXPECT_EQ(w.record().document.pointIndex, 39);
  EXPECT_EQ(w.record().runState, RunIdle);
}

TEST_F(RunWindow, StopFromTheMenuEndsTheRunAtOnceAndNothingFollows) {
  ProgramWindows windows;
  TSDIAppForm &w = windows.mainWindow();
  setSweep(w, 3000);
  w.Run1->trigger();
  ASSERT_TRUE(QTest::qWaitFor([&] { return w.record().document.pointIndex > 5; }, 10000));
  EXPECT_TRUE(w.Stop1->isEnabled());
  w.Stop1->trigger();
  EXPECT_EQ(w.record().runState, RunIdle);
  EXPECT_TRUE(w.Run1->isEnabled());
  EXPECT_FALSE(w.Stop1->isEnabled());
  EXPECT_FALSE(w.Timer1->isActive());
  const int32_t stoppedAt = w.record().document.pointIndex;
  const QRegularExpressionMatch m = kSummary.match(w.statusBar()->currentMessage());
  ASSERT_TRUE(m.hasMatch()) << w.statusBar()->currentMessage().toStdString();
  // Every point taken is counted, and no point comes after the stop.
  EXPECT_EQ(m.captured(1).toInt(), stoppedAt);
  QTest::qWait(200);
  EXPECT_EQ(w.record().document.pointIndex, stoppedAt);
  for (size_t i = static_cast<size_t>(stoppedAt); i < w.record().document.points.size(); ++i)
    ASSERT_EQ(w.record().document.points[i], 0.0) << i;
}

TEST_F(RunWindow, WindowsGoneDuringARunEndTheRunBeforeTheInstrument) {
  auto windows = std::make_unique<ProgramWindows>();
  TSDIAppForm &w = windows->mainWindow();
  setSweep(w, 3000);
  w.Run1->trigger();
  ASSERT_TRUE(QTest::qWaitFor([&] { return w.record().document.pointIndex > 3; }, 10000));
  w.record().document.dataSaved = true;
  windows.reset();  // the device window, which owns the instrument, goes before the main window
  SUCCEED();
}

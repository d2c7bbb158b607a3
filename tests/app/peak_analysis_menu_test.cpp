// Work > Peak analysis as a user reaches it: the table beside the graph
// follows File > Open, the settings come from and go back to marelt.ini,
// and the measurement file stays as it was.
#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QTest>

#include "analysis/ui/peak_table_view.h"
#include "app/ui/program_windows.h"
#include "app/ui/sdimain.h"
#include "core/app_paths.h"
#include "files/files_test_support.h"
#include "files/ui/file_commands.h"
#include "graph/peak_marks.h"
#include "graph/ui/graph_view.h"
#include "graph/ui/peak_analysis_view.h"
#include "instrument/port_backend.h"
#include "two_peaks.h"

namespace {

QAction *menuItem(TSDIAppForm &w, const QString &menu, const QString &item) {
  for (QAction *m : w.menuBar()->actions())
    if (m->text() == menu)
      for (QAction *a : m->menu()->actions())
        if (a->text() == item) return a;
  return nullptr;
}

class PeakAnalysisMenu : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(folder.isValid());
    setProgramFolder(folder.path());
    QString error;
    ASSERT_TRUE(selectPortBackend("sim-fast", QString(), &error)) << error.toStdString();
    writeBytes(path("two.dpv"), twoPeakMeasurement());
    // The second peak alone: the data from 150 mV on, as a sweep from there.
    QByteArray one = twoPeakMeasurement();
    const int data = one.indexOf("[Data]\r\n") + 8;
    QList<QByteArray> values = one.mid(data).split('\n').mid(350);
    one = one.left(data).replace("P start=-200", "P start=150");
    for (const QByteArray &v : values) one += v + (v.isEmpty() ? "" : "\n");
    writeBytes(path("one.dpv"), one);
  }
  void TearDown() override { setProgramFolder(QString()); }

  QString path(const QString &name) const { return folder.filePath(name); }
  void open(TSDIAppForm &w, const QString &name) {
    answerModal<QFileDialog>([=](QFileDialog *dialog) {
      typeFileName(dialog, path(name));
      QMetaObject::invokeMethod(dialog, "accept");
    });
    w.FileOpen1->trigger();
    ASSERT_EQ(w.record().document.dataFileName, path(name));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !w.graph->redrawPending(); }));
  }

  QTemporaryDir folder;
};

}  // namespace

TEST_F(PeakAnalysisMenu, TheTableBesideTheGraphFollowsOpen) {
  ProgramWindows windows;
  TSDIAppForm &w = windows.mainWindow();
  w.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
  QAction *item = menuItem(w, "&Work", "&Peak analysis");
  ASSERT_NE(item, nullptr);
  EXPECT_EQ(item, w.PeakAnalysis1);
  // The table is made when first shown, so the start never waits for it.
  EXPECT_EQ(w.findChild<PeakTableView *>(), nullptr);
  open(w, "two.dpv");

  item->trigger();
  EXPECT_TRUE(item->isChecked());
  PeakTableView *table = w.findChild<PeakTableView *>();
  ASSERT_NE(table, nullptr);
  ASSERT_TRUE(table->isVisible());
  // Beside the graph, as high as it is.
  EXPECT_GE(table->mapTo(&w, QPoint(0, 0)).x(), w.graph->mapTo(&w, QPoint(w.graph->width(), 0)).x());
  EXPECT_EQ(table->height(), w.graph->height());
  ASSERT_EQ(table->rowCount(), 2);
  EXPECT_EQ(table->item(0, 1)->text(), "50.00");
  EXPECT_EQ(table->item(1, 1)->text(), "300.00");

  open(w, "one.dpv");
  ASSERT_EQ(table->rowCount(), 1);
  EXPECT_EQ(table->item(0, 1)->text(), "300.00");

  item->trigger();
  EXPECT_FALSE(item->isChecked());
  EXPECT_FALSE(table->isVisible());
  w.closeUnasked();
}

TEST_F(PeakAnalysisMenu, AMovedBaselineIsNeverSavedIntoTheFile) {
  ProgramWindows windows;
  TSDIAppForm &w = windows.mainWindow();
  w.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
  open(w, "two.dpv");
  ASSERT_TRUE(w.fileCommands().saveFile(path("plain.dpv")));
  w.PeakAnalysis1->trigger();
  const Peak peak = w.peakAnalysis->peaks()[0];
  QWidget *plot = w.graph->plotArea();
  const QPoint end = plotPixel(w.record(), peak.low.potential, peak.low.current);
  QTest::mousePress(plot, Qt::LeftButton, {}, end);
  QTest::mouseMove(plot, end + QPoint(15, 0));
  QTest::mouseRelease(plot, Qt::LeftButton, {}, end + QPoint(15, 0));
  ASSERT_GT(w.peakAnalysis->peaks()[0].low.potential, peak.low.potential);
  ASSERT_TRUE(w.fileCommands().saveFile(path("analysed.dpv")));
  EXPECT_EQ(readBytes(path("analysed.dpv")), readBytes(path("plain.dpv")));
  w.closeUnasked();
}

TEST_F(PeakAnalysisMenu, SettingsAreReadAtStartAndWrittenAtExit) {
  writeBytes(path("marelt.ini"), "[Analysis]\r\nMaximum width=70\r\nBaseline=Valleys\r\n");
  {
    ProgramWindows windows;
    TSDIAppForm &w = windows.mainWindow();
    w.show();
    EXPECT_EQ(w.peakAnalysis->settings().baseline, BaselineKind::Valleys);
    open(w, "two.dpv");
    w.PeakAnalysis1->trigger();
    // The 80 mV wide peak is beyond the maximum.
    ASSERT_EQ(w.peakAnalysis->table()->rowCount(), 1);
    EXPECT_EQ(w.peakAnalysis->table()->item(0, 1)->text(), "300.00");
    w.closeUnasked();
  }
  const QString ini = QString::fromUtf8(readBytes(path("marelt.ini")));
  for (const char *line : {"[Analysis]\r\n", "Smoothing=15\r\n", "Threshold=10\r\n", "Minimum width=10\r\n",
                           "Maximum width=70\r\n", "Baseline=Valleys\r\n"})
    EXPECT_TRUE(ini.contains(line)) << line << "\n" << ini.toStdString();
}

TEST_F(PeakAnalysisMenu, ANewRunIsAnalysedWhenItEnds) {
  ProgramWindows windows;
  TSDIAppForm &w = windows.mainWindow();
  open(w, "two.dpv");
  w.show();
  w.PeakAnalysis1->trigger();
  ASSERT_EQ(w.peakAnalysis->table()->rowCount(), 2);
  // 40 points of 15 mV over the simulated couple at 100 mV.
  w.CurrMinEdit->setText("-20");
  w.CurrMaxEdit->setText("100");
  w.PotStartEdit->setText("-200");
  w.PotEndEdit->setText("400");
  w.SweepEdit->setText("300");
  // In real time, so the run is seen going on.
  QString error;
  ASSERT_TRUE(selectPortBackend("sim", QString(), &error)) << error.toStdString();
  w.Run1->trigger();
  ASSERT_TRUE(w.Stop1->isEnabled());
  // The run starts on an empty graph: no peaks while it measures.
  EXPECT_EQ(w.peakAnalysis->table()->rowCount(), 0);
  ASSERT_TRUE(QTest::qWaitFor([&] { return w.Run1->isEnabled(); }, 20000));
  ASSERT_EQ(w.peakAnalysis->table()->rowCount(), 1);
  EXPECT_NEAR(w.peakAnalysis->table()->item(0, 1)->text().toDouble(), 75, 15);
  w.closeUnasked();
}

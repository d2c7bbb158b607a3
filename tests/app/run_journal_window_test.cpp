// The run journal as the user meets it in the window: every run is journaled
// from its start; the journal goes once the measurement is saved or given up,
// never during the run; a run never saved is offered back at the next start.
#include <gtest/gtest.h>
#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <cstring>

#include "qstring_print.h"

#include "app/ui/program_windows.h"
#include "app/ui/sdimain.h"
#include "core/app_paths.h"
#include "files/files_test_support.h"
#include "graph/ui/graph_view.h"
#include "instrument/port_backend.h"
#include "journal/journal_reader.h"
#include "modal_answer.h"

namespace {

void answerFileDialog(const QString &name) {
  answerModal<QFileDialog>([=](QFileDialog *dialog) {
    typeFileName(dialog, name);
    QMetaObject::invokeMethod(dialog, "accept");
  });
}

bool sameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

class RunJournalWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(folder_.isValid());
    setProgramFolder(folder_.path());
    QString error;
    ASSERT_TRUE(selectPortBackend("sim-fast", QString(), &error)) << error.toStdString();
  }
  void TearDown() override { setProgramFolder(QString()); }

  QString journal() const { return folder_.filePath("run.journal"); }

  // Parameters of a sweep of `points` points at 50 ms, shown once drawn.
  static void setSweep(TSDIAppForm &w, int points) {
    QSignalSpy drawn(w.graph, &GraphView::graphDrawn);
    w.CurrMinEdit->setText("-20");
    w.CurrMaxEdit->setText("100");
    w.PotStartEdit->setText("-200");
    w.PotEndEdit->setText(QString::number(-200 + points * 30));
    w.SweepEdit->setText("600");
    w.show();
    ASSERT_TRUE(QTest::qWaitFor([&] { return drawn.count() > 0; }));
    ASSERT_EQ(w.record().params.pulseNumber, points);
  }
  // A whole run of the window.
  static void runToEnd(TSDIAppForm &w) {
    w.Run1->trigger();
    ASSERT_TRUE(QTest::qWaitFor([&] { return w.Run1->isEnabled(); }, 20000));
  }

  QTemporaryDir folder_;
};

}  // namespace

TEST_F(RunJournalWindow, ARunIsJournaledAndASaveAfterItRemovesTheJournal) {
  ProgramWindows windows;
  TSDIAppForm &w = windows.mainWindow();
  setSweep(w, 20);
  runToEnd(w);
  const MeasurementRecord &r = w.record();
  const JournalContents c = readJournal(journal());
  ASSERT_EQ(c.status, JournalContents::Status::Found) << c.error.toStdString();
  EXPECT_EQ(c.header.dateTime, r.document.runDateTime);
  EXPECT_EQ(c.header.pointCount, 20);
  ASSERT_EQ(c.points.size(), 20u);
  for (size_t i = 0; i < 20; ++i) EXPECT_TRUE(sameBits(c.points[i], r.document.points[i])) << i;

  answerFileDialog(folder_.filePath("run.dpv"));
  w.FileSave1->trigger();
  ASSERT_TRUE(r.document.dataSaved);
  EXPECT_FALSE(QFileInfo::exists(journal()));
  w.FileExit1->trigger();
  EXPECT_FALSE(QFileInfo::exists(journal()));
}

TEST_F(RunJournalWindow, ASaveOrANoDuringTheRunKeepsItsJournal) {
  // In real time, so the run is still going when the questions are answered.
  QString error;
  ASSERT_TRUE(selectPortBackend("sim", QString(), &error)) << error.toStdString();
  ProgramWindows windows;
  TSDIAppForm &w = windows.mainWindow();
  setSweep(w, 1000);
  const MeasurementRecord &r = w.record();
  w.Run1->trigger();
  ASSERT_TRUE(QTest::qWaitFor([&] { return r.document.pointIndex > 5; }));
  answerFileDialog(folder_.filePath("early.dpv"));
  w.FileSave1->trigger();
  ASSERT_TRUE(QFileInfo::exists(folder_.filePath("early.dpv")));
  ASSERT_TRUE(w.Stop1->isEnabled());
  EXPECT_TRUE(QFileInfo::exists(journal()));
  ASSERT_TRUE(QTest::qWaitFor([&] { return !r.document.dataSaved; }));  // the points after the save
  auto asked = answerMessageBox(QMessageBox::No);
  w.FileNew1->trigger();  // New does not stop the run
  ASSERT_TRUE(*asked);
  ASSERT_TRUE(w.Stop1->isEnabled());
  EXPECT_TRUE(QFileInfo::exists(journal()));
  ASSERT_TRUE(QTest::qWaitFor([&] { return r.document.pointIndex > 20; }));
  w.Stop1->trigger();
  const int32_t completed = w.record().document.pointIndex;  // the point in progress was not completed
  const JournalContents c = readJournal(journal());
  ASSERT_EQ(c.status, JournalContents::Status::Found) << c.error.toStdString();
  ASSERT_EQ(c.points.size(), static_cast<size_t>(completed));
  for (int32_t i = 0; i < completed; ++i) EXPECT_TRUE(sameBits(c.points[i], r.document.points[i])) << i;

  // After the run: Cancel keeps the journal, No gives the measurement up.
  answerMessageBox(QMessageBox::Cancel);
  w.FileNew1->trigger();
  EXPECT_TRUE(QFileInfo::exists(journal()));
  answerMessageBox(QMessageBox::No);
  w.FileNew1->trigger();
  EXPECT_FALSE(QFileInfo::exists(journal()));
}

// A program that ends without a save (a kill leaves the journal as the run
// wrote it up to then) offers the run at the next start.
TEST_F(RunJournalWindow, TheNextStartRestoresAJournaledRunAsTheUnsavedMeasurement) {
  QTemporaryDir killed;
  std::vector<double> points;
  QString dateTime;
  size_t journaled = 0;
  {
    ProgramWindows windows;
    TSDIAppForm &w = windows.mainWindow();
    setSweep(w, 1000);
    w.Memo1->setPlainText("cell B\nsecond line");
    w.Run1->trigger();
    ASSERT_TRUE(QTest::qWaitFor([&] { return w.record().document.pointIndex > 30; }));
    // What a kill at this moment leaves.
    ASSERT_TRUE(QFile::copy(journal(), killed.filePath("run.journal")));
    w.Stop1->trigger();
    points = w.record().document.points;
    dateTime = w.record().document.runDateTime;
    journaled = readJournal(killed.filePath("run.journal")).points.size();
    ASSERT_GT(journaled, 30u);
    w.closeUnasked();
  }
  setProgramFolder(killed.path());
  ProgramWindows windows;
  TSDIAppForm &w = windows.mainWindow();
  w.show();
  QSignalSpy drawn(w.graph, &GraphView::graphDrawn);
  QString question;
  auto asked = answerMessageBox(QMessageBox::Yes, &question);
  w.offerJournaledRun();
  ASSERT_TRUE(*asked);
  EXPECT_EQ(question,
            QStringLiteral("A measurement of %1 was not saved (%2 points). Restore it?").arg(dateTime).arg(journaled));
  const MeasurementRecord &r = w.record();
  EXPECT_EQ(r.document.pointIndex, static_cast<int32_t>(journaled) - 1);
  for (size_t i = 0; i < journaled; ++i) EXPECT_TRUE(sameBits(r.document.points[i], points[i])) << i;
  EXPECT_FALSE(r.document.dataSaved);
  EXPECT_EQ(r.document.runDateTime, dateTime);
  EXPECT_EQ(w.RunTimeInfo->text(), "Run time: " + dateTime);
  EXPECT_EQ(w.Memo1->toPlainText(), "cell B\nsecond line");
  EXPECT_EQ(w.PotEndEdit->text(), "29800");
  EXPECT_EQ(w.windowTitle(), kTitle);
  ASSERT_TRUE(QTest::qWaitFor([&] { return drawn.count() > 0; }));
  EXPECT_TRUE(QFileInfo::exists(killed.filePath("run.journal")));  // until it is saved or given up

  // Exit asks; No gives the restored measurement up.
  answerMessageBox(QMessageBox::No);
  w.FileExit1->trigger();
  EXPECT_FALSE(QFileInfo::exists(killed.filePath("run.journal")));
}

TEST_F(RunJournalWindow, ARunNotRestoredIsDeletedOnlyAfterASecondQuestion) {
  {
    ProgramWindows windows;
    TSDIAppForm &w = windows.mainWindow();
    setSweep(w, 20);
    runToEnd(w);
    w.closeUnasked();
  }
  ASSERT_TRUE(QFileInfo::exists(journal()));
  for (const QMessageBox::StandardButton second : {QMessageBox::No, QMessageBox::Yes}) {
    ProgramWindows windows;
    TSDIAppForm &w = windows.mainWindow();
    QString text;
    auto secondAsked = std::make_shared<std::shared_ptr<bool>>();
    answerModal<QMessageBox>([&](QMessageBox *first) {
      *secondAsked = answerMessageBox(second, &text);
      first->button(QMessageBox::No)->click();
    });
    w.offerJournaledRun();
    ASSERT_TRUE(*secondAsked && **secondAsked);
    EXPECT_EQ(text, "The measurement will be lost. Delete it?");
    EXPECT_TRUE(w.record().document.dataSaved);  // nothing was loaded
    EXPECT_EQ(QFileInfo::exists(journal()), second == QMessageBox::No);
    w.closeUnasked();
  }
  // Without a journal the start asks nothing.
  ProgramWindows windows;
  TSDIAppForm &w = windows.mainWindow();
  auto asked = answerMessageBox(QMessageBox::Yes);
  w.offerJournaledRun();
  QTest::qWait(100);
  EXPECT_FALSE(*asked);
  w.closeUnasked();
}

TEST_F(RunJournalWindow, AJournalThatCannotBeWrittenIsToldOnceAndTheRunGoesOn) {
  ASSERT_TRUE(QDir(folder_.path()).mkdir("run.journal"));  // where the file should go
  ProgramWindows windows;
  TSDIAppForm &w = windows.mainWindow();
  setSweep(w, 20);
  QStringList told;
  QObject::connect(w.statusBar(), &QStatusBar::messageChanged, [&told](const QString &message) {
    if (message.startsWith("Run not journaled")) told << message;
  });
  runToEnd(w);
  EXPECT_EQ(told, QStringList{"Run not journaled: Is a directory"});
  EXPECT_EQ(w.record().document.pointIndex, 19);
  w.closeUnasked();
}

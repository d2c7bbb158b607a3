// The rows list of the data text view: a row edited by hand is copied and
// written as it stands, and the next refresh brings the formatted rows back.
#include <gtest/gtest.h>

#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include "core/app_paths.h"
#include "files/ui/viewdta.h"
#include "files_test_support.h"

namespace {

class DataRowsViewTest : public ::testing::Test {
 protected:
  void SetUp() override {
    setProgramFolder(folder.path());
    record.params.currDigits = 2;
    record.resizePoints(record.params.pulseNumber);
    for (int i = 0; i < record.params.pulseNumber; ++i) record.document.points[i] = i * 1e-6;
    record.document.pointIndex = record.params.pulseNumber - 1;
  }
  void TearDown() override { setProgramFolder(QString()); }

  QTemporaryDir folder;
  MeasurementRecord record = sampleRecord();
};

}  // namespace

TEST_F(DataRowsViewTest, HandEditOfARowIsCopiedUntilTheNextRefresh) {
  TViewdata view(record);
  view.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
  const QString formatted = view.Memo1->toPlainText();
  ASSERT_TRUE(formatted.startsWith("0\t0.000\t-0.5000\t0.000\n1\t0.050\t-0.4995\t1.000\n"));
  EXPECT_EQ(formatted.count('\n'), record.document.pointIndex);

  // The user types over row 1 and presses Enter.
  const QModelIndex row1 = view.Memo1->model()->index(1, 0);
  view.Memo1->setCurrentIndex(row1);
  view.Memo1->setFocus();
  QTest::keyClick(view.Memo1, Qt::Key_F2);
  auto *editor = view.Memo1->findChild<QLineEdit *>();
  ASSERT_NE(editor, nullptr);
  editor->selectAll();
  QTest::keyClicks(editor, "my value");
  QTest::keyClick(editor, Qt::Key_Return);
  // The list commits the edit once the editor has had the key.
  ASSERT_TRUE(QTest::qWaitFor([&] { return row1.data().toString() == "my value"; }));

  QTest::mouseClick(view.BitBtn1, Qt::LeftButton);
  const QString copied = QGuiApplication::clipboard()->text();
  EXPECT_TRUE(copied.startsWith("0\t0.000\t-0.5000\t0.000\nmy value\n2\t0.100\t-0.4990\t2.000\n"));
  EXPECT_EQ(copied.size(), formatted.size() - QString("1\t0.050\t-0.4995\t1.000").size() + 8);

  view.Refresh();
  EXPECT_EQ(view.Memo1->toPlainText(), formatted);
}

TEST_F(DataRowsViewTest, AMillionRowsOpenWithEveryRowAtHand) {
  record.texts.sweep = "1";
  record.texts.period = "1";  // 1 ms at 1 mV/s over 1000 mV: a million points
  XYFactors(record);
  record.resizePoints(record.params.pulseNumber);
  record.document.pointIndex = record.params.pulseNumber - 1;
  ASSERT_GE(record.document.pointIndex, 999999);
  TViewdata view(record);
  view.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
  EXPECT_EQ(view.Memo1->model()->rowCount(), record.document.pointIndex + 1);
  EXPECT_EQ(view.Memo1->model()->index(999999, 0).data().toString(), "999999\t999.999\t0.5000\t0.000");
}

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QClipboard>
#include <QDir>
#include <QFileDialog>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include "core/app_paths.h"
#include "files/ui/viewdta.h"
#include "files_test_support.h"

namespace {

class ViewdataTest : public ::testing::Test {
 protected:
  void SetUp() override {
    setProgramFolder(folder.path());
    record.params.currDigits = 2;
    record.resizePoints(record.params.pulseNumber);
    record.document.points[0] = 4e-6;
    record.document.points[1] = 8e-6;
    record.document.points[2] = -4e-6;
    record.document.pointIndex = 2;
  }
  void TearDown() override { setProgramFolder(QString()); }

  QString rows(const TViewdata &view) const { return view.Memo1->toPlainText(); }

  QTemporaryDir folder;
  MeasurementRecord record = sampleRecord();
};

}  // namespace

TEST_F(ViewdataTest, ShowsHeaderAndRowsAndRefreshesOnShow) {
  TViewdata view(record);
  EXPECT_EQ(view.windowTitle(), "View data text");
  EXPECT_EQ(view.size(), QSize(336, 207));
  EXPECT_TRUE(view.windowFlags() & Qt::WindowStaysOnTopHint);
  EXPECT_EQ(view.Memo2->toPlainText(), "Point\tTime [s]\tE [V]\ti [uA]");
  EXPECT_FALSE(view.Memo2->isEnabled());
  EXPECT_EQ(rows(view), "0\t0.000\t-0.5000\t4.000\n1\t0.050\t-0.4995\t8.000\n2\t0.100\t-0.4990\t-4.000");

  record.texts.currUnitIndex = 1;
  XYFactors(record);
  record.params.currDigits = 0;
  view.show();
  EXPECT_EQ(view.Memo2->toPlainText(), "Point\tTime [s]\tE [V]\ti [nA]");
  EXPECT_TRUE(rows(view).startsWith("0\t0.000\t-0.5000\t4000.0\n"));
  view.hide();

  record.document.pointIndex = 0;
  view.show();
  EXPECT_EQ(rows(view), "No data");
  view.hide();
  record.document.pointIndex = -1;
  view.show();
  EXPECT_EQ(rows(view), "");
  EXPECT_EQ(view.Memo2->toPlainText(), "Point\tTime [s]\tE [V]\ti [nA]");
}

TEST_F(ViewdataTest, SettingsSetTheSwitchesAndClicksRefresh) {
  writeBytes(folder.filePath("marelt.ini"), "[View data]\r\nPoint number=1\r\nTime=0\r\nPotential=0\r\nCurrent=0\r\n");
  TViewdata view(record);
  EXPECT_TRUE(view.CheckBox1->isChecked());
  EXPECT_FALSE(view.CheckBox3->isChecked());
  EXPECT_EQ(view.Memo2->toPlainText(), "Point\t");
  EXPECT_EQ(rows(view), "0\n1\n2");

  view.show();
  QTest::mouseClick(view.CheckBox3, Qt::LeftButton);
  EXPECT_EQ(view.Memo2->toPlainText(), "Point\tTime [s]\t");
  EXPECT_EQ(rows(view), "0\t0.000\n1\t0.050\n2\t0.100");
  QTest::mouseClick(view.CheckBox1, Qt::LeftButton);
  QTest::mouseClick(view.CheckBox3, Qt::LeftButton);
  EXPECT_EQ(view.Memo2->toPlainText(), "");
  EXPECT_EQ(rows(view), "\n\n");
}

TEST_F(ViewdataTest, CopiesTheRowsToTheClipboard) {
  TViewdata view(record);
  view.show();
  view.Memo1->setPlainText("edited\nby hand");
  QTest::mouseClick(view.BitBtn1, Qt::LeftButton);
  EXPECT_EQ(QGuiApplication::clipboard()->text(), "edited\nby hand");
  EXPECT_EQ(view.BitBtn1->toolTip(), "Copy data to clipboard");
}

TEST_F(ViewdataTest, WritesHeaderAndRowsThroughItsDialog) {
  writeBytes(folder.filePath("marelt.ini"), ("[Setup]\r\nInitial directory=" + folder.path() + "\r\n").toUtf8());
  TViewdata view(record);
  view.show();
  view.Memo1->setPlainText(view.Memo1->toPlainText() + "\nmy note");
  const QString path = folder.filePath("rows.txt");
  writeBytes(path, "older contents that are longer than the new ones, replaced without a question ......");
  QString directory, filter;
  answerModal<QFileDialog>([&](QFileDialog *dialog) {
    directory = dialog->directory().absolutePath();
    filter = dialog->selectedNameFilter();
    typeFileName(dialog, "rows");
    QMetaObject::invokeMethod(dialog, "accept");
  });
  QTest::mouseClick(view.BitBtn2, Qt::LeftButton);
  EXPECT_EQ(directory, QDir(folder.path()).absolutePath());
  EXPECT_EQ(filter, "Data text file (*.txt)");
  EXPECT_EQ(readBytes(path),
            "Point\tTime [s]\tE [V]\ti [uA]\r\n0\t0.000\t-0.5000\t4.000\r\n1\t0.050\t-0.4995\t8.000\r\n"
            "2\t0.100\t-0.4990\t-4.000\r\nmy note\r\n");
  EXPECT_TRUE(view.isVisible());
}

TEST_F(ViewdataTest, WriteFailureShowsTheErrorAndKeepsTheView) {
  TViewdata view(record);
  view.show();
  QDir(folder.path()).mkdir("taken.txt");
  answerModal<QFileDialog>([&](QFileDialog *dialog) {
    typeFileName(dialog, folder.filePath("missing/out.txt"));
    QMetaObject::invokeMethod(dialog, "accept");
  });
  QString message;
  answerModal<QMessageBox>([&](QMessageBox *box) {
    message = box->text();
    box->button(QMessageBox::Ok)->click();
  });
  const QString before = rows(view);
  QTest::mouseClick(view.BitBtn2, Qt::LeftButton);
  EXPECT_TRUE(message.startsWith("Cannot write file")) << message.toStdString();
  EXPECT_EQ(rows(view), before);
  EXPECT_TRUE(view.isVisible());
}

TEST_F(ViewdataTest, CloseEndsTheModalShowingWithOk) {
  TViewdata view(record);
  QTimer::singleShot(0, &view, [&view] { QTest::mouseClick(view.Button1, Qt::LeftButton); });
  EXPECT_EQ(view.exec(), QDialog::Accepted);
  EXPECT_TRUE(view.Button1->isDefault());
}

// Writes a picture of the view for a person to look at, when asked to.
TEST_F(ViewdataTest, Screenshot) {
  const QString shots = qEnvironmentVariable("DPV_SHOTS_DIR");
  if (shots.isEmpty()) GTEST_SKIP() << "set DPV_SHOTS_DIR to write screenshots";
  record.document.description = {"x"};
  TViewdata view(record);
  view.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
  EXPECT_TRUE(view.grab().save(shots + "/viewdata.png"));
  record.document.pointIndex = 0;
  view.CheckBox4->setChecked(false);
  view.Refresh();
  EXPECT_TRUE(view.grab().save(shots + "/viewdata_nodata.png"));
}

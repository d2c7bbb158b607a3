// The "Print report" dialog and the report command, headless and without a printer.
#include <gtest/gtest.h>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QTemporaryDir>
#include <QTest>

#include "core/app_paths.h"
#include "modal_answer.h"
#include "printing/ui/printbox.h"
#include "printing/ui/printwn.h"
#include "printing/ui/report_printer.h"
#include "printing/ui/report_printing.h"
#include "report_test_support.h"

namespace {

class PrintDialog : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    setProgramFolder(dir_.path());
    reportPrinter().setPageSize(QPageSize(QPageSize::A4));
  }
  void writeIni(const QString &text) {
    QFile file(dir_.filePath("marelt.ini"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text.toUtf8());
  }
  QTemporaryDir dir_;
};

// Clicks a radio button on its indicator, where it takes clicks.
void clickRadio(QRadioButton *button) {
  QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
}

// Types the full path into the file dialog's name field, as a user would.
void typeFileName(QFileDialog *dialog, const QString &path) {
  auto *edit = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
  ASSERT_NE(edit, nullptr);
  edit->setText(path);
}

}  // namespace

TEST_F(PrintDialog, DefaultsWithoutSettingsFile) {
  TPage page;
  EXPECT_EQ(page.windowTitle(), "Print report");
  EXPECT_TRUE(page.Portrait->isChecked());
  for (QLineEdit *edit : {page.Top, page.Bottom, page.Left, page.Right}) EXPECT_EQ(edit->text(), "2.0");
  EXPECT_EQ(page.CLine->penColor(), QColor(0, 0, 255));
  EXPECT_EQ(page.CLine->brushColor(), QColor(0, 0, 255));
  EXPECT_EQ(page.CWidth->value(), 2);
  EXPECT_TRUE(page.Grid->isChecked());
  EXPECT_EQ(page.Font1.family(), "Arial");
  EXPECT_EQ(page.Font1.pointSize(), 12);
  EXPECT_FALSE(page.Font1.bold() || page.Font1.italic());
  EXPECT_EQ(page.fontColor, QColor(0, 0, 0));
  EXPECT_DOUBLE_EQ(page.marginLeft, 2.0);
  if (!printerInstalled()) {
    EXPECT_TRUE(page.Label2->text().startsWith("No printer installed"));
  }
  EXPECT_EQ(page.Label7->text(), "21.0 x 29.7 cm");
  EXPECT_EQ(page.Panel1->geometry(), QRect(40, 24, 128, 180));
  EXPECT_EQ(page.Shape5->geometry(), QRect(12, 12, 104, 156));
  EXPECT_EQ(page.Label8->text(), "Differential pulse voltammetry");
  EXPECT_EQ(page.Label8->font().pointSize(), 7);
  EXPECT_EQ(page.Label5->font().pointSize(), 6);
}

TEST_F(PrintDialog, LandscapeSwapsMiniaturePaperAndPrinter) {
  TPage page;
  clickRadio(page.Landscape);
  EXPECT_TRUE(page.Landscape->isChecked());
  EXPECT_EQ(page.Panel1->geometry(), QRect(16, 50, 180, 128));
  EXPECT_EQ(page.Label7->text(), "29.7 x 21.0 cm");
  EXPECT_EQ(reportPrinter().pageLayout().orientation(), QPageLayout::Landscape);
  EXPECT_EQ(page.Shape6->geometry(), QRect(12, 64, 156, 52));
  clickRadio(page.Portrait);
  EXPECT_EQ(page.Label7->text(), "21.0 x 29.7 cm");
  EXPECT_EQ(reportPrinter().pageLayout().orientation(), QPageLayout::Portrait);
}

TEST_F(PrintDialog, GridCheckBoxShowsTheBands) {
  TPage page;
  QTest::mouseClick(page.Grid, Qt::LeftButton);
  ASSERT_FALSE(page.Grid->isChecked());
  for (PreviewShape *band : {page.Shape1, page.Shape2, page.Shape3, page.Shape4}) EXPECT_TRUE(band->isHidden());
  EXPECT_FALSE(page.reportStyle().visibleGrid);
  QTest::mouseClick(page.Grid, Qt::LeftButton);
  for (PreviewShape *band : {page.Shape1, page.Shape2, page.Shape3, page.Shape4}) EXPECT_FALSE(band->isHidden());
}

TEST_F(PrintDialog, TypingAMarginRedrawsAtEveryKeystroke) {
  TPage page;
  page.Left->clear();
  EXPECT_EQ(page.Shape5->x(), 0);  // empty reads as 0
  QTest::keyClicks(page.Left, "5");
  EXPECT_DOUBLE_EQ(page.marginLeft, 5.0);
  EXPECT_EQ(page.Shape5->x(), 30);   // Round(128 x 5 / 21)
  QTest::keyClicks(page.Left, "x");  // not a number past the digits: still 5
  EXPECT_DOUBLE_EQ(page.marginLeft, 5.0);
  page.Left->setText("25");  // no room left: an empty frame, no failure
  EXPECT_EQ(page.Shape5->width(), 0);
}

TEST_F(PrintDialog, SettingsAreReadAndWrittenBack) {
  writeIni(
      "[Page setup]\r\nOrientation=1\r\nMargin top=1.5\r\nC line color=255\r\nC line width=7\r\n"
      "Visible grid=0\r\nFont name=Courier\r\nFont size=10\r\nFont color=65280\r\nFont style=bold\r\n");
  TPage page;
  EXPECT_TRUE(page.Landscape->isChecked());
  EXPECT_EQ(page.Top->text(), "1.5");
  EXPECT_EQ(page.Bottom->text(), "2.0");
  EXPECT_EQ(page.CLine->penColor(), QColor(255, 0, 0));
  EXPECT_EQ(page.CWidth->value(), 7);
  EXPECT_FALSE(page.Grid->isChecked());
  EXPECT_EQ(page.Font1.family(), "Courier");
  EXPECT_EQ(page.Font1.pointSize(), 10);
  EXPECT_FALSE(page.Font1.bold());  // "bold" is not "Bold"
  EXPECT_EQ(page.fontColor, QColor(0, 255, 0));

  IniFile ini(dir_.filePath("out.ini"));
  page.writeSettings(ini);
  EXPECT_EQ(ini.readInteger(kPageSection, "Orientation", -1), 1);
  EXPECT_EQ(ini.readString(kPageSection, "Margin top", "?"), "1.5");
  EXPECT_EQ(ini.readInteger(kPageSection, "C line color", -1), 255);
  EXPECT_EQ(ini.readInteger(kPageSection, "C line width", -1), 7);
  EXPECT_FALSE(ini.readBool(kPageSection, "Visible grid", true));
  EXPECT_EQ(ini.readString(kPageSection, "Font style", "?"), "");
  clickRadio(page.Portrait);
}

TEST_F(PrintDialog, PrinterSetupInLandscapeMovesTheRadioGroup) {
  TPage page;
  ASSERT_TRUE(page.Portrait->isChecked());
  answerModal<QPrintDialog>([](QPrintDialog *dialog) {
    reportPrinter().setPageOrientation(QPageLayout::Landscape);
    dialog->reject();
  });
  page.Button4Click();
  EXPECT_TRUE(page.Landscape->isChecked());
  EXPECT_EQ(page.Label7->text(), "29.7 x 21.0 cm");
  clickRadio(page.Portrait);
}

TEST_F(PrintDialog, CancelledColourLeavesTheCurveColour) {
  TPage page;
  answerModal<QDialog>([](QDialog *dialog) { dialog->reject(); });
  page.CLineMouseDown();
  EXPECT_EQ(page.CLine->penColor(), QColor(0, 0, 255));
}

class ReportCommand : public PrintDialog {
 protected:
  void SetUp() override {
    PrintDialog::SetUp();
    if (printerInstalled()) GTEST_SKIP() << "a printer is installed; these cases cover the PDF fallback";
    Page = new TPage;
    PrintBox1 = new TPrintBox1;
  }
  void TearDown() override {
    delete Page;
    delete PrintBox1;
  }
};

TEST_F(ReportCommand, CancelPrintsNothing) {
  MeasurementRecord record = testRecord();
  answerModal<TPage>([](TPage *page) { page->Button3->click(); });
  Print1Click(nullptr, record);
  QApplication::processEvents();
  EXPECT_FALSE(PrintBox1->isVisible());
  EXPECT_TRUE(QDir(dir_.path()).entryList({"*.pdf"}).isEmpty());
}

TEST_F(ReportCommand, WithoutPrinterTheReportGoesToAChosenPdf) {
  MeasurementRecord record = testRecord();
  record.document.points = {0, 2e-7, 4e-7, 3e-7};
  record.document.pointIndex = 4;
  record.params.dampingFactor = 0.5;
  record.params.dampingRest = 0.5;
  const QString pdf = dir_.filePath("report.pdf");
  answerModal<TPage>([pdf](TPage *page) {
    answerModal<QFileDialog>([pdf](QFileDialog *dialog) {
      typeFileName(dialog, pdf);
      QMetaObject::invokeMethod(dialog, "accept");
    });
    page->Button2->click();
  });
  Print1Click(nullptr, record);
  QFile file(pdf);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_TRUE(file.read(5) == "%PDF-");
  EXPECT_FALSE(PrintBox1->isVisible());
  EXPECT_EQ(PrintBox1->Status->text(), "Info text...");
  EXPECT_EQ(PrintBox1->Progress->value(), 75);             // Round(3 x 100 / 4)
  EXPECT_DOUBLE_EQ(record.view.smoothedCurrent, 2.75e-7);  // 0, 1, 2.5, 2.75 (x 1e-7)
}

TEST_F(ReportCommand, UnwritableFileShowsAnErrorAndHidesTheBox) {
  MeasurementRecord record = testRecord();
  const QString pdf = dir_.filePath("missing/folder/report.pdf");
  QString message;
  answerModal<TPage>([pdf, &message](TPage *page) {
    answerModal<QFileDialog>([pdf, &message](QFileDialog *dialog) {
      answerModal<QMessageBox>([&message](QMessageBox *box) {
        message = box->text();
        EXPECT_FALSE(PrintBox1->isVisible());
        box->accept();
      });
      typeFileName(dialog, pdf);
      QMetaObject::invokeMethod(dialog, "accept");
    });
    page->Button2->click();
  });
  Print1Click(nullptr, record);
  EXPECT_TRUE(message.startsWith("Unable to print to")) << message.toStdString();
  EXPECT_FALSE(PrintBox1->isVisible());
}

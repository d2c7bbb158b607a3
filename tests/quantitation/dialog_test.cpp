// The Quantitation window as a user works it: files added and given roles,
// a table saved and loaded, the faults shown by row, the result shown,
// copied and printed to a PDF when no printer is installed.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include "core/app_paths.h"
#include "modal_answer.h"
#include "printing/ui/report_printer.h"
#include "qstring_print.h"
#include "quantitation/synthetic_files.h"
#include "quantitation/ui/plot_view.h"
#include "quantitation/ui/quantitation_dialog.h"

namespace {

class QuantitationWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir.isValid());
    setProgramFolder(dir.path());
    const struct {
      const char *name;
      double height;
    } files[] = {{"s1.dpv", 10.2}, {"s2.dpv", 19.8}, {"s4.dpv", 40.1}, {"x.dpv", 25}, {"b.dpv", 0}};
    for (const auto &f : files) {
      QFile file(dir.filePath(f.name));
      ASSERT_TRUE(file.open(QIODevice::WriteOnly));
      file.write(syntheticMeasurement(f.height));
    }
  }
  void TearDown() override { setProgramFolder(QString()); }

  // Standards 1, 2 and 4, the sample, the blank, as a user sets them.
  void fill(TQuantitation &q) {
    q.addFiles({dir.filePath("s1.dpv"), dir.filePath("s2.dpv"), dir.filePath("s4.dpv"), dir.filePath("x.dpv"),
                dir.filePath("b.dpv")});
    const char *concentrations[] = {"1", "2", "4", "", ""};
    for (int row = 0; row < 5; ++row) q.Table->item(row, 2)->setText(concentrations[row]);
    role(q, 3)->setCurrentText("sample");
    role(q, 4)->setCurrentText("blank");
    q.UnitEdit->setText("mg/L");
  }
  static QComboBox *role(TQuantitation &q, int row) { return qobject_cast<QComboBox *>(q.Table->cellWidget(row, 1)); }

  QTemporaryDir dir;
};

void typeFileName(QFileDialog *dialog, const QString &path) {
  auto *edit = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
  ASSERT_NE(edit, nullptr);
  edit->setText(path);
}

}  // namespace

TEST_F(QuantitationWindow, FilesWithRolesGiveTheResultAndItsCopy) {
  TQuantitation q;
  EXPECT_EQ(Quantitation, &q);
  EXPECT_EQ(q.windowTitle(), "Quantitation");
  fill(q);
  EXPECT_FALSE(q.CopyButton->isEnabled());
  q.CalculateButton->click();
  ASSERT_TRUE(q.result().has_value()) << q.Message->text().toStdString();
  EXPECT_TRUE(q.Message->text().isEmpty()) << q.Message->text().toStdString();
  EXPECT_EQ(q.Results->rowCount(), 10);
  EXPECT_EQ(q.Results->item(0, 1)->text(), "calibration");
  EXPECT_EQ(q.Results->item(8, 0)->text(), "Concentration x");
  EXPECT_EQ(q.Results->item(8, 2)->text(), "mg/L");
  EXPECT_NEAR(q.result()->samples[0].concentration, 2.5, 0.05);
  EXPECT_TRUE(q.CopyButton->isEnabled() && q.PrintButton->isEnabled());

  q.CopyButton->click();
  const QMimeData *copied = QApplication::clipboard()->mimeData();
  ASSERT_NE(copied, nullptr);
  EXPECT_TRUE(copied->text().startsWith("Quantity\tValue\tUnit\nMethod\tcalibration\t\n"))
      << copied->text().toStdString();
  EXPECT_TRUE(copied->data("text/csv").startsWith("Quantity,Value\r\nMethod,calibration\r\n"));

  // A change of the table or of a choice takes the result away.
  q.WeightingBox->setCurrentIndex(1);
  EXPECT_FALSE(q.result().has_value());
  EXPECT_EQ(q.Results->rowCount(), 0);
  EXPECT_FALSE(q.CopyButton->isEnabled());
  q.CalculateButton->click();
  ASSERT_TRUE(q.result().has_value()) << q.Message->text().toStdString();
  EXPECT_EQ(q.result()->weighting, Weighting::InverseSquare);
  q.Table->item(0, 2)->setText("1.5");
  EXPECT_FALSE(q.result().has_value());
}

TEST_F(QuantitationWindow, FaultsAreShownByRow) {
  TQuantitation q;
  fill(q);
  q.Table->item(1, 2)->setText("2,0");
  q.CalculateButton->click();
  EXPECT_FALSE(q.result().has_value());
  EXPECT_EQ(q.Message->text(), "Row 2: \"2,0\" is not a concentration: write a number with \".\"");
  EXPECT_EQ(q.Table->currentRow(), 1);

  q.Table->item(1, 2)->setText("2");
  QFile::remove(dir.filePath("s4.dpv"));
  q.CalculateButton->click();
  EXPECT_TRUE(q.Message->text().startsWith("Row 3: Cannot open file")) << q.Message->text().toStdString();
  EXPECT_EQ(q.Table->currentRow(), 2);

  q.Table->selectRow(2);
  q.RemoveButton->click();
  ASSERT_EQ(q.Table->rowCount(), 4);
  role(q, 2)->setCurrentText("standard");  // the sample becomes a standard: none is left
  q.Table->item(2, 2)->setText("3");
  q.CalculateButton->click();
  EXPECT_TRUE(q.Message->text().startsWith("Row 4: the table has no sample")) << q.Message->text().toStdString();

  role(q, 2)->setCurrentText("sample");
  q.Table->item(2, 2)->setText("");
  q.WindowEdit->setText("0");
  q.CalculateButton->click();
  EXPECT_EQ(q.Message->text(), "The window is a number of millivolts above 0.");
  q.WindowEdit->setText("20");
  q.PotentialEdit->setText("300");
  q.CalculateButton->click();
  EXPECT_EQ(q.Message->text(), "Row 1: no peak within 20.0 mV of 300.0 mV in \"s1.dpv\"");
}

TEST_F(QuantitationWindow, TableSavedAndLoadedRelativeToItsFolder) {
  const QString path = dir.filePath("table.csv");
  {
    TQuantitation q;
    fill(q);
    q.Table->item(3, 3)->setText("river");
    ASSERT_TRUE(q.saveTable(path)) << q.Message->text().toStdString();
  }
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_EQ(file.readAll(),
            "File,Role,Concentration [mg/L],Name\r\ns1.dpv,standard,1,\r\ns2.dpv,standard,2,\r\ns4.dpv,standard,4,\r\n"
            "x.dpv,sample,,river\r\nb.dpv,blank,,\r\n");
  file.close();
  TQuantitation q;
  answerModal<QWidget>([&](QWidget *modal) {
    auto *dialog = qobject_cast<QFileDialog *>(modal);
    ASSERT_NE(dialog, nullptr);
    typeFileName(dialog, path);
    QMetaObject::invokeMethod(dialog, "accept");
  });
  q.LoadButton->click();
  ASSERT_EQ(q.Table->rowCount(), 5) << q.Message->text().toStdString();
  EXPECT_EQ(q.UnitEdit->text(), "mg/L");
  EXPECT_EQ(q.Table->item(0, 0)->text(), "s1.dpv");
  EXPECT_EQ(role(q, 3)->currentText(), "sample");
  EXPECT_EQ(q.Table->item(3, 3)->text(), "river");
  q.CalculateButton->click();
  ASSERT_TRUE(q.result().has_value());
  EXPECT_EQ(q.Results->item(8, 0)->text(), "Concentration river");

  // A bad table file says where.
  ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
  file.write("File,Role,Concentration\r\ns1.dpv,standrd,1\r\n");
  file.close();
  EXPECT_FALSE(q.loadTable(path));
  EXPECT_TRUE(
      q.Message->text().endsWith("table.csv: line 2: unknown role \"standrd\" (blank, standard, sample or addition)"))
      << q.Message->text().toStdString();
  EXPECT_EQ(q.Table->rowCount(), 5);  // the rows stay as they were
}

TEST_F(QuantitationWindow, PrintWithoutPrinterWritesTheReportAsPdf) {
  if (printerInstalled()) GTEST_SKIP() << "a printer is installed; this case covers the PDF fallback";
  TQuantitation q;
  fill(q);
  ASSERT_TRUE(q.saveTable(dir.filePath("table.csv")));
  q.CalculateButton->click();
  ASSERT_TRUE(q.result().has_value());
  const QString pdf = dir.filePath("report.pdf");
  QString offered;
  answerModal<QWidget>([&](QWidget *modal) {
    auto *dialog = qobject_cast<QFileDialog *>(modal);
    ASSERT_NE(dialog, nullptr);
    offered = dialog->selectedFiles().value(0);
    typeFileName(dialog, pdf);
    QMetaObject::invokeMethod(dialog, "accept");
  });
  q.PrintButton->click();
  EXPECT_EQ(offered, dir.filePath("table.pdf"));
  QFile file(pdf);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_EQ(file.read(5), "%PDF-");
  const QString shots = qEnvironmentVariable("DPV_SHOT_DIR");
  if (!shots.isEmpty()) QFile::copy(pdf, shots + "/quantitation_synthetic.pdf");
}

TEST_F(QuantitationWindow, ThePlotShowsTheResult) {
  TQuantitation q;
  fill(q);
  q.show();
  const QImage before = q.Plot->image();
  q.CalculateButton->click();
  ASSERT_TRUE(q.result().has_value());
  const QImage after = q.Plot->image();
  EXPECT_NE(before, after);
  int line = 0;
  for (int y = 0; y < after.height(); ++y)
    for (int x = 0; x < after.width(); ++x) line += after.pixelColor(x, y) == QColor(0, 0, 255);
  EXPECT_GT(line, 100);
}

// Work > Quantitation as a user reaches it: the menu item opens the one
// Quantitation window, which loads a table of simulated measurements,
// quantifies it and prints its report to a PDF (no printer here).
#include <gtest/gtest.h>

#include <QAction>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include "app/ui/program_windows.h"
#include "app/ui/sdimain.h"
#include "modal_answer.h"
#include "printing/ui/report_printer.h"
#include "quantitation/simulated_files.h"
#include "quantitation/ui/quantitation_dialog.h"

namespace {

QAction *menuItem(TSDIAppForm &w, const QString &menu, const QString &item) {
  for (QAction *m : w.menuBar()->actions())
    if (m->text() == menu)
      for (QAction *a : m->menu()->actions())
        if (a->text() == item) return a;
  return nullptr;
}

}  // namespace

TEST(QuantitationMenu, WorkQuantitationQuantifiesATableAndPrintsItsReport) {
  QTemporaryDir folder;
  ASSERT_TRUE(folder.isValid());
  setProgramFolder(folder.path());
  // Five standards, three blanks and a sample of 0.5 mmol/L.
  QStringList table{"File,Role,Concentration [mmol/L]"};
  int seed = 1;
  for (const char *c : {"0.1", "0.2", "0.4", "0.6", "0.8"}) {
    const QString name = QStringLiteral("std %1.dpv").arg(c);
    measureSimulatedFile(QStringLiteral("C=%1,seed=%2,errors=0").arg(c).arg(seed++), folder.filePath(name));
    table << name + ",standard," + c;
  }
  for (int i = 1; i <= 3; ++i) {
    const QString name = QStringLiteral("blank %1.dpv").arg(i);
    measureSimulatedFile(QStringLiteral("C=0,seed=%1,errors=0").arg(seed++), folder.filePath(name));
    table << name + ",blank,";
  }
  measureSimulatedFile(QStringLiteral("C=0.5,seed=%1,errors=0").arg(seed++), folder.filePath("sample.dpv"));
  table << "sample.dpv,sample,";
  const QString tablePath = folder.filePath("calibration.csv");
  QFile file(tablePath);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(table.join("\r\n").toUtf8() + "\r\n");
  file.close();
  QString error;
  ASSERT_TRUE(selectPortBackend("sim-fast", QString(), &error)) << error.toStdString();

  {
    ProgramWindows windows;
    TSDIAppForm &w = windows.mainWindow();
    w.show();
    QAction *item = menuItem(w, "&Work", "&Quantitation");
    ASSERT_NE(item, nullptr);
    const QString shots = qEnvironmentVariable("DPV_SHOT_DIR");
    const QString pdf = folder.filePath("calibration report.pdf");
    double concentration = 0;
    const auto answered = answerModal<QWidget>([&](QWidget *modal) {
      auto *q = qobject_cast<TQuantitation *>(modal);
      ASSERT_NE(q, nullptr);
      EXPECT_EQ(q, Quantitation);
      EXPECT_TRUE(q->loadTable(tablePath)) << q->Message->text().toStdString();
      q->CalculateButton->click();
      ASSERT_TRUE(q->result().has_value()) << q->Message->text().toStdString();
      concentration = q->result()->samples.front().concentration;
      if (!shots.isEmpty()) {
        QTest::qWait(50);
        q->grab().save(shots + "/quantitation_dialog.png");
      }
      if (!printerInstalled()) {
        answerModal<QWidget>([&](QWidget *m) {
          auto *dialog = qobject_cast<QFileDialog *>(m);
          ASSERT_NE(dialog, nullptr);
          dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"))->setText(pdf);
          QMetaObject::invokeMethod(dialog, "accept");
        });
        q->PrintButton->click();
      }
      q->CloseButton->click();
    });
    item->trigger();
    EXPECT_TRUE(*answered);
    EXPECT_NEAR(concentration, 0.5, 0.01);
    if (!printerInstalled()) {
      QFile report(pdf);
      ASSERT_TRUE(report.open(QIODevice::ReadOnly));
      EXPECT_EQ(report.read(5), "%PDF-");
      if (!shots.isEmpty()) QFile::copy(pdf, shots + "/quantitation_report.pdf");
    }
    // The window is the one the program keeps: opened again, it still holds the table.
    const auto again = answerModal<QWidget>([&](QWidget *modal) {
      auto *q = qobject_cast<TQuantitation *>(modal);
      ASSERT_NE(q, nullptr);
      EXPECT_EQ(q->Table->rowCount(), 9);
      q->reject();
    });
    item->trigger();
    EXPECT_TRUE(*again);
    w.closeUnasked();
  }
  setProgramFolder(QString());
}

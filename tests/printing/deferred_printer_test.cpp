// The report's printer is made when the print dialog first shows, not when
// the program starts; the dialog then shows the printer's paper.
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <QTest>

#include "core/app_paths.h"
#include "printing/ui/printwn.h"
#include "printing/ui/report_printer.h"

TEST(DeferredPrinter, MadeWhenThePrintDialogFirstShows) {
  QTemporaryDir dir;
  setProgramFolder(dir.path());
  TPage page;
  EXPECT_FALSE(reportPrinterMade());
  EXPECT_TRUE(page.Label7->text().isEmpty());
  page.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&page));
  EXPECT_TRUE(reportPrinterMade());
  EXPECT_TRUE(page.Label7->text().endsWith(" cm")) << page.Label7->text().toStdString();
  EXPECT_EQ(reportPrinter().pageLayout().orientation(), QPageLayout::Portrait);
  page.hide();
  setProgramFolder(QString());
}

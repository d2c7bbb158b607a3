#include "printing/ui/report_printer.h"

#include <QPrintDialog>
#include <QPrinterInfo>
#include <memory>

#include "printing/ui/printwn.h"

namespace {

std::unique_ptr<QPrinter> &printerSlot() {
  static std::unique_ptr<QPrinter> printer;
  return printer;
}

}  // namespace

QPrinter &reportPrinter() {
  std::unique_ptr<QPrinter> &printer = printerSlot();
  if (!printer) printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
  return *printer;
}

bool reportPrinterMade() { return printerSlot() != nullptr; }

bool printerInstalled() { return !QPrinterInfo::availablePrinters().isEmpty(); }

PageGeometry printerGeometry(const QPrinter &printer) {
  const QRect paper = printer.paperRect(QPrinter::DevicePixel).toRect();
  const QRect page = printer.pageRect(QPrinter::DevicePixel).toRect();
  return {paper.width(), paper.height(), page.width(), page.height(), printer.logicalDpiX(), printer.logicalDpiY()};
}

void showPrinterSetup(QWidget *parent) {
  QPrinter &printer = reportPrinter();
  // A printer made just now takes the orientation of the report's settings.
  if (Page) Page->Panel1Click();
  QPrintDialog dialog(&printer, parent);
  dialog.setWindowTitle(QStringLiteral("Printer setup"));
  dialog.exec();
}

#include "printing/ui/report_printer.h"

#include <QPrintDialog>
#include <QPrinterInfo>

QPrinter &reportPrinter() {
  static QPrinter printer(QPrinter::HighResolution);
  return printer;
}

bool printerInstalled() { return !QPrinterInfo::availablePrinters().isEmpty(); }

PageGeometry printerGeometry(const QPrinter &printer) {
  const QRect paper = printer.paperRect(QPrinter::DevicePixel).toRect();
  const QRect page = printer.pageRect(QPrinter::DevicePixel).toRect();
  return {paper.width(), paper.height(), page.width(), page.height(), printer.logicalDpiX(), printer.logicalDpiY()};
}

void showPrinterSetup(QWidget *parent) {
  QPrintDialog dialog(&reportPrinter(), parent);
  dialog.setWindowTitle(QStringLiteral("Printer setup"));
  dialog.exec();
}

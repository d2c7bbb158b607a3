#pragma once
// The printer every report goes to, shared by the Print report dialog, the
// printer setup and the report, for the whole run of the program.

#include <QPrinter>
#include <QString>

#include "printing/report_layout.h"

// Made at the first use: making it loads the system's print support, which
// a start of the program that prints nothing need not wait for.
QPrinter &reportPrinter();
// True once reportPrinter() has made the printer.
bool reportPrinterMade();
// True when the system has at least one printer queue.
bool printerInstalled();
// Device values of the printer's sheet and printable area.
PageGeometry printerGeometry(const QPrinter &printer);
// The system's printer setup (the Qt print dialog); its result is not examined.
void showPrinterSetup(QWidget *parent);

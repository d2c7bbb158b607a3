#pragma once
// The File menu's report commands: print the one-page report (to the printer,
// or to a PDF file when no printer is installed) and the printer setup.

#include <QWidget>

#include "app/measurement_record.h"

// Shows "Print report" modally; on "&Print" draws the report with the
// "Printing" box shown. Failures are shown in an error box.
void Print1Click(QWidget *parent, MeasurementRecord &record);
void Printersetup1Click(QWidget *parent);

#pragma once
// The File menu's report commands: print the one-page report (to the printer,
// or to a PDF file when no printer is installed) and the printer setup.

#include <QPainter>
#include <QWidget>
#include <functional>
#include <vector>

#include "analysis/peaks.h"
#include "core/measurement_record.h"
#include "printing/report_layout.h"

// Shows "Print report" modally; on "&Print" draws the report (with the
// reference curves when given, and the table of `peaks`) with the "Printing"
// box shown. Failures are shown in an error box.
void Print1Click(QWidget *parent, MeasurementRecord &record, const ReferenceCurves *references = nullptr,
                 const std::vector<Peak> &peaks = {});
void Printersetup1Click(QWidget *parent);

// One page for the report printer, or for a PDF file the user names when no
// printer is installed.
struct PagePrint {
  QString docName;
  QString pdfSuggestion;  // the file the PDF dialog offers; empty: none
  std::function<void(QPainter &, const PageGeometry &)> draw;
  std::function<void()> started;   // once the output is chosen
  std::function<void()> finished;  // at the end, and before any message
};

// Prints `job`. False when the user cancels the PDF dialog or printing fails
// (the failure shown in an error box).
bool printPage(QWidget *parent, const PagePrint &job);

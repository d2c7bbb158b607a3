#include "printing/ui/report_printing.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPainter>

#include "printing/report_peaks.h"
#include "printing/ui/printbox.h"
#include "printing/ui/printwn.h"
#include "printing/ui/report_printer.h"

namespace {

// The PDF file that stands in for a printer, or empty when the user cancels.
QString askPdfFile(QWidget *parent, const QString &suggestion) {
  QFileDialog dialog(parent, QStringLiteral("Print report to PDF file"));
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setNameFilter(QStringLiteral("PDF files (*.pdf)"));
  dialog.setDefaultSuffix(QStringLiteral("pdf"));
  if (!suggestion.isEmpty()) {
    const QFileInfo file(suggestion);
    dialog.setDirectory(file.absolutePath());
    dialog.selectFile(file.fileName());
  }
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return QString();
  return dialog.selectedFiles().constFirst();
}

QString printerDescription(const QPrinter &printer) {
  return printer.outputFormat() == QPrinter::PdfFormat ? printer.outputFileName() : printer.printerName();
}

}  // namespace

bool printPage(QWidget *parent, const PagePrint &job) {
  QPrinter &printer = reportPrinter();
  if (!printerInstalled()) {
    const QString file = askPdfFile(parent, job.pdfSuggestion);
    if (file.isEmpty()) return false;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(file);
  }
  // Every way out ends the job before anything is reported.
  auto finish = [&] {
    if (job.finished) job.finished();
  };
  auto fail = [&](const QString &message) {
    finish();
    QMessageBox::critical(parent, kTitle, message);
    return false;
  };
  const QString unable = QStringLiteral("Unable to print to %1");
  if (job.started) job.started();

  printer.setDocName(job.docName);
  QPainter painter;
  if (!painter.begin(&printer)) return fail(unable.arg(printerDescription(printer)));
  try {
    job.draw(painter, printerGeometry(printer));
  } catch (const std::exception &error) {
    printer.abort();
    painter.end();
    return fail(QString::fromLocal8Bit(error.what()));
  }
  const bool ended = painter.end();
  if (!ended || printer.printerState() == QPrinter::Error) return fail(unable.arg(printerDescription(printer)));
  finish();
  return true;
}

void Print1Click(QWidget *parent, MeasurementRecord &record, const ReferenceCurves *references,
                 const std::vector<Peak> &peaks) {
  if (Page->exec() != QDialog::Accepted) return;

  TPrintBox1 *box = PrintBox1;
  std::optional<double> lastSmoothed;
  PagePrint job;
  job.docName = record.caption();
  if (!record.document.dataFileName.isEmpty()) {
    const QFileInfo data(record.document.dataFileName);
    job.pdfSuggestion = data.absolutePath() + QLatin1Char('/') + data.completeBaseName() + QStringLiteral(".pdf");
  }
  job.started = [box] {
    box->setStatus(QStringLiteral("Data printing..."));
    box->show();
  };
  job.finished = [box] { box->hide(); };
  job.draw = [&](QPainter &painter, const PageGeometry &page) {
    ReportProgress progress;
    progress.status = [box](const QString &text) { box->setStatus(text); };
    progress.percent = [box](int percent) { box->setProgress(percent); };
    const ReportStyle style = Page->reportStyle();
    lastSmoothed = drawReport(painter, page, style, record, progress, references);
    drawReportPeakTable(painter, page, style, record, peaks);
  };
  printPage(parent, job);
  if (lastSmoothed) record.view.smoothedCurrent = *lastSmoothed;
}

void Printersetup1Click(QWidget *parent) { showPrinterSetup(parent); }

#include "printing/ui/report_printing.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPainter>

#include "printing/ui/printbox.h"
#include "printing/ui/printwn.h"
#include "printing/ui/report_printer.h"

namespace {

// The PDF file that stands in for a printer, or empty when the user cancels.
QString askPdfFile(QWidget *parent, const MeasurementRecord &record) {
  QFileDialog dialog(parent, QStringLiteral("Print report to PDF file"));
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setNameFilter(QStringLiteral("PDF files (*.pdf)"));
  dialog.setDefaultSuffix(QStringLiteral("pdf"));
  if (!record.dataFileName.isEmpty()) {
    const QFileInfo data(record.dataFileName);
    dialog.setDirectory(data.absolutePath());
    dialog.selectFile(data.completeBaseName() + QStringLiteral(".pdf"));
  }
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return QString();
  return dialog.selectedFiles().constFirst();
}

QString printerDescription(const QPrinter &printer) {
  return printer.outputFormat() == QPrinter::PdfFormat ? printer.outputFileName() : printer.printerName();
}

}  // namespace

void Print1Click(QWidget *parent, MeasurementRecord &record) {
  if (!Page) Page = new TPage(parent);
  if (!PrintBox1) PrintBox1 = new TPrintBox1(parent);
  if (Page->exec() != QDialog::Accepted) return;

  QPrinter &printer = reportPrinter();
  if (!printerInstalled()) {
    const QString file = askPdfFile(parent, record);
    if (file.isEmpty()) return;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(file);
  }

  TPrintBox1 *box = PrintBox1;
  // Every way out hides the box before anything is reported.
  auto fail = [&](const QString &message) {
    box->hide();
    QMessageBox::critical(parent, kTitle, message);
  };
  const QString unable = QStringLiteral("Unable to print to %1");
  box->setStatus(QStringLiteral("Data printing..."));
  box->show();

  printer.setDocName(record.caption());
  QPainter painter;
  if (!painter.begin(&printer)) return fail(unable.arg(printerDescription(printer)));
  ReportProgress progress;
  progress.status = [box](const QString &text) { box->setStatus(text); };
  progress.percent = [box](int percent) { box->setProgress(percent); };
  std::optional<double> lastSmoothed;
  try {
    lastSmoothed = drawReport(painter, printerGeometry(printer), Page->reportStyle(), record, progress);
  } catch (const std::exception &error) {
    printer.abort();
    painter.end();
    return fail(QString::fromLocal8Bit(error.what()));
  }
  const bool ended = painter.end();
  if (lastSmoothed) record.smoothedCurrent = *lastSmoothed;
  if (!ended || printer.printerState() == QPrinter::Error) return fail(unable.arg(printerDescription(printer)));
  box->hide();
}

void Printersetup1Click(QWidget *parent) { showPrinterSetup(parent); }

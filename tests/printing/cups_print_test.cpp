// The report printed through a real CUPS queue: the test runs its own cupsd
// with a cups-pdf queue, prints from a child process that talks only to that
// cupsd, and finds the PDF the queue wrote.
#include <gtest/gtest.h>
#include <pwd.h>
#include <unistd.h>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <QMessageBox>

#include "core/app_paths.h"
#include "modal_answer.h"
#include "printing/ui/printbox.h"
#include "printing/ui/printwn.h"
#include "printing/ui/report_printer.h"
#include "printing/ui/report_printing.h"
#include "report_test_support.h"

namespace {

const QString kQueue = QStringLiteral("dpvreport");
const QString kPpd = QStringLiteral("/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd");
const QString kBackend = QStringLiteral("/usr/lib/cups/backend/cups-pdf");

QString sbinTool(const QString &name) {
  return QStandardPaths::findExecutable(name, {"/usr/sbin", "/usr/bin", "/sbin", "/bin"});
}

bool writeText(const QString &path, const QString &text) {
  QFile file(path);
  return file.open(QIODevice::WriteOnly) && file.write(text.toUtf8()) == text.toUtf8().size();
}

// cups-pdf writes into the PDF folder of the job owner's home.
QString cupsPdfFolder() {
  const passwd *user = getpwuid(geteuid());
  return QString::fromLocal8Bit(user ? user->pw_dir : "/root") + QStringLiteral("/PDF");
}

class PrivateCupsd {
 public:
  ~PrivateCupsd() {
    if (process_.state() != QProcess::NotRunning) {
      process_.terminate();
      if (!process_.waitForFinished(10000)) process_.kill();
      process_.waitForFinished(5000);
    }
  }

  // Starts cupsd on a socket of its own; returns why not when it cannot.
  QString start() {
    const QString cupsd = sbinTool("cupsd");
    if (cupsd.isEmpty()) return "cupsd is not installed (Debian package cups)";
    if (sbinTool("lpadmin").isEmpty()) return "lpadmin is not installed";
    if (!QFile::exists(kBackend) || !QFile::exists(kPpd)) return "cups-pdf is not installed (printer-driver-cups-pdf)";
    if (geteuid() != 0) return "the cups-pdf backend runs only under a cupsd started as root";
    if (!dir_.isValid()) return "no temporary folder";
    const QString d = dir_.path();
    QFile::setPermissions(d, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner |
                                 QFileDevice::ReadGroup | QFileDevice::ExeGroup | QFileDevice::ReadOther |
                                 QFileDevice::ExeOther);
    for (const char *sub : {"spool", "tmp", "state", "cache", "log"}) QDir(d).mkpath(sub);
    // Filters run as user lp and write their temporary files here.
    QFile::setPermissions(d + "/tmp", QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner |
                                          QFileDevice::ReadGroup | QFileDevice::WriteGroup | QFileDevice::ExeGroup |
                                          QFileDevice::ReadOther | QFileDevice::WriteOther | QFileDevice::ExeOther);
    socket_ = d + "/cups.sock";
    const QString files = QString(
                              "ServerRoot %1\nRequestRoot %1/spool\nTempDir %1/tmp\nStateDir %1/state\n"
                              "CacheDir %1/cache\nAccessLog %1/log/access_log\nErrorLog %1/log/error_log\n"
                              "PageLog %1/log/page_log\nPrintcap %1/printcap\nServerBin /usr/lib/cups\n"
                              "DataDir /usr/share/cups\nUser lp\nGroup lp\nSystemGroup root\n")
                              .arg(d);
    const QString conf = QString(
                             "Listen %1\nLogLevel info\nBrowsing No\nWebInterface No\n"
                             "<Location />\n  Order allow,deny\n  Allow all\n</Location>\n")
                             .arg(socket_);
    if (!writeText(d + "/cups-files.conf", files) || !writeText(d + "/cupsd.conf", conf))
      return "cannot write cupsd.conf";
    process_.setProcessChannelMode(QProcess::MergedChannels);
    process_.start(cupsd, {"-f", "-c", d + "/cupsd.conf", "-s", d + "/cups-files.conf"});
    if (!process_.waitForStarted(10000)) return "cupsd did not start: " + process_.errorString();
    for (int i = 0; i < 200 && !QFile::exists(socket_); ++i) {
      if (process_.state() == QProcess::NotRunning)
        return "cupsd stopped: " + QString::fromLocal8Bit(process_.readAll());
      QTest::qWait(50);
    }
    if (!QFile::exists(socket_)) return "cupsd opened no socket";
    QProcess lpadmin;
    lpadmin.setProcessEnvironment(environment());
    lpadmin.setProcessChannelMode(QProcess::MergedChannels);
    lpadmin.start(sbinTool("lpadmin"), {"-p", kQueue, "-v", "cups-pdf:/", "-P", kPpd, "-E"});
    if (!lpadmin.waitForFinished(30000) || lpadmin.exitCode() != 0)
      return "lpadmin failed: " + QString::fromLocal8Bit(lpadmin.readAll());
    return QString();
  }

  QProcessEnvironment environment() const {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("CUPS_SERVER", socket_);
    return env;
  }

 private:
  QTemporaryDir dir_;
  QProcess process_;
  QString socket_;
};

QStringList pdfFiles(const QString &folder) { return QDir(folder).entryList({"*.pdf"}, QDir::Files); }

}  // namespace

TEST(CupsQueue, PrintsTheReportThroughCupsPdf) {
  if (qEnvironmentVariableIsSet("DPV_CUPS_CHILD")) GTEST_SKIP() << "runs in the parent process only";
  PrivateCupsd cupsd;
  const QString why = cupsd.start();
  if (!why.isEmpty()) GTEST_SKIP() << why.toStdString();

  const QString folder = cupsPdfFolder();
  const QStringList before = pdfFiles(folder);
  QProcess child;
  QProcessEnvironment env = cupsd.environment();
  env.insert("DPV_CUPS_CHILD", "1");
  env.insert("QT_QPA_PLATFORM", "offscreen");
  child.setProcessEnvironment(env);
  child.setProcessChannelMode(QProcess::MergedChannels);
  child.start(QCoreApplication::applicationFilePath(), {"--gtest_filter=CupsQueueChild.*"});
  ASSERT_TRUE(child.waitForFinished(120000));
  const QString output = QString::fromLocal8Bit(child.readAll());
  ASSERT_EQ(child.exitCode(), 0) << output.toStdString();
  ASSERT_TRUE(output.contains("[  PASSED  ] 1 test")) << output.toStdString();

  QString written;
  for (int i = 0; i < 600 && written.isEmpty(); ++i) {
    for (const QString &name : pdfFiles(folder))
      if (!before.contains(name)) written = folder + "/" + name;
    if (written.isEmpty()) QTest::qWait(100);
  }
  ASSERT_FALSE(written.isEmpty()) << "no PDF from the queue in " << folder.toStdString();
  QTest::qWait(500);  // let the backend finish the file
  QFile pdf(written);
  ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
  EXPECT_TRUE(pdf.read(5) == "%PDF-");
  pdf.close();
  // The queue re-renders the text as glyph outlines, so the page count and the
  // document title are what can be read back.
  const QString pdfinfo = QStandardPaths::findExecutable("pdfinfo");
  if (!pdfinfo.isEmpty()) {
    QProcess info;
    info.start(pdfinfo, {written});
    ASSERT_TRUE(info.waitForFinished(30000));
    const QString content = QString::fromUtf8(info.readAllStandardOutput());
    EXPECT_TRUE(content.contains("Differential pulse voltammetry [Run.dpv]")) << content.toStdString();
    EXPECT_TRUE(content.contains(QRegularExpression("Pages:\\s+1\\n"))) << content.toStdString();
  }
  if (!::testing::Test::HasFailure()) QFile::remove(written);
}

// Printed from the child process, whose CUPS connection goes to the private cupsd.
TEST(CupsQueueChild, PrintsOneReport) {
  if (!qEnvironmentVariableIsSet("DPV_CUPS_CHILD"))
    GTEST_SKIP() << "started by CupsQueue.PrintsTheReportThroughCupsPdf";
  ASSERT_TRUE(printerInstalled());
  reportPrinter().setPrinterName(kQueue);
  ASSERT_EQ(reportPrinter().printerName(), kQueue);
  ASSERT_NE(reportPrinter().outputFormat(), QPrinter::PdfFormat);
  QTemporaryDir dir;
  setProgramFolder(dir.path());
  Page = new TPage;
  PrintBox1 = new TPrintBox1;
  EXPECT_EQ(Page->Label2->text(), kQueue);

  MeasurementRecord record = testRecord();
  record.document.points = {0, 2e-7, 4e-7, 3e-7};
  record.document.pointIndex = 4;
  bool errorShown = false;
  answerModal<TPage>([&errorShown](TPage *page) {
    answerModal<QMessageBox>([&errorShown](QMessageBox *box) {
      errorShown = true;
      box->accept();
    });
    page->Button2->click();
  });
  Print1Click(nullptr, record);
  EXPECT_FALSE(errorShown);
  EXPECT_FALSE(PrintBox1->isVisible());
  EXPECT_NE(reportPrinter().printerState(), QPrinter::Error);
  delete Page;
  delete PrintBox1;
}

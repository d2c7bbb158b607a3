// Writes that cannot complete (a full disk, a kill) leave the old file as it
// was and say why.
#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <csignal>

#include "app/ui/program_windows.h"
#include "app/ui/sdimain.h"
#include "core/app_paths.h"
#include "core/ini_file.h"
#include "core/text_io.h"
#include "dpv_program.h"
#include "factory_texts.h"
#include "files/dpv_file.h"
#include "files/file_operations.h"
#include "full_disk.h"
#include "graph/scaling.h"
#include "instrument/calibration_store.h"
#include "instrument/port_backend.h"
#include "printing/report_pdf.h"
#include "qstring_print.h"

namespace {

const QString kNoSpace = QStringLiteral("No space left on device");

QByteArray readAll(const QString &path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeAll(const QString &path, const QByteArray &bytes) {
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << path.toStdString();
  f.write(bytes);
}

MeasurementRecord measuredRecord(int points) {
  MeasurementRecord r;
  r.texts = factoryTexts();
  r.texts.potStart = "-500";
  r.texts.potEnd = "500";
  r.texts.sweep = "1000";
  r.texts.period = "1000";
  XYFactors(r);
  r.document.runDateTime = "today";
  r.document.description = {"cell A"};
  r.document.points.assign(points, 0.0);
  for (int i = 0; i < points; ++i) r.document.points[i] = 1e-5 * ((i % 200) * 37 % 200 - 100) / 100.0;
  r.document.pointIndex = points - 1;
  return r;
}

class FullDiskTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const QString why = disk.mount();
    if (!why.isEmpty()) GTEST_SKIP() << why.toStdString();
  }
  // No temporary file of a failed write stays behind.
  QStringList filesOnDisk() const { return QDir(disk.path()).entryList(QDir::Files | QDir::Hidden); }

  FullDisk disk;
};

}  // namespace

TEST_F(FullDiskTest, EveryWriterKeepsTheOldFileAndSaysWhy) {
  MeasurementRecord record = measuredRecord(200);
  const struct {
    const char *name;
    std::function<bool(const QString &, QString *)> write;
    bool namesTheFile;
  } writers[] = {
      {"plain.txt", [](const QString &p, QString *e) { return writeFileAtomically(p, QByteArray(3000, 'x'), e); },
       false},
      {"marelt.ini",
       [](const QString &p, QString *e) {
         IniFile ini(p);
         ini.writeString("Setup", "C min", "-5");
         return ini.save(e);
       },
       true},
      {"gwr305.cal", [](const QString &p, QString *e) { return CalibrationStore().save(p, 7, e); }, true},
      {"m.dpv", [&](const QString &p, QString *e) { return saveMeasurementFile(record, p, e); }, true},
      {"m.txt", [&](const QString &p, QString *e) { return exportMeasurementText(record, p, e); }, true},
      {"m.pdf", [&](const QString &p, QString *e) { return writeReportPdf(record, PageSettings(), p, e); }, true},
  };
  for (const auto &w : writers) writeAll(disk.filePath(w.name), QByteArray("old ") + w.name);
  const QStringList before = filesOnDisk();
  disk.fill();
  for (const auto &w : writers) {
    const QString path = disk.filePath(w.name);
    QString error;
    EXPECT_FALSE(w.write(path, &error)) << w.name;
    EXPECT_TRUE(error.contains(kNoSpace)) << w.name << ": " << error.toStdString();
    if (w.namesTheFile) {
      EXPECT_TRUE(error.contains(path)) << error.toStdString();
    }
    EXPECT_EQ(readAll(path), QByteArray("old ") + w.name);
  }
  QStringList expected = before + QStringList{".filler"};
  expected.sort();
  EXPECT_EQ(filesOnDisk(), expected);
}

TEST_F(FullDiskTest, CommandLineFormsExitWithTheReason) {
  QTemporaryDir folder;
  const QString in = folder.filePath("in.dpv");
  QString error;
  ASSERT_TRUE(writeDpvFile(in, measuredRecord(200), &error)) << error.toStdString();
  const char *const outputs[][2] = {
      {"--resave", "out.dpv"}, {"--export-text", "out.txt"}, {"--report", "out.pdf"}, {"--peaks", "out.csv"}};
  for (const auto &o : outputs) writeAll(disk.filePath(o[1]), "old");
  disk.fill();
  for (const auto &o : outputs) {
    const QString out = disk.filePath(o[1]);
    const ProgramRun run = runDpv({"--folder", folder.path(), o[0], in, out});
    ASSERT_TRUE(run.finished) << o[0];
    EXPECT_EQ(run.exitCode, 2) << o[0] << ": " << run.output.toStdString();
    EXPECT_TRUE(run.output.contains(kNoSpace)) << run.output.toStdString();
    EXPECT_TRUE(run.output.contains(out)) << run.output.toStdString();
    EXPECT_EQ(readAll(out), "old") << o[0];
  }
}

// The window's end writes marelt.ini and the calibration file; on a full disk
// each shows its error and the old files stay.
TEST_F(FullDiskTest, WindowExitShowsTheErrorAndKeepsTheSettings) {
  setProgramFolder(disk.path());
  QString error;
  ASSERT_TRUE(selectPortBackend("sim-fast", QString(), &error)) << error.toStdString();
  const QByteArray oldSettings = "[Setup]\r\nC min=-7\r\n";
  writeAll(disk.filePath("marelt.ini"), oldSettings);
  writeAll(disk.filePath("gwr305.cal"), "[Calibration]\r\nGWR Zero 0=1\r\n");
  QStringList shown;
  QTimer answer;
  QObject::connect(&answer, &QTimer::timeout, [&shown] {
    if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
      shown << box->text();
      box->accept();
    }
  });
  answer.start(20);
  {
    ProgramWindows windows;
    TSDIAppForm &w = windows.mainWindow();
    w.show();
    disk.fill();
    EXPECT_TRUE(w.close());
  }
  answer.stop();
  ASSERT_EQ(shown.size(), 2) << shown.join(" | ").toStdString();
  EXPECT_EQ(shown[0], "Unable to write to " + disk.filePath("marelt.ini") + ": " + kNoSpace);
  EXPECT_EQ(shown[1], "Unable to write to " + disk.filePath("gwr305.cal") + ": " + kNoSpace);
  EXPECT_EQ(readAll(disk.filePath("marelt.ini")), oldSettings);
  EXPECT_EQ(readAll(disk.filePath("gwr305.cal")), "[Calibration]\r\nGWR Zero 0=1\r\n");
  setProgramFolder(QString());
}

// A report killed while it is written leaves no PDF, or the old one, never a
// partial file under its name.
TEST(InterruptedReport, AKillLeavesNoPartialPdf) {
  QTemporaryDir folder;
  const QString in = folder.filePath("in.dpv");
  const QString out = folder.filePath("out.pdf");
  QString error;
  ASSERT_TRUE(writeDpvFile(in, measuredRecord(400000), &error)) << error.toStdString();
  const QStringList arguments = {"--folder", folder.path(), "--report", in, out};
  QElapsedTimer clock;
  clock.start();
  const ProgramRun full = runDpv(arguments);
  const qint64 duration = clock.elapsed();
  ASSERT_EQ(full.exitCode, 0) << full.output.toStdString();
  const QByteArray complete = readAll(out);
  ASSERT_TRUE(complete.startsWith("%PDF-"));
  ASSERT_TRUE(complete.trimmed().endsWith("%%EOF"));
  for (int attempt = 0; attempt < 8; ++attempt) {
    QFile::remove(out);
    if (attempt % 2 == 1) writeAll(out, complete);  // half the times over an old report
    QProcess process;
    process.setProcessEnvironment(dpvEnvironment());
    process.start(dpvProgram(), arguments);
    ASSERT_TRUE(process.waitForStarted());
    QTest::qWait(static_cast<int>(duration * (attempt + 1) / 9));
    if (process.state() != QProcess::NotRunning) {  // it may have been done already
      signalChild(process, SIGKILL);
      ASSERT_TRUE(process.waitForFinished(30000));
    }
    const QByteArray left = readAll(out);
    if (!QFile::exists(out)) continue;
    EXPECT_TRUE(left.startsWith("%PDF-") && left.trimmed().endsWith("%%EOF"))
        << "attempt " << attempt << ": " << left.size() << " bytes";
  }
}

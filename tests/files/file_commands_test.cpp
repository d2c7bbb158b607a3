#include <gtest/gtest.h>

#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include "files/dpv_file.h"
#include "files/ui/file_commands.h"
#include "files_test_support.h"

namespace {

// The main window as the File commands see it; counts what they ask for.
class FakeHost : public FileCommandHost {
 public:
  MeasurementRecord &record() override { return rec; }
  QWidget *hostWindow() override { return &window; }
  bool runActive() const override { return running; }
  void stopRun() override {
    running = false;
    ++stops;
  }
  void leaveZoom() override { ++unzooms; }
  void syncFromRecord() override {
    ++syncs;
    statusSeen << rec.display.panels.status;
  }
  void requestRedraw() override { ++redraws; }

  MeasurementRecord rec = sampleRecord();
  QWidget window;
  bool running = false;
  int stops = 0, unzooms = 0, syncs = 0, redraws = 0;
  QStringList statusSeen;
};

struct DialogSeen {
  QString title, directory, fileName;
  QStringList filters;
  QString filter;
};

// Answers the next file dialog: types `name`, picks the file type `filter`
// (when given) and confirms; an empty name cancels.
void answerFileDialog(const QString &name, const QString &filter = QString(), DialogSeen *seen = nullptr) {
  answerModal<QFileDialog>([=](QFileDialog *dialog) {
    if (seen) {
      seen->title = dialog->windowTitle();
      seen->directory = dialog->directory().absolutePath();
      seen->filters = dialog->nameFilters();
      seen->filter = dialog->selectedNameFilter();
      seen->fileName = dialog->findChild<QLineEdit *>("fileNameEdit")->text();
    }
    if (name.isEmpty()) return dialog->reject();
    if (!filter.isEmpty()) dialog->selectNameFilter(filter);
    typeFileName(dialog, name);
    QMetaObject::invokeMethod(dialog, "accept");
  });
}

void answerMessageBox(QString *text, QMessageBox::StandardButton button = QMessageBox::Ok) {
  answerModal<QMessageBox>([=](QMessageBox *box) {
    *text = box->text();
    box->button(button)->click();
  });
}

class FileCommandsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    commands.setInitialDirectory(dir.path());
    host.rec.document.description = {"cell"};
    host.rec.resizePoints(host.rec.params.pulseNumber);
    host.rec.document.points[0] = 1e-6;
    host.rec.document.points[1] = 2e-6;
    host.rec.document.pointIndex = 1;
    host.rec.document.dataSaved = false;
    host.rec.document.askFileName = true;
  }

  QTemporaryDir dir;
  FakeHost host;
  FileCommands commands{host};
};

}  // namespace

TEST_F(FileCommandsTest, SaveAsksForANameThenWritesStraightToIt) {
  DialogSeen seen;
  answerFileDialog("first", QString(), &seen);
  ASSERT_TRUE(commands.FileSaveAs1Execute());
  EXPECT_EQ(seen.title, "Save As");
  EXPECT_EQ(seen.directory, QDir(dir.path()).absolutePath());
  EXPECT_EQ(seen.filters, (QStringList{"Data Files (*.dpv)", "Text Files (*.txt)"}));
  EXPECT_EQ(seen.filter, "Data Files (*.dpv)");
  EXPECT_EQ(seen.fileName, "");
  const QString path = dir.filePath("first.dpv");  // the extension of the first file type
  EXPECT_EQ(readBytes(path), dpvFileBytes(host.rec));
  EXPECT_TRUE(host.rec.document.dataSaved);
  EXPECT_FALSE(host.rec.document.askFileName);
  EXPECT_EQ(host.rec.document.dataFileName, path);
  EXPECT_EQ(host.rec.caption(), kTitle + " [first.dpv]");
  EXPECT_TRUE(host.statusSeen.contains("Saving"));
  EXPECT_TRUE(host.rec.display.panels.status.isEmpty());

  // Saved once, Save writes without a dialog.
  host.rec.document.points[0] = 5e-6;
  ASSERT_TRUE(commands.FileSaveAs1Execute());
  EXPECT_EQ(readBytes(path), dpvFileBytes(host.rec));
}

TEST_F(FileCommandsTest, CancelledDialogChangesNothing) {
  answerFileDialog(QString());
  EXPECT_FALSE(commands.FileSaveAs1Execute());
  EXPECT_FALSE(host.rec.document.dataSaved);
  EXPECT_TRUE(host.rec.document.askFileName);
  EXPECT_TRUE(host.rec.document.dataFileName.isEmpty());
  EXPECT_TRUE(QDir(dir.path()).isEmpty());
}

TEST_F(FileCommandsTest, TextFileTypeWritesTheExportAndLeavesTheFlags) {
  answerFileDialog("table", "Text Files (*.txt)");
  ASSERT_TRUE(commands.FileSaveAs1Execute());
  EXPECT_TRUE(readBytes(dir.filePath("table.txt")).startsWith("Differential pulse voltammetry\r\ncell\r\n"));
  EXPECT_FALSE(host.rec.document.dataSaved);
  EXPECT_TRUE(host.rec.document.askFileName);
  EXPECT_TRUE(host.rec.document.dataFileName.isEmpty());
  EXPECT_TRUE(host.statusSeen.contains("Writing"));

  // The dialog keeps name and type; a ".txt" name with the data type is a .dpv file.
  DialogSeen seen;
  answerFileDialog("data.txt", "Data Files (*.dpv)", &seen);
  ASSERT_TRUE(commands.FileSaveAs1Execute());
  EXPECT_EQ(seen.filter, "Text Files (*.txt)");
  EXPECT_EQ(seen.fileName, "table.txt");
  EXPECT_TRUE(readBytes(dir.filePath("data.txt")).startsWith("[Setup]\r\n"));
  EXPECT_EQ(host.rec.document.dataFileName, dir.filePath("data.txt"));
}

TEST_F(FileCommandsTest, SaveAfterATextExportOfAnOpenedFileKeepsItsFormat) {
  answerFileDialog("table", "Text Files (*.txt)");
  ASSERT_TRUE(commands.FileSaveAs1Execute());
  const QString path = dir.filePath("m.dpv");
  writeBytes(path, dpvFileBytes(host.rec));
  ASSERT_TRUE(commands.openFile(path));
  ASSERT_TRUE(commands.FileSaveAs1Execute());  // no dialog: the .dpv file stays a .dpv file
  EXPECT_TRUE(readBytes(path).startsWith("[Setup]\r\n"));
}

TEST_F(FileCommandsTest, OverwriteIsConfirmed) {
  writeBytes(dir.filePath("old.dpv"), "old");
  QString question;
  answerFileDialog("old.dpv");
  answerMessageBox(&question, QMessageBox::Yes);
  ASSERT_TRUE(commands.FileSaveAs1Execute());
  EXPECT_TRUE(question.contains("already exists")) << question.toStdString();
  EXPECT_TRUE(readBytes(dir.filePath("old.dpv")).startsWith("[Setup]"));
}

TEST_F(FileCommandsTest, WriteFailureShowsTheErrorAndKeepsTheState) {
  QDir(dir.path()).mkdir("folder.dpv");
  host.rec.document.dataSaved = true;
  host.rec.document.askFileName = false;
  host.rec.document.dataFileName = dir.filePath("folder.dpv");
  QString message;
  answerMessageBox(&message);
  EXPECT_FALSE(commands.FileSaveAs1Execute());
  EXPECT_TRUE(message.startsWith("Cannot write file")) << message.toStdString();
  EXPECT_EQ(host.rec.display.panels.status, "Saving");
}

TEST_F(FileCommandsTest, SaveAsItemAlwaysAsksAndOffersTheCurrentName) {
  const QString path = dir.filePath("cur.dpv");
  ASSERT_TRUE(commands.saveFile(path));
  DialogSeen seen;
  answerFileDialog("other", QString(), &seen);
  ASSERT_TRUE(commands.FileSaveAsItemClick());
  EXPECT_EQ(seen.fileName, "cur.dpv");
  EXPECT_EQ(host.rec.document.dataFileName, dir.filePath("other.dpv"));
}

TEST_F(FileCommandsTest, OpenStopsTheRunLeavesTheZoomAndLoads) {
  const QString path = dir.filePath("in.dpv");
  writeBytes(path, "[Setup]\r\nDate time=noon\r\nP start=-100\r\n[Info]\r\nnote\r\n[Data]\r\n1\r\n2\r\n3\r\n");
  host.running = true;
  host.rec.view.beforeZoom = AxisTexts{"-900", {}, {}, {}};
  DialogSeen seen;
  answerFileDialog(path, QString(), &seen);
  ASSERT_TRUE(commands.FileOpen1Execute());
  EXPECT_EQ(seen.title, "Open");
  EXPECT_EQ(seen.filters, (QStringList{"Data Files (*.dpv)", "All Files (*.*)"}));
  EXPECT_EQ(seen.directory, QDir(dir.path()).absolutePath());
  EXPECT_EQ(host.stops, 1);
  EXPECT_EQ(host.unzooms, 1);
  EXPECT_FALSE(host.rec.zoomed());
  EXPECT_EQ(host.rec.texts.potStart, "-100");
  EXPECT_EQ(host.rec.document.description, QStringList{"note"});
  EXPECT_EQ(host.rec.document.pointIndex, 2);
  EXPECT_TRUE(host.statusSeen.contains("Loading"));
  EXPECT_TRUE(host.rec.display.panels.status.isEmpty());
  EXPECT_EQ(host.rec.display.runHint, "Start of measurement: noon");
  EXPECT_EQ(host.redraws, 1);
  EXPECT_EQ(host.rec.caption(), kTitle + " [in.dpv]");

  // The open dialog starts with an empty name every time.
  answerFileDialog(QString(), QString(), &seen);
  EXPECT_FALSE(commands.FileOpen1Execute());
  EXPECT_EQ(seen.fileName, "");
}

TEST_F(FileCommandsTest, OpenCancelledDoesNotStopTheRun) {
  host.running = true;
  answerFileDialog(QString());
  EXPECT_FALSE(commands.FileOpen1Execute());
  EXPECT_EQ(host.stops, 0);
}

TEST_F(FileCommandsTest, UnreadableFileKeepsTheState) {
  QString error;
  EXPECT_FALSE(commands.openFile(dir.filePath("gone.dpv"), &error));
  EXPECT_TRUE(error.startsWith("Cannot open file")) << error.toStdString();
  EXPECT_EQ(host.redraws, 0);
  EXPECT_FALSE(host.rec.document.dataSaved);
  EXPECT_TRUE(host.rec.document.dataFileName.isEmpty());
  EXPECT_EQ(host.rec.display.panels.status, "Loading");
}

// The File menu as a user drives it: Save As always asks, Save writes
// straight to the open file, New and Open clear the marker readouts.
#include <gtest/gtest.h>
#include <QAction>
#include <QLabel>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "qstring_print.h"

#include "app/ui/program_windows.h"
#include "app/ui/sdimain.h"
#include "core/app_paths.h"
#include "files/files_test_support.h"
#include "graph/ui/graph_view.h"
#include "instrument/port_backend.h"

#include "program_folder_test.h"

namespace {

struct DialogSeen {
  bool shown = false;
  QString title, fileName, filter;
};

// Answers the next file dialog: picks the file type `filter` (when given),
// types `name` and confirms; an empty name cancels.
void answerFileDialog(const QString &name, const QString &filter = QString(), DialogSeen *seen = nullptr) {
  answerModal<QFileDialog>([=](QFileDialog *dialog) {
    if (seen) {
      seen->shown = true;
      seen->title = dialog->windowTitle();
      seen->fileName = dialog->findChild<QLineEdit *>("fileNameEdit")->text();
      seen->filter = dialog->selectedNameFilter();
    }
    if (name.isEmpty()) return dialog->reject();
    if (!filter.isEmpty()) dialog->selectNameFilter(filter);
    typeFileName(dialog, name);
    QMetaObject::invokeMethod(dialog, "accept");
  });
}

const QByteArray kMeasurement =
    "[Setup]\r\nDate time=noon\r\nC min=-10\r\nC max=10\r\nC units=uA\r\nP start=-100\r\nP end=100\r\n"
    "[Info]\r\ncell\r\n[Data]\r\n1.00\r\n2.00\r\n3.00\r\n4.00\r\n5.00\r\n6.00\r\n";

class FileMenu : public ProgramFolderTest {
 protected:
  void SetUp() override {
    ProgramFolderTest::SetUp();
    writeBytes(path("m1.dpv"), kMeasurement);
  }

  // File > Open, choosing `name`.
  void open(TSDIAppForm &w, const QString &name) {
    answerFileDialog(path(name));
    w.FileOpen1->trigger();
    ASSERT_EQ(w.record().document.dataFileName, path(name));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !w.graph->redrawPending(); }));
  }

  // Clicks a point, then Ctrl+clicks another: every readout panel is filled.
  void markPoints(TSDIAppForm &w) {
    QWidget *plot = w.graph->plotArea();
    QTest::mouseClick(plot, Qt::LeftButton, {}, QPoint(plot->width() / 3, plot->height() / 2));
    QTest::mouseClick(plot, Qt::LeftButton, Qt::ControlModifier, QPoint(plot->width() / 2, plot->height() / 2));
    ASSERT_FALSE(w.Panel3->text().isEmpty());
    ASSERT_FALSE(w.Panel4->text().isEmpty());
    ASSERT_FALSE(w.Panel7->text().isEmpty());
    ASSERT_FALSE(w.Panel8->text().isEmpty());
  }

  void expectReadoutsEmpty(TSDIAppForm &w, const char *after) {
    EXPECT_EQ(w.Panel3->text() + w.Panel4->text() + w.Panel7->text() + w.Panel8->text(), "") << after;
  }
};

}  // namespace

TEST_F(FileMenu, SaveAsAlwaysAsksWithTheCurrentNameAndSaveWritesStraightToTheFile) {
  ProgramWindows windows;
  TSDIAppForm &w = windows.mainWindow();
  w.show();
  open(w, "m1.dpv");
  const MeasurementRecord &r = w.record();

  // Cancelled, Save As leaves the file, the name and the saved state.
  DialogSeen seen;
  answerFileDialog(QString(), QString(), &seen);
  w.FileSaveAs1->trigger();
  EXPECT_TRUE(seen.shown);
  EXPECT_EQ(seen.title, "Save As");
  EXPECT_EQ(seen.fileName, "m1.dpv");
  EXPECT_EQ(seen.filter, "Data Files (*.dpv)");
  EXPECT_TRUE(r.document.dataSaved);
  EXPECT_FALSE(r.document.askFileName);
  EXPECT_EQ(r.document.dataFileName, path("m1.dpv"));
  EXPECT_EQ(readBytes(path("m1.dpv")), kMeasurement);

  // Another name: the measurement goes there and the open file stays as it was.
  answerFileDialog("m2");
  w.FileSaveAs1->trigger();
  EXPECT_EQ(r.document.dataFileName, path("m2.dpv"));
  EXPECT_EQ(w.windowTitle(), "Differential pulse voltammetry [m2.dpv]");
  EXPECT_TRUE(readBytes(path("m2.dpv")).startsWith("[Setup]\r\nDate time=noon\r\n"));
  EXPECT_EQ(readBytes(path("m1.dpv")), kMeasurement);

  // The text export is reached through Save As and is only a copy.
  seen = DialogSeen();
  answerFileDialog("table", "Text Files (*.txt)", &seen);
  w.FileSaveAs1->trigger();
  EXPECT_EQ(seen.fileName, "m2.dpv");
  EXPECT_TRUE(readBytes(path("table.txt")).startsWith("Differential pulse voltammetry\r\n"));
  EXPECT_TRUE(r.document.dataSaved);
  EXPECT_EQ(r.document.dataFileName, path("m2.dpv"));

  // Save writes the open file without asking.
  QFile::remove(path("m2.dpv"));
  bool asked = false;
  QTimer watch;  // a dialog that should not come is noted and cancelled
  watch.setInterval(10);
  QObject::connect(&watch, &QTimer::timeout, [&asked] {
    if (auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget())) {
      asked = true;
      dialog->reject();
    }
  });
  watch.start();
  w.FileSave1->trigger();
  watch.stop();
  EXPECT_FALSE(asked);
  EXPECT_TRUE(readBytes(path("m2.dpv")).startsWith("[Setup]\r\n"));

  // After New the record is unsaved, and a cancelled Save As keeps it so.
  w.FileNew1->trigger();
  answerFileDialog(QString());
  w.FileSaveAs1->trigger();
  EXPECT_FALSE(r.document.dataSaved);
  EXPECT_TRUE(r.document.askFileName);
}

TEST_F(FileMenu, NewAndOpenClearTheMarkerReadouts) {
  writeBytes(path("m2.dpv"), kMeasurement);
  ProgramWindows windows;
  TSDIAppForm &w = windows.mainWindow();
  w.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
  open(w, "m1.dpv");
  markPoints(w);
  open(w, "m2.dpv");
  expectReadoutsEmpty(w, "Open");
  markPoints(w);
  w.FileNew1->trigger();
  expectReadoutsEmpty(w, "New");
}

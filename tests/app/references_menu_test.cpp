// The comparison commands as a user reaches them: File > "Add reference
// curve..." and "Remove reference curves", the curves remembered across a
// restart, and Work > "Subtract blank..." with its refusal.
#include <gtest/gtest.h>

#include <QAction>
#include <QFileDialog>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>

#include "app/ui/program_windows.h"
#include "app/ui/sdimain.h"
#include "core/app_paths.h"
#include "core/ini_file.h"
#include "files/files_test_support.h"
#include "graph/ui/graph_view.h"
#include "instrument/port_backend.h"
#include "modal_answer.h"
#include "qstring_print.h"
#include "references/reference_files.h"
#include "references/reference_palette.h"

namespace {

QAction *menuItem(TSDIAppForm &w, const QString &menu, const QString &item) {
  for (QAction *m : w.menuBar()->actions())
    if (m->text() == menu)
      for (QAction *a : m->menu()->actions())
        if (a->text() == item) return a;
  return nullptr;
}

int countColour(const QImage &image, const QColor &color) {
  int n = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (image.pixelColor(x, y) == color) ++n;
  return n;
}

// The row of the image where most pixels have `color`.
int rowOf(const QImage &image, const QColor &color) {
  int best = -1, most = 0;
  for (int y = 0; y < image.height(); ++y) {
    int n = 0;
    for (int x = 0; x < image.width() / 2; ++x)
      if (image.pixelColor(x, y) == color) ++n;
    if (n > most) most = n, best = y;
  }
  return best;
}

// Answers the next file dialog with these files of `folder`, as a user picks them.
std::shared_ptr<bool> pickFiles(const QString &folder, const QStringList &names, QString *title = nullptr) {
  auto picked = std::make_shared<bool>(false);
  answerModal<QFileDialog>([=](QFileDialog *dialog) {
    *picked = true;
    if (title) *title = dialog->windowTitle();
    dialog->setDirectory(folder);
    QStringList quoted;
    for (const QString &n : names) quoted << '"' + n + '"';
    typeFileName(dialog, names.size() == 1 ? names[0] : quoted.join(' '));
    QMetaObject::invokeMethod(dialog, "accept");
  });
  return picked;
}

class ReferencesMenu : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(folder_.isValid());
    setProgramFolder(folder_.path());
    QString error;
    ASSERT_TRUE(selectPortBackend("sim-fast", QString(), &error)) << error;
    // Flat lines at 20, 40 and 60 uA from -100 to 100 mV.
    for (int i = 1; i <= 3; ++i)
      writeFile(path(QString("ref%1.dpv").arg(i)), measurementBytes(-100, 100, 20, std::vector<double>(202, 20.0 * i)));
    writeFile(path("sample.dpv"), measurementBytes(-100, 100, 20, std::vector<double>(201, 5.0)));
    writeFile(path("blank.dpv"), measurementBytes(-200, 200, 40, std::vector<double>(201, 2.0)));
    writeFile(path("narrow.dpv"), measurementBytes(0, 200, 40, std::vector<double>(101, 2.0)));
  }
  void TearDown() override { setProgramFolder(QString()); }
  QString path(const QString &name) const { return folder_.filePath(name); }

  QTemporaryDir folder_;
};

const QVector<QColor> kColours = referenceColors(3, QColor(0, 0, 255), Qt::white);

}  // namespace

TEST_F(ReferencesMenu, AddedCurvesAreDrawnOverTheGraphFollowTheZoomAndAreRemoved) {
  ProgramWindows windows;
  TSDIAppForm &w = windows.mainWindow();
  w.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
  w.PotStartEdit->setText("-200");
  w.PotEndEdit->setText("200");
  w.graph->DrawGraph();
  QAction *add = menuItem(w, "&File", "Add reference curve...");
  ASSERT_NE(add, nullptr);
  QString title;
  const auto picked = pickFiles(folder_.path(), {"ref1.dpv", "ref2.dpv", "ref3.dpv"}, &title);
  add->trigger();
  ASSERT_TRUE(*picked);
  EXPECT_EQ(title, "Add reference curve");
  ASSERT_EQ(w.references().curves().size(), 3u);
  EXPECT_EQ(w.references().curves()[2].name, "ref3.dpv");
  EXPECT_TRUE(w.statusBar()->currentMessage().isEmpty()) << w.statusBar()->currentMessage();
  // Display only: the measurement is still the empty one.
  EXPECT_EQ(w.record().document.pointIndex, 0);
  EXPECT_TRUE(w.record().document.dataSaved);
  const QImage before = w.graph->plotImage();
  for (const QColor &c : kColours) EXPECT_GT(countColour(before, c), 100) << c.name();
  const int row = rowOf(before, kColours[0]);

  // A right-drag zoom over the lower half: the 20 uA line moves up the plot.
  QWidget *plot = w.graph->plotArea();
  QTest::mousePress(plot, Qt::RightButton, {}, QPoint(10, plot->height() / 2));
  QTest::mouseMove(plot, QPoint(plot->width() - 10, plot->height() - 5));
  QTest::mouseRelease(plot, Qt::RightButton, {}, QPoint(plot->width() - 10, plot->height() - 5));
  ASSERT_TRUE(w.record().zoomed());
  ASSERT_TRUE(QTest::qWaitFor([&] { return !w.graph->redrawPending(); }));
  const int zoomedRow = rowOf(w.graph->plotImage(), kColours[0]);
  EXPECT_LT(zoomedRow, row - 50);
  w.graph->PaintBox2DblClick();
  EXPECT_EQ(rowOf(w.graph->plotImage(), kColours[0]), row);

  QAction *remove = menuItem(w, "&File", "Remove reference curves");
  ASSERT_NE(remove, nullptr);
  remove->trigger();
  EXPECT_TRUE(w.references().empty());
  for (const QColor &c : kColours) EXPECT_EQ(countColour(w.graph->plotImage(), c), 0) << c.name();
}

TEST_F(ReferencesMenu, CurvesComeBackAfterARestartAndAMissingFileIsSkippedWithOneMessage) {
  {
    ProgramWindows windows;
    TSDIAppForm &w = windows.mainWindow();
    const auto picked = pickFiles(folder_.path(), {"ref1.dpv", "ref2.dpv", "ref3.dpv"});
    menuItem(w, "&File", "Add reference curve...")->trigger();
    ASSERT_TRUE(*picked);
    w.close();
  }
  EXPECT_EQ(IniFile(path("marelt.ini")).readString("References", "File2", ""), path("ref2.dpv"));
  {
    ProgramWindows windows;
    TSDIAppForm &w = windows.mainWindow();
    EXPECT_EQ(w.references().paths(), (QStringList{path("ref1.dpv"), path("ref2.dpv"), path("ref3.dpv")}));
    EXPECT_TRUE(w.statusBar()->currentMessage().isEmpty());
    w.close();
  }
  QFile::remove(path("ref1.dpv"));
  QFile::remove(path("ref3.dpv"));
  ProgramWindows windows;
  TSDIAppForm &w = windows.mainWindow();
  EXPECT_EQ(w.references().paths(), QStringList{path("ref2.dpv")});
  EXPECT_EQ(w.statusBar()->currentMessage(), "Reference curve not found: ref1.dpv, ref3.dpv");
}

TEST_F(ReferencesMenu, SubtractBlankMakesANewUnsavedMeasurementThatSaveAsksANameFor) {
  ProgramWindows windows;
  TSDIAppForm &w = windows.mainWindow();
  w.openAtStart(path("sample.dpv"));
  ASSERT_EQ(w.record().document.pointIndex, 200);
  QAction *subtract = menuItem(w, "&Work", "Subtract blank...");
  ASSERT_NE(subtract, nullptr);
  QString title;
  const auto picked = pickFiles(folder_.path(), {"blank.dpv"}, &title);
  subtract->trigger();
  ASSERT_TRUE(*picked);
  EXPECT_EQ(title, "Subtract blank");
  for (int i = 0; i <= 200; ++i) ASSERT_NEAR(w.record().document.points[i], 3e-6, 1e-12) << i;
  EXPECT_EQ(w.Memo1->toPlainText(), "cell one\nBlank subtracted: blank.dpv");
  EXPECT_EQ(w.windowTitle(), kTitle);
  EXPECT_FALSE(w.record().document.dataSaved);

  // Save asks for a name; the sample file stays as it was.
  QString saveTitle;
  answerModal<QFileDialog>([&](QFileDialog *dialog) {
    saveTitle = dialog->windowTitle();
    dialog->reject();
  });
  w.FileSave1->trigger();
  EXPECT_EQ(saveTitle, "Save As");
  EXPECT_EQ(fileBytes(path("sample.dpv")), measurementBytes(-100, 100, 20, std::vector<double>(201, 5.0)));

  // Unsaved now: a second subtraction first offers to save it.
  QString question;
  const auto asked = answerMessageBox(QMessageBox::Cancel, &question);
  subtract->trigger();
  ASSERT_TRUE(*asked);
  EXPECT_EQ(question, "Data not saved. Save?");
  EXPECT_NEAR(w.record().document.points[0], 3e-6, 1e-12);
}

TEST_F(ReferencesMenu, ABlankThatDoesNotCoverTheMeasurementIsRefusedWithAMessage) {
  ProgramWindows windows;
  TSDIAppForm &w = windows.mainWindow();
  w.openAtStart(path("sample.dpv"));
  const std::vector<double> points = w.record().document.points;
  const auto picked = pickFiles(folder_.path(), {"narrow.dpv"});
  QString message;
  // The message box follows the file dialog.
  answerModal<QMessageBox>([&](QMessageBox *box) {
    message = box->text();
    box->accept();
  });
  menuItem(w, "&Work", "Subtract blank...")->trigger();
  ASSERT_TRUE(*picked);
  EXPECT_TRUE(message.contains("\"narrow.dpv\"")) << message;
  EXPECT_TRUE(message.contains("does not cover the potential range of the measurement")) << message;
  EXPECT_EQ(w.record().document.points, points);
  EXPECT_EQ(w.Memo1->toPlainText(), "cell one");
  EXPECT_TRUE(w.record().document.dataSaved);
  EXPECT_EQ(w.windowTitle(), kTitle + " [sample.dpv]");
}

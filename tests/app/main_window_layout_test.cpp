// The main window at the sizes it allows: no control squeezed below its size.
#include <gtest/gtest.h>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>

#include "app/ui/program_windows.h"
#include "app/ui/sdimain.h"
#include "core/app_paths.h"
#include "instrument/port_backend.h"

#include "program_folder_test.h"

namespace {

class MainWindowLayout : public ProgramFolderTest {
 protected:
};

// Every edit, list and spin box of `window` shown at least at its own size.
void expectNothingSqueezed(QWidget &window, const char *where) {
  int checked = 0;
  for (QWidget *control : window.findChildren<QWidget *>()) {
    if (!qobject_cast<QLineEdit *>(control) && !qobject_cast<QComboBox *>(control) &&
        !qobject_cast<QAbstractSpinBox *>(control))
      continue;
    // The edit inside a spin box is sized by the spin box.
    if (qobject_cast<QAbstractSpinBox *>(control->parentWidget())) continue;
    if (!control->isVisibleTo(&window)) continue;
    ++checked;
    auto *group = qobject_cast<QGroupBox *>(control->parentWidget());
    const QString name = (group ? group->title() : QString()) + "/" + control->metaObject()->className();
    EXPECT_GE(control->height(), control->sizeHint().height()) << where << ": " << name.toStdString();
    EXPECT_GE(control->width(), control->minimumSizeHint().width()) << where << ": " << name.toStdString();
  }
  EXPECT_GE(checked, 14) << where;
}

}  // namespace

TEST_F(MainWindowLayout, AtTheSmallestSizeTheWindowAllowsNoControlIsSqueezed) {
  ProgramWindows windows;
  TSDIAppForm &w = windows.mainWindow();
  w.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
  w.resize(1, 1);  // the window keeps its minimum size
  QTest::qWait(50);
  EXPECT_EQ(w.size(), w.minimumSize());
  expectNothingSqueezed(w, "minimum size");
  // Only the height is short in the smallest window: a wide one is no better.
  w.resize(1400, 1);
  QTest::qWait(50);
  expectNothingSqueezed(w, "wide and low");
  EXPECT_GE(w.minimumHeight(), 508);
}

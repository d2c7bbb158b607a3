#pragma once
// A test with a fresh settings folder and the simulated instrument on its
// virtual clock, as the window tests start the program.

#include <gtest/gtest.h>
#include <QTemporaryDir>

#include "core/app_paths.h"
#include "instrument/port_backend.h"

class ProgramFolderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(folder_.isValid());
    setProgramFolder(folder_.path());
    QString error;
    ASSERT_TRUE(selectPortBackend("sim-fast", QString(), &error)) << error.toStdString();
  }
  void TearDown() override { setProgramFolder(QString()); }

  QString path(const QString &name) const { return folder_.filePath(name); }

  QTemporaryDir folder_;
};

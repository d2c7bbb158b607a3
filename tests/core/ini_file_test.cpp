#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "qstring_print.h"

#include "core/ini_file.h"
#include "core/text_io.h"

namespace {
QString writeFile(const QTemporaryDir &dir, const QByteArray &bytes) {
  const QString path = dir.filePath("test.ini");
  QFile f(path);
  f.open(QIODevice::WriteOnly);
  f.write(bytes);
  return path;
}

QByteArray readBytes(const QString &path) {
  QFile f(path);
  f.open(QIODevice::ReadOnly);
  return f.readAll();
}
}  // namespace

TEST(IniFile, ReadsHandWrittenFileWithOddCaseAndHex) {
  QTemporaryDir dir;
  const QString path = writeFile(dir,
                                 "; written by hand\n"
                                 "[graph SETUP]\n"
                                 "c LINE color = 0xFF00\n"
                                 "BKG Color=$FFFFFF\n"
                                 "Width=-12\n"
                                 "Bad=12abc\n"
                                 "Flag=7\n"
                                 "Off=0\n"
                                 "Empty=\n"
                                 "Big=0xFFFFFFFF\n"
                                 "[Other]\r\n"
                                 "Key=value with = sign\r\n");
  const IniFile ini(path);
  EXPECT_EQ(ini.readInteger("Graph setup", "C line color", 1), 0xFF00);
  EXPECT_EQ(ini.readInteger("GRAPH SETUP", "Bkg color", 1), 0xFFFFFF);
  EXPECT_EQ(ini.readInteger("Graph setup", "width", 0), -12);
  EXPECT_EQ(ini.readInteger("Graph setup", "Bad", 42), 42);
  EXPECT_EQ(ini.readInteger("Graph setup", "Missing", 42), 42);
  EXPECT_TRUE(ini.readBool("Graph setup", "Flag", false));
  EXPECT_FALSE(ini.readBool("Graph setup", "Off", true));
  EXPECT_EQ(ini.readString("Graph setup", "Empty", "default"), "");
  EXPECT_EQ(ini.readInteger("Graph setup", "Big", 0), -1);
  EXPECT_EQ(ini.readString("other", "KEY", ""), "value with = sign");
  EXPECT_EQ(ini.readString("Nowhere", "Key", "dflt"), "dflt");
}

TEST(IniFile, MissingFileGivesDefaults) {
  const IniFile ini("/nonexistent/dir/x.ini");
  EXPECT_EQ(ini.readString("Setup", "C min", "-100"), "-100");
  EXPECT_EQ(ini.readInteger("Setup", "Electrode system", 2), 2);
  EXPECT_TRUE(ini.sectionKeys("Info").isEmpty());
}

TEST(IniFile, WritesInOrderAndKeepsOtherSections) {
  QTemporaryDir dir;
  const QString path = writeFile(dir, "[Keep]\nA=1\n[Setup]\nOld=x\n");
  IniFile ini(path);
  ini.writeString("setup", "old", "y");  // same key, other case: replaced in place
  ini.writeString("Setup", "New", "z");
  ini.writeInteger("Page setup", "Orientation", 1);
  ini.writeBool("Page setup", "Visible grid", true);
  ASSERT_TRUE(ini.save());
  EXPECT_EQ(readBytes(path),
            "[Keep]\r\nA=1\r\n[Setup]\r\nOld=y\r\nNew=z\r\n[Page setup]\r\nOrientation=1\r\nVisible grid=1\r\n");
}

TEST(IniFile, EraseSectionThenRewriteKeepsOrder) {
  QTemporaryDir dir;
  IniFile ini(dir.filePath("a.ini"));
  ini.writeString("Info", "first", "");
  ini.writeString("Info", "second", "");
  ini.eraseSection("INFO");
  ini.writeString("Info", "third", "");
  ini.writeString("Info", "fourth", "");
  ASSERT_TRUE(ini.save());
  const IniFile back(dir.filePath("a.ini"));
  EXPECT_EQ(back.sectionKeys("Info"), QStringList({"third", "fourth"}));
}

TEST(IniFile, SaveFailureIsReportedAndLeavesNoFile) {
  IniFile ini("/nonexistent-folder/marelt.ini");
  ini.writeString("Setup", "C min", "1");
  QString error;
  EXPECT_FALSE(ini.save(&error));
  EXPECT_FALSE(error.isEmpty());
}

TEST(IniFile, SavingOverAFolderFails) {
  QTemporaryDir dir;
  QDir(dir.path()).mkdir("sub");
  IniFile ini(dir.filePath("sub"));
  ini.writeString("Setup", "C min", "1");
  EXPECT_FALSE(ini.save());
  EXPECT_TRUE(QFileInfo(dir.filePath("sub")).isDir());
}

TEST(TextIo, ReadsLatin1WhenNotUtf8) {
  EXPECT_EQ(decodeText("caf\xC3\xA9"), QString::fromUtf8("caf\xC3\xA9"));
  EXPECT_EQ(decodeText("caf\xE9"), QString::fromUtf8("caf\xC3\xA9"));
  EXPECT_EQ(splitLines("a\r\nb\nc\r\n"), QStringList({"a", "b", "c"}));
  EXPECT_EQ(splitLines("a\r\n\r\n"), QStringList({"a", ""}));
}

// Description lines that case folding or trimming could merge or change come
// back from "marelt.ini" exactly.
#include <gtest/gtest.h>
#include <QFile>
#include <QTemporaryDir>

#include "qstring_print.h"

#include "core/ini_file.h"
#include "core/main_settings.h"

namespace {

QStringList roundTrip(const QStringList &lines) {
  QTemporaryDir dir;
  const QString path = dir.filePath("marelt.ini");
  {
    IniFile ini(path);
    writeDescription(ini, lines);
    if (!ini.save()) return {"not saved"};
  }
  return readDescription(IniFile(path));
}

}  // namespace

TEST(DescriptionLines, LinesThatFoldingMergesOrTrimmingChangesComeBackExactly) {
  const QStringList lines = {
      QString::fromUtf8("5 \u00B5A"),  // micro sign
      QString::fromUtf8("5 \u03BCA"),  // Greek small mu
      QString::fromUtf8("5 \u039CA"),  // Greek capital mu
      QString::fromUtf8("\u03C2"),     // final sigma
      QString::fromUtf8("\u03C3"),          QString::fromUtf8("\u03A3"),
      QString::fromUtf8("KCl 0.1 M\u00A0"),  // trailing no-break space
      QString::fromUtf8("\u00A0KCl 0.1 M"), QString::fromUtf8("KCl 0.1 M"),
      QString::fromUtf8("\u01C5"),  // title-case digraph and its small form
      QString::fromUtf8("\u01C6"),          QString::fromUtf8("\u2003em space\u2003"),
  };
  EXPECT_EQ(roundTrip(lines), lines);
  // Ordinary lines stay plain keys; so does the first of each merged group.
  QTemporaryDir dir;
  IniFile ini(dir.filePath("marelt.ini"));
  writeDescription(ini, lines);
  const QStringList keys = ini.sectionKeys("Info");
  ASSERT_EQ(keys.size(), lines.size());
  EXPECT_EQ(keys[0], lines[0]);
  EXPECT_NE(keys[1], lines[1]);
  EXPECT_EQ(keys[8], "KCl 0.1 M");
}

TEST(DescriptionLines, OlderFilesReadAsBefore) {
  QTemporaryDir dir;
  QFile f(dir.filePath("marelt.ini"));
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write("[ info ]\r\n  spaced key \t=\r\nKey=\r\nkEY=\r\n%2:a%20b=\r\n\t[ Setup ]  \r\n C min = -5 \r\n");
  f.close();
  const IniFile ini(f.fileName());
  EXPECT_EQ(readDescription(ini), QStringList({"spaced key", "Key", "a b"}));
  EXPECT_EQ(ini.readString("SETUP", "c MIN", ""), "-5");
}

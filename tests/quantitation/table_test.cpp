// The quantitation table as a spreadsheet writes it, and every fault a table
// can have, each named by its line.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "qstring_print.h"
#include "quantitation/csv_fields.h"
#include "quantitation/quantitation_table.h"
#include "quantitation/table_checks.h"

namespace {

const QString kFolder = QStringLiteral("/data/run 7");

QuantitationTable read(const QStringList &lines) {
  QuantitationTable table;
  TableError error;
  EXPECT_TRUE(readQuantitationTable(lines, kFolder, &table, &error)) << error.message().toStdString();
  return table;
}

TableError readFault(const QStringList &lines) {
  QuantitationTable table;
  TableError error;
  EXPECT_FALSE(readQuantitationTable(lines, kFolder, &table, &error)) << lines.join('|').toStdString();
  return error;
}

TableError checkFault(const QStringList &lines, Weighting weighting = Weighting::None) {
  Method method;
  TableError error;
  EXPECT_FALSE(checkTable(read(lines), weighting, &method, &error)) << lines.join('|').toStdString();
  return error;
}

Method methodOf(const QStringList &lines, Weighting weighting = Weighting::None) {
  Method method = Method::Calibration;
  TableError error;
  EXPECT_TRUE(checkTable(read(lines), weighting, &method, &error)) << error.message().toStdString();
  return method;
}

}  // namespace

TEST(CsvFields, QuotedFieldsAsSpreadsheetsWriteThem) {
  QStringList f;
  ASSERT_TRUE(splitCsvLine(QStringLiteral("a,\"b, c\",\"say \"\"hi\"\"\",,  \"d\""), &f));
  EXPECT_EQ(f, (QStringList{"a", "b, c", "say \"hi\"", "", "d"}));
  ASSERT_TRUE(splitCsvLine(QString(), &f));
  EXPECT_EQ(f, QStringList{QString()});
  EXPECT_FALSE(splitCsvLine(QStringLiteral("a,\"open"), &f));
  for (const QString &text : {QStringLiteral("plain"), QStringLiteral("a,b"), QStringLiteral("\"q\""), QString()}) {
    ASSERT_TRUE(splitCsvLine(csvField(text) + QStringLiteral(",x"), &f));
    EXPECT_EQ(f, (QStringList{text, "x"}));
  }
  EXPECT_EQ(csvField("a,b"), "\"a,b\"");
}

TEST(QuantitationTable, ReadsRolesConcentrationsUnitAndNames) {
  const QuantitationTable t = read({
      "File,Role,Concentration [mg/L],Name",
      "std1.dpv,standard,0.5,",
      " sub/std2.dpv , Standard , 1.0 ,",
      ",,,",
      "",
      "\"b, 1.dpv\",blank,,",
      "river-a.dpv,sample,,river",
      "/abs/river-b.dpv,SAMPLE,,river",
      "lake.dpv,sample,,",
  });
  EXPECT_EQ(t.unit, "mg/L");
  ASSERT_EQ(t.entries.size(), 6u);
  EXPECT_EQ(t.entries[0].file, kFolder + "/std1.dpv");
  EXPECT_EQ(t.entries[0].role, Role::Standard);
  EXPECT_EQ(t.entries[0].concentration, 0.5);
  EXPECT_EQ(t.entries[0].line, 2);
  EXPECT_EQ(t.entries[1].file, kFolder + "/sub/std2.dpv");
  EXPECT_EQ(t.entries[1].concentrationText, "1.0");
  EXPECT_EQ(t.entries[1].line, 3);
  EXPECT_EQ(t.entries[2].file, kFolder + "/b, 1.dpv");
  EXPECT_EQ(t.entries[2].role, Role::Blank);
  EXPECT_EQ(t.entries[2].line, 6);
  EXPECT_EQ(t.entries[3].sampleName(), "river");
  EXPECT_EQ(t.entries[4].file, "/abs/river-b.dpv");
  EXPECT_EQ(t.entries[4].sampleName(), "river");
  EXPECT_EQ(t.entries[5].sampleName(), "lake");  // named after its file
}

TEST(QuantitationTable, HeaderWithoutUnitOrNames) {
  const QuantitationTable t = read({"file,role,concentration", "a.dpv,addition,2"});
  EXPECT_TRUE(t.unit.isEmpty());
  ASSERT_EQ(t.entries.size(), 1u);
  EXPECT_EQ(t.entries[0].role, Role::Addition);
  // A spreadsheet's empty columns after the header are no columns.
  EXPECT_EQ(read({"File,Role,Concentration [µmol/L],,", "a.dpv,blank,0,,"}).unit, "µmol/L");
}

TEST(QuantitationTable, WrittenBackRelativeToItsFolder) {
  QuantitationTable t;
  t.unit = QStringLiteral("mg/L");
  TableError error;
  TableEntry e;
  ASSERT_TRUE(makeTableEntry(kFolder + "/std1.dpv", "standard", "0.50", "", 2, &e, &error));
  t.entries.push_back(e);
  ASSERT_TRUE(makeTableEntry(kFolder + "/more/b,1.dpv", "blank", "", "", 3, &e, &error));
  t.entries.push_back(e);
  ASSERT_TRUE(makeTableEntry("/elsewhere/s.dpv", "sample", "", "", 4, &e, &error));
  t.entries.push_back(e);
  const QStringList lines = quantitationTableLines(t, kFolder);
  EXPECT_EQ(lines, (QStringList{"File,Role,Concentration [mg/L]", "std1.dpv,standard,0.50", "\"more/b,1.dpv\",blank,",
                                "../../elsewhere/s.dpv,sample,"}));
  // A name brings the Name column; the table reads back as it was.
  t.entries[2].name = QStringLiteral("river, upper");
  const QStringList named = quantitationTableLines(t, kFolder);
  EXPECT_EQ(named[0], "File,Role,Concentration [mg/L],Name");
  EXPECT_EQ(named[3], "../../elsewhere/s.dpv,sample,,\"river, upper\"");
  const QuantitationTable again = read(named);
  ASSERT_EQ(again.entries.size(), 3u);
  for (std::size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(again.entries[i].file, t.entries[i].file);
    EXPECT_EQ(again.entries[i].role, t.entries[i].role);
    EXPECT_EQ(again.entries[i].concentrationText, t.entries[i].concentrationText);
    EXPECT_EQ(again.entries[i].name, t.entries[i].name);
  }
}

TEST(QuantitationTable, FileWithByteOrderMarkAndCrLf) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QString path = dir.filePath("table.csv");
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write(
      "\xEF\xBB\xBF"
      "File,Role,Concentration [mg/L]\r\nstd1.dpv,standard,1\r\n");
  f.close();
  QuantitationTable t;
  TableError error;
  ASSERT_TRUE(loadQuantitationTable(path, &t, &error)) << error.message().toStdString();
  EXPECT_EQ(t.unit, "mg/L");
  ASSERT_EQ(t.entries.size(), 1u);
  EXPECT_EQ(t.entries[0].file, QDir(dir.path()).filePath("std1.dpv"));

  QString why;
  ASSERT_TRUE(saveQuantitationTable(path, t, &why)) << why.toStdString();
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  EXPECT_EQ(f.readAll(), "File,Role,Concentration [mg/L]\r\nstd1.dpv,standard,1\r\n");
  f.close();

  EXPECT_FALSE(loadQuantitationTable(dir.filePath("none.csv"), &t, &error));
  EXPECT_EQ(error.line, 0);
  EXPECT_TRUE(error.message().contains("none.csv")) << error.message().toStdString();
}

TEST(QuantitationTable, EachFaultOfARowNamesItsLine) {
  const QString header = QStringLiteral("File,Role,Concentration");
  struct Case {
    QStringList lines;
    int line;
    const char *says;
  } cases[] = {
      {{"Datei,Rolle,Konzentration", "a.dpv,standard,1"}, 1, "header"},
      {{"File;Role;Concentration", "a.dpv;standard;1"}, 1, "header"},
      {{"File,Role", "a.dpv,standard"}, 1, "header"},
      {{"File,Role,Concentration,Name,Note"}, 1, "header"},
      {{}, 1, "header"},
      {{header, "a.dpv,standard,1", "b.dpv,stnadard,2"}, 3, "unknown role \"stnadard\""},
      {{header, "a.dpv,,1"}, 2, "no role"},
      {{header, ",standard,1"}, 2, "no file"},
      {{header, "a.dpv,standard,"}, 2, "a standard needs a concentration"},
      {{header, "a.dpv,addition,"}, 2, "an addition needs"},
      {{header, "a.dpv,standard,-1"}, 2, "negative"},
      {{header, "a.dpv,standard,\"1,5\""}, 2, "\"1,5\" is not a concentration"},
      {{header, "a.dpv,standard,1,5"}, 2, "more cells"},
      {{header, "a.dpv,standard,1 mg"}, 2, "not a concentration"},
      {{header, "a.dpv,standard,1e999"}, 2, "not a concentration"},
      {{header, "a.dpv,sample,3"}, 2, "leave the cell empty"},
      {{header, "a.dpv,blank,0.1"}, 2, "leave the cell empty"},
      {{header, "\"a.dpv,standard,1"}, 2, "quote"},
  };
  for (const Case &c : cases) {
    const TableError e = readFault(c.lines);
    EXPECT_EQ(e.line, c.line) << c.lines.join('|').toStdString();
    EXPECT_TRUE(e.text.contains(QString::fromUtf8(c.says))) << e.text.toStdString();
    EXPECT_TRUE(e.message().startsWith(QStringLiteral("line %1: ").arg(c.line))) << e.message().toStdString();
  }
  // A blank may say its concentration is 0.
  EXPECT_EQ(read({header, "a.dpv,blank,0"}).entries.size(), 1u);
}

TEST(QuantitationTable, WhatTheTableAsksFor) {
  const QString header = QStringLiteral("File,Role,Concentration");
  EXPECT_EQ(methodOf({header, "s1.dpv,standard,1", "s2.dpv,standard,2", "x.dpv,sample,", "b.dpv,blank,"}),
            Method::Calibration);
  EXPECT_EQ(methodOf({header, "x.dpv,sample,", "a1.dpv,addition,1", "b.dpv,blank,"}), Method::StandardAddition);
  EXPECT_EQ(methodOf({header, "s1.dpv,standard,1", "s2.dpv,standard,2", "x.dpv,sample,"}, Weighting::InverseSquare),
            Method::Calibration);
}

TEST(QuantitationTable, EachFaultOfTheWholeNamesALine) {
  const QString h = QStringLiteral("File,Role,Concentration,Name");
  struct Case {
    QStringList lines;
    Weighting weighting;
    int line;
    const char *says;
  } cases[] = {
      {{h}, Weighting::None, 1, "no files"},
      {{h, "s1.dpv,standard,1,", "x.dpv,sample,,", "", "b.dpv,blank,,"},
       Weighting::None,
       5,
       "at least two standards; the table has 1"},
      {{h, "x.dpv,sample,,", "b.dpv,blank,,"}, Weighting::None, 3, "the table has 0"},
      {{h, "s1.dpv,standard,1,", "s2.dpv,standard,2,", "b.dpv,blank,,"}, Weighting::None, 4, "no sample"},
      {{h, "s1.dpv,standard,1,", "s2.dpv,standard,1.0,", "x.dpv,sample,,"}, Weighting::None, 3, "same concentration"},
      {{h, "s1.dpv,standard,1,", "x.dpv,sample,,", "./s1.dpv,standard,2,"},
       Weighting::None,
       4,
       "listed on line 2 already"},
      {{h, "s1.dpv,standard,1,", "s2.dpv,standard,2,", "x.dpv,sample,,", "a.dpv,addition,1,"},
       Weighting::None,
       5,
       "not both"},
      {{h, "s0.dpv,standard,0,", "s2.dpv,standard,2,", "x.dpv,sample,,"}, Weighting::InverseSquare, 2, "1/x²"},
      {{h, "a1.dpv,addition,1,", "b.dpv,blank,,"}, Weighting::None, 3, "needs its sample"},
      {{h, "x1.dpv,sample,,river", "a1.dpv,addition,1,", "x2.dpv,sample,,lake"},
       Weighting::None,
       4,
       "\"lake\" is not \"river\" of line 2"},
      {{h, "x.dpv,sample,,", "a1.dpv,addition,0,"}, Weighting::None, 3, "add nothing"},
      {{h, "x.dpv,sample,,", "a1.dpv,addition,1,"}, Weighting::InverseSquare, 2, "unweighted"},
  };
  for (const Case &c : cases) {
    const TableError e = checkFault(c.lines, c.weighting);
    EXPECT_EQ(e.line, c.line) << c.lines.join('|').toStdString() << ": " << e.text.toStdString();
    EXPECT_TRUE(e.text.contains(QString::fromUtf8(c.says))) << e.text.toStdString();
  }
  // Replicates of one sample under its name are one sample.
  EXPECT_EQ(methodOf({h, "x1.dpv,sample,,river", "a1.dpv,addition,1,", "x2.dpv,sample,,river"}),
            Method::StandardAddition);
}

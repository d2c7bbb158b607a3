// Numbers beyond the double range in a measurement file: the file loads, and
// no view of it meets an infinity.
#include <gtest/gtest.h>

#include <cmath>

#include "core/text_io.h"
#include "files/data_view_text.h"
#include "files/dpv_file.h"
#include "files/text_export.h"
#include "files_test_support.h"
#include "graph/graph_drawing.h"

TEST(ExtremeValues, AFileWithNumbersBeyondTheRangeLoadsAndDraws) {
  const QByteArray file =
      "[Setup]\r\nC min=-1e999\r\nC max=1e308\r\nC units=A\r\nDamping=1e999\r\nDamping units=ms\r\n"
      "P start=-1e308\r\nP end=1e308\r\nSweep speed=1e-320\r\nPulse amplitude=1e999\r\nPulse period=1e999\r\n"
      "Data accumulation=-1e999\r\nPreelectrolysis time=1e999\r\nPreelectrolysis potential=-1e999\r\n"
      "[Info]\r\n[Data]\r\n1e999\r\n-1e999\r\n1e308\r\n-1e308\r\n1e-320\r\n0.5\r\n";
  MeasurementRecord r = sampleRecord();
  r.view.plotWidth = 400;
  r.view.plotHeight = 300;
  loadDpvLines(splitLines(decodeText(file)), r);
  ASSERT_EQ(r.document.pointIndex, 5);
  // Beyond the double range a value counts as no number: 0, as a line of text would.
  EXPECT_EQ(r.document.points[0], 0.0);
  EXPECT_EQ(r.document.points[1], 0.0);
  EXPECT_EQ(r.document.points[2], 1e308);
  EXPECT_EQ(r.document.points[3], -1e308);
  EXPECT_GT(r.document.points[4], 0.0);
  EXPECT_EQ(r.document.points[5], 0.5);

  GraphCanvas canvas;
  DrawGraph(r, canvas, GraphColors());
  EXPECT_FALSE(canvas.image.isNull());
  // The views write what the texts give (a period of 1e999 makes the times
  // infinite); the points themselves are all numbers.
  EXPECT_FALSE(textExportLines(r).isEmpty());
  EXPECT_EQ(dataViewRows(r, DataViewColumns{}).size(), 6);
  const QStringList written = dpvFileLines(r);
  EXPECT_FALSE(written.join('\n').contains("INF"));
}

// Shape geometry of the page preview for A4 in both orientations.
#include <gtest/gtest.h>

#include "printing/miniature_layout.h"

namespace {
MiniatureInput a4(int orientation) {
  MiniatureInput in;
  in.orientation = orientation;
  in.paperWidth = orientation == 1 ? 29.7 : 21.0;
  in.paperHeight = orientation == 1 ? 21.0 : 29.7;
  in.marginLeft = in.marginRight = in.marginTop = in.marginBottom = 2.0;
  in.fontSize = 12;
  return in;
}
}  // namespace

TEST(MiniatureLayout, PortraitA4) {
  const MiniatureLayout m = miniatureLayout(a4(0));
  EXPECT_EQ(m.panel, QRect(40, 24, 128, 180));
  EXPECT_EQ(m.shape5, QRect(12, 12, 104, 156));
  EXPECT_EQ(m.shape6, QRect(12, 90, 104, 78));
  EXPECT_EQ(m.shape1, QRect(12, 106, 104, 16));
  EXPECT_EQ(m.shape2, QRect(12, 138, 104, 16));
  EXPECT_EQ(m.shape3, QRect(33, 90, 21, 78));
  EXPECT_EQ(m.shape4, QRect(75, 90, 21, 78));
  EXPECT_EQ(m.shape7, QRect(12, 24, 104, 1));
  EXPECT_EQ(m.cline, QRect(13, 113, 83, 4));
  EXPECT_EQ(m.label8.topLeft(), QPoint(13, 13));
  EXPECT_EQ(m.label8.width(), 102);
  EXPECT_EQ(m.label5.topLeft(), QPoint(13, 43));
  EXPECT_EQ(m.label8Size, 7);
  EXPECT_EQ(m.label5Size, 6);
}

TEST(MiniatureLayout, LandscapeA4) {
  const MiniatureLayout m = miniatureLayout(a4(1));
  EXPECT_EQ(m.panel, QRect(16, 50, 180, 128));
  EXPECT_EQ(m.shape5, QRect(12, 12, 156, 104));
  EXPECT_EQ(m.shape6, QRect(12, 64, 156, 52));
  EXPECT_EQ(m.shape1, QRect(12, 74, 156, 10));
  EXPECT_EQ(m.shape2, QRect(12, 94, 156, 10));
  EXPECT_EQ(m.shape3, QRect(43, 64, 31, 52));
  EXPECT_EQ(m.shape4, QRect(105, 64, 31, 52));
  EXPECT_EQ(m.cline, QRect(13, 80, 125, 4));
  EXPECT_EQ(m.label5.topLeft(), QPoint(13, 33));
}

TEST(MiniatureLayout, HalvesRoundToEven) {
  MiniatureInput in = a4(0);
  in.fontSize = 9;  // 4.5 rounds to 4
  const MiniatureLayout m = miniatureLayout(in);
  EXPECT_EQ(m.label5Size, 4);
  EXPECT_EQ(m.label8Size, 5);
  EXPECT_EQ(m.shape7.top(), 12 + 9);
}

TEST(MiniatureLayout, MarginsWithoutRoomGiveEmptyShapes) {
  for (double margin : {15.0, 1e300, -1e300}) {
    MiniatureInput in = a4(0);
    in.marginLeft = in.marginRight = in.marginTop = in.marginBottom = margin;
    const MiniatureLayout m = miniatureLayout(in);
    EXPECT_GE(m.shape5.width(), 0) << margin;
    EXPECT_GE(m.shape5.height(), 0) << margin;
  }
  MiniatureInput none = a4(0);
  none.paperWidth = none.paperHeight = 0;  // no sheet known
  EXPECT_GE(miniatureLayout(none).shape5.width(), 0);
}

#pragma once
// Where the shapes of the page preview go: a miniature of the sheet with the
// area inside the margins, the graph frame, grid samples, title rule, curve
// sample and two sample labels.

#include <QRect>

struct MiniatureInput {
  int orientation = 0;                                                      // 0 portrait, 1 landscape
  double paperWidth = 0, paperHeight = 0;                                   // cm
  double marginLeft = 0, marginRight = 0, marginTop = 0, marginBottom = 0;  // cm
  int fontSize = 12;                                                        // report font, points
};

struct MiniatureLayout {
  QRect panel;                         // the miniature page, inside its group
  QRect shape5;                        // area inside the margins
  QRect shape6;                        // graph frame
  QRect shape1, shape2;                // horizontal grid samples
  QRect shape3, shape4;                // vertical grid samples
  QRect shape7;                        // rule under the title
  QRect cline;                         // curve sample
  QRect label8;                        // sample title (left, top, width; height is the label's own)
  QRect label5;                        // sample description
  int label8Size = 0, label5Size = 0;  // font sizes of the sample labels, points
};

MiniatureLayout miniatureLayout(const MiniatureInput &input);

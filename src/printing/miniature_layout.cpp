#include "printing/miniature_layout.h"

#include <algorithm>
#include <cmath>

#include "core/numbers.h"

namespace {

// Shapes far outside the miniature are held near it, so sums never overflow.
constexpr int kLimit = 100000;

int rounded(double value) {
  if (!std::isfinite(value)) return value > 0 ? kLimit : (value < 0 ? -kLimit : 0);
  return std::clamp(roundToInt32(value), -kLimit, kLimit);
}

// Sizes below zero (margins that leave no room) show as an empty shape.
int size(int value) { return std::max(0, value); }

}  // namespace

MiniatureLayout miniatureLayout(const MiniatureInput &in) {
  MiniatureLayout m;
  m.panel = in.orientation == 1 ? QRect(16, 50, 180, 128) : QRect(40, 24, 128, 180);
  const double W = m.panel.width(), H = m.panel.height();
  // Without a sheet size there is nothing to scale by.
  const double pw = in.paperWidth > 0 ? in.paperWidth : 1.0;
  const double ph = in.paperHeight > 0 ? in.paperHeight : 1.0;

  const int left5 = rounded(W * in.marginLeft / pw);
  const int top5 = rounded(H * in.marginTop / ph);
  const int width5 = size(rounded((pw - in.marginLeft - in.marginRight) * W / pw));
  const int height5 = size(rounded((ph - in.marginTop - in.marginBottom) * H / ph));
  m.shape5 = QRect(left5, top5, width5, height5);

  const int height6 = height5 / 2;
  m.shape6 = QRect(left5, top5 + height5 - height6, width5, height6);

  const int band = rounded(height6 / 5.0);
  m.shape1 = QRect(m.shape6.left(), m.shape6.top() + band, width5, band);
  m.shape2 = QRect(m.shape6.left(), m.shape6.top() + 3 * band, width5, band);
  const int column = rounded(width5 / 5.0);
  m.shape3 = QRect(m.shape6.left() + column, m.shape6.top(), column, height6);
  m.shape4 = QRect(m.shape6.left() + 3 * column, m.shape6.top(), column, height6);

  m.shape7 = QRect(left5, top5 + in.fontSize, width5, 1);
  m.cline = QRect(m.shape6.left() + 1, rounded(height6 * 0.3) + m.shape6.top(), rounded(width5 * 0.8), 4);

  m.label8Size = rounded(in.fontSize / 2.0) + 1;
  m.label5Size = rounded(in.fontSize / 2.0);
  const int labelWidth = size(width5 - 2);
  m.label8 = QRect(left5 + 1, top5 + 1, labelWidth, 0);
  m.label5 = QRect(left5 + 1, rounded(height5 * 0.2) + top5, labelWidth, 0);
  return m;
}

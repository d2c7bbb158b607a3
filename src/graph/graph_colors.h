#pragma once
// The two user-chosen graph colours and their stored form, 0x00BBGGRR
// (red in the lowest byte) as a decimal integer.

#include <QColor>

inline constexpr int kDefaultLineColor = 16711680;        // blue
inline constexpr int kDefaultBackgroundColor = 16777215;  // white

inline QColor colorFromValue(int value) { return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF); }

inline int colorValue(const QColor &color) { return color.red() | (color.green() << 8) | (color.blue() << 16); }

struct GraphColors {
  QColor line = colorFromValue(kDefaultLineColor);
  QColor background = colorFromValue(kDefaultBackgroundColor);
};

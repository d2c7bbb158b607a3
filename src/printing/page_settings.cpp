#include "printing/page_settings.h"

#include <algorithm>
#include <cmath>

namespace {
// The sizes the font dialog offers; a size from the file outside them would
// overflow the report's arithmetic.
constexpr int kMaxFontSize = 512;
int boundedFontSize(double points) {
  return static_cast<int>(std::clamp(std::round(points), 1.0, double(kMaxFontSize)));
}
}  // namespace

QFont PageSettings::font() const {
  QFont f(fontName);
  f.setPointSize(boundedFontSize(fontSize));
  f.setBold(bold);
  f.setItalic(italic);
  f.setUnderline(underline);
  f.setStrikeOut(strikeOut);
  return f;
}

void PageSettings::setFont(const QFont &f) {
  fontName = f.family();
  fontSize = boundedFontSize(f.pointSizeF() > 0 ? f.pointSizeF() : fontSize);
  bold = f.bold();
  italic = f.italic();
  underline = f.underline();
  strikeOut = f.strikeOut();
}

QColor colorFromSetting(int value) {
  const auto v = static_cast<uint32_t>(value);
  return QColor(v & 0xFF, (v >> 8) & 0xFF, (v >> 16) & 0xFF);
}

int settingFromColor(const QColor &color) { return color.red() | (color.green() << 8) | (color.blue() << 16); }

bool fontStyleText(const PageSettings &s, QString *text) {
  if (s.underline || s.strikeOut) return false;
  if (s.bold && s.italic)
    *text = QStringLiteral("Bold, Italic");
  else if (s.bold)
    *text = QStringLiteral("Bold");
  else if (s.italic)
    *text = QStringLiteral("Italic");
  else
    text->clear();
  return true;
}

PageSettings readPageSettings(const IniFile &ini) {
  PageSettings s;
  s.orientation = ini.readInteger(kPageSection, "Orientation", OrientationPortrait) == OrientationLandscape
                      ? OrientationLandscape
                      : OrientationPortrait;
  s.marginTop = ini.readString(kPageSection, "Margin top", s.marginTop);
  s.marginBottom = ini.readString(kPageSection, "Margin bottom", s.marginBottom);
  s.marginLeft = ini.readString(kPageSection, "Margin left", s.marginLeft);
  s.marginRight = ini.readString(kPageSection, "Margin right", s.marginRight);
  s.curveColor = colorFromSetting(ini.readInteger(kPageSection, "C line color", 0xFF0000));
  s.lineWidth = qBound(1, ini.readInteger(kPageSection, "C line width", 2), 20);
  s.visibleGrid = ini.readBool(kPageSection, "Visible grid", true);
  s.fontName = ini.readString(kPageSection, "Font name", s.fontName);
  s.fontSize = ini.readInteger(kPageSection, "Font size", 12);
  if (s.fontSize < 1) s.fontSize = 12;  // a font needs a size to be drawn
  s.fontSize = boundedFontSize(s.fontSize);
  s.fontColor = colorFromSetting(ini.readInteger(kPageSection, "Font color", 0));
  const QString style = ini.readString(kPageSection, "Font style", QString());
  s.bold = style == QLatin1String("Bold") || style == QLatin1String("Bold, Italic");
  s.italic = style == QLatin1String("Italic") || style == QLatin1String("Bold, Italic");
  return s;
}

void writePageSettings(IniFile &ini, const PageSettings &s) {
  ini.writeInteger(kPageSection, "Orientation", s.orientation);
  ini.writeString(kPageSection, "Margin top", s.marginTop);
  ini.writeString(kPageSection, "Margin bottom", s.marginBottom);
  ini.writeString(kPageSection, "Margin left", s.marginLeft);
  ini.writeString(kPageSection, "Margin right", s.marginRight);
  ini.writeInteger(kPageSection, "C line color", settingFromColor(s.curveColor));
  ini.writeInteger(kPageSection, "C line width", s.lineWidth);
  ini.writeBool(kPageSection, "Visible grid", s.visibleGrid);
  ini.writeString(kPageSection, "Font name", s.fontName);
  ini.writeInteger(kPageSection, "Font size", s.fontSize);
  ini.writeInteger(kPageSection, "Font color", settingFromColor(s.fontColor));
  QString style;
  if (fontStyleText(s, &style)) ini.writeString(kPageSection, "Font style", style);
}

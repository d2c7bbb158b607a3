#pragma once
// The print layout kept in section "Page setup" of the settings file:
// orientation, margins (as typed, cm), curve colour and width, grid, font.

#include <QColor>
#include <QFont>
#include <QString>
#include <cstdint>

#include "core/ini_file.h"

inline const QString kPageSection = QStringLiteral("Page setup");

enum PageOrientation : int { OrientationPortrait = 0, OrientationLandscape = 1 };

struct PageSettings {
  int orientation = OrientationPortrait;
  QString marginTop = QStringLiteral("2.0");
  QString marginBottom = QStringLiteral("2.0");
  QString marginLeft = QStringLiteral("2.0");
  QString marginRight = QStringLiteral("2.0");
  QColor curveColor = QColor(0, 0, 255);
  int lineWidth = 2;
  bool visibleGrid = true;
  QString fontName = QStringLiteral("Arial");
  int fontSize = 12;  // points
  QColor fontColor = QColor(0, 0, 0);
  bool bold = false, italic = false;
  // Styles the settings file cannot name; such a font leaves "Font style" as it is.
  bool underline = false, strikeOut = false;

  // The report font: name, size in points and style (the colour is apart).
  QFont font() const;
  void setFont(const QFont &font);
};

// Settings colours are 0x00BBGGRR, red in the low byte.
QColor colorFromSetting(int value);
int settingFromColor(const QColor &color);

// The "Font style" text for the style, or false when the style has none
// ("Bold", "Italic", "Bold, Italic" or empty text for regular).
bool fontStyleText(const PageSettings &settings, QString *text);

// Reads "Page setup" with the defaults for missing keys.
PageSettings readPageSettings(const IniFile &ini);
// Writes "Page setup" in its fixed key order.
void writePageSettings(IniFile &ini, const PageSettings &settings);

#include "graph/ui/readings_font.h"

#include <QFontDatabase>

QFont readingsFont() {
  // Where Arial is missing, its metric twin is named at once, as the font
  // configuration would substitute it: asking for a family the system lacks
  // costs the start a search through every fallback face (and so would
  // QFontDatabase::hasFamily, which resolves aliases).
  static const QString family = [] {
    const QStringList installed = QFontDatabase::families();
    return !installed.contains(QStringLiteral("Arial"), Qt::CaseInsensitive) &&
                   installed.contains(QStringLiteral("Liberation Sans"), Qt::CaseInsensitive)
               ? QStringLiteral("Liberation Sans")
               : QStringLiteral("Arial");
  }();
  QFont font(family);
  font.setPixelSize(12);
  return font;
}

#pragma once
// Colours of the reference curves: the Okabe-Ito palette, which stays
// distinguishable with the common colour-vision deficiencies.

#include <QColor>
#include <QVector>

// Colours for `count` curves in palette order, leaving out those too close
// to the program's own curve colour and to the background; when fewer are
// left than curves, the colours repeat.
QVector<QColor> referenceColors(int count, const QColor &ownCurve, const QColor &background);

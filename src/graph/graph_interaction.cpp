#include "graph/graph_interaction.h"

#include <algorithm>

#include "core/numbers.h"
#include "graph/graph_drawing.h"
#include "graph/plot_mapping.h"
#include "graph/smoothing.h"

namespace {

QString potentialText(double volts, int decimals) {
  return formatFixed(volts * 1000, decimals);
}

QString currentText(const MeasurementRecord &r, double amperes) {
  return formatFixed(amperes / r.currUnitFactor, r.currDigits);
}

QString withUnit(const MeasurementRecord &r, const QString &number) {
  return number + QLatin1Char(' ') + r.texts.currUnitText();
}

void startZoomDrag(MeasurementRecord &r, int x, int y, GraphChange &change) {
  r.savedStatusText = r.panels.panel5;
  r.panels.panel5 = QStringLiteral("Zoom");
  r.zoomDragging = true;
  r.panels.panel7 = potentialText(potentialAtColumn(r, x), r.potDigits + 1) + QStringLiteral(" mV");
  r.zoomRect = QRect(QPoint(x, y), QPoint(x, y));
  change.panels = true;
}

// Marks stored point `index`, whose drawn current is `smoothed`.
void markPoint(MeasurementRecord &r, QImage &plot, int32_t index, double smoothed, GraphChange &change) {
  r.prevMarkerIndex = r.markerIndex;
  r.markerIndex = index;
  r.markerCurrent = smoothed;
  r.prevMarkerX = r.markerX;
  r.prevMarkerY = r.markerY;
  r.markerX = roundToInt32(columnOf(r, r.pointPotential(r.markerIndex)));
  r.markerY = r.plotHeight - roundToInt32(heightOf(r, r.markerCurrent));
  r.panels.panel4.clear();
  r.panels.panel7 = potentialText(r.pointPotential(r.markerIndex), r.potDigits) + QStringLiteral(" mV");
  r.panels.panel8 = withUnit(r, currentText(r, r.markerCurrent));
  r.panels.panel3 = QString::number(r.markerIndex);
  change.dirty |= DrawMarker(plot, r.markerX, r.markerY);
  change.panels = true;
}

void markNearestPoint(MeasurementRecord &r, QImage &plot, int x, int y, GraphChange &change) {
  double smoothed = 0;
  const int32_t index = std::max<int32_t>(0, nearestPoint(r, x, y, &smoothed));
  markPoint(r, plot, index, smoothed, change);
}

// The point marked before this click takes the current of row y. An index
// left over from an earlier record, outside the drawn points, is not written.
void editPreviousPoint(MeasurementRecord &r, int y, GraphChange &change) {
  const double c = currentAtRow(r, y);
  r.panels.panel4 = withUnit(r, currentText(r, c));
  change.panels = true;
  const int64_t drawn = std::min<int64_t>(r.pointIndex, static_cast<int64_t>(r.points.size()));
  const int32_t i = r.prevMarkerIndex;
  if (i >= 0 && i < drawn && r.points[i] != c) {
    r.points[i] = c;
    r.dataSaved = false;
    change.points = true;
  }
  change.redraw = true;
}

int32_t drawnPointCount(const MeasurementRecord &r) {
  return static_cast<int32_t>(std::min<int64_t>(r.pointIndex, static_cast<int64_t>(r.points.size())));
}

// The smoothed current of point i, as the curve draws it.
double smoothedCurrentAt(const MeasurementRecord &r, int32_t i) {
  DisplaySmoothing smoothing(r);
  double s = 0;
  for (int32_t k = 0; k <= i; ++k) s = smoothing.next(r.points[k]);
  return s;
}

// The analysis result of a reference marker: from the reference to the
// marked point, when both are points of the drawn curve.
void showReferenceDifference(MeasurementRecord &r, GraphChange &change) {
  const int32_t n = drawnPointCount(r);
  if (r.runState != RunIdle || r.refMarkerIndex < 0 || r.refMarkerIndex >= n || r.markerIndex < 0 ||
      r.markerIndex >= n)
    return;
  const double dE = r.pointPotential(r.markerIndex) - r.pointPotential(r.refMarkerIndex);
  const double di = r.markerCurrent - smoothedCurrentAt(r, r.refMarkerIndex);
  r.panels.panel4 = QStringLiteral("dE ") + potentialText(dE, r.potDigits) + QStringLiteral(" mV, di ") +
                    withUnit(r, currentText(r, di));
  change.panels = true;
}

void finishZoomDrag(MeasurementRecord &r, int x, int y, GraphChange &change) {
  r.zoomDragging = false;
  const QRect &z = r.zoomRect;
  if (!(z.left() < z.right() && z.top() < z.bottom())) return;
  if (!r.zoomed) {
    r.savedPotStart = r.texts.potStart;
    r.savedPotEnd = r.texts.potEnd;
    r.savedCurrMin = r.texts.currMin;
    r.savedCurrMax = r.texts.currMax;
  }
  // All four ends with the scale from before the zoom.
  const QString potStart = potentialText(potentialAtColumn(r, z.left()), r.potDigits + 1);
  const QString potEnd = potentialText(potentialAtColumn(r, x), r.potDigits + 1);
  const QString currMin = currentText(r, currentAtRow(r, y));
  const QString currMax = currentText(r, currentAtRow(r, z.top()));
  r.texts.potStart = potStart;
  r.texts.potEnd = potEnd;
  r.texts.currMin = currMin;
  r.texts.currMax = currMax;
  r.zoomed = true;
  r.panels.panel5 = r.savedStatusText.isEmpty() ? QStringLiteral("Zoom") : r.savedStatusText;
  r.panels.panel6.clear();
  r.panels.panel8.clear();
  change.axisTexts = true;
  change.panels = true;
  change.redraw = true;
}

}  // namespace

int32_t nearestPoint(const MeasurementRecord &r, double x, double y, double *smoothed) {
  const int32_t n = drawnPointCount(r);
  if (n <= 0) return -1;
  DisplaySmoothing smoothing(r);
  int32_t best = -1;
  double bestDistance = 0;
  for (int32_t i = 0; i < n; ++i) {
    const double s = smoothing.next(r.points[i]);
    const double dx = x - columnOf(r, r.pointPotential(i));
    const double dy = heightOf(r, s) + y - r.plotHeight;
    const double d = dx * dx + dy * dy;
    if (best < 0 || d < bestDistance) {
      best = i;
      bestDistance = d;
      *smoothed = s;
    }
  }
  return best;
}

GraphChange PaintBox2MouseDown(MeasurementRecord &r, QImage &plot, Qt::MouseButton button, const ShiftState &,
                               int x, int y) {
  GraphChange change;
  if (button == Qt::RightButton) {
    // Without a scale there is nothing to zoom into.
    if (plotHasScale(r)) startZoomDrag(r, x, y, change);
  } else if (button == Qt::LeftButton) {
    if (r.runState == RunIdle && r.pointIndex > 0 && !r.points.empty()) markNearestPoint(r, plot, x, y, change);
  }
  return change;
}

GraphChange PaintBox2MouseMove(MeasurementRecord &r, QImage &plot, int x, int y) {
  GraphChange change;
  if (!r.zoomDragging || !plotHasScale(r)) return change;
  change.dirty |= drawFocusRect(plot, r.zoomRect);
  r.zoomRect.setRight(x);
  r.zoomRect.setBottom(y);
  change.dirty |= drawFocusRect(plot, r.zoomRect);
  r.panels.panel7 = potentialText(potentialAtColumn(r, x), r.potDigits + 1) + QStringLiteral(" mV");
  r.panels.panel8 = withUnit(r, currentText(r, currentAtRow(r, y)));
  change.panels = true;
  return change;
}

GraphChange PaintBox2MouseUp(MeasurementRecord &r, QImage &plot, const ShiftState &shift, int x, int y) {
  GraphChange change;
  // A cross on the screen before this release: the previous marker was a real one.
  const bool hadMarker = r.markerShown;
  if (r.markerShown) change.dirty |= DrawMarker(plot, r.prevMarkerX, r.prevMarkerY);
  r.markerShown = true;
  if (shift.isExactly(Qt::ShiftModifier) && plotHasScale(r)) editPreviousPoint(r, y, change);
  if (r.refMarkerShown && !shift.isExactly(Qt::ControlModifier)) {
    change.dirty |= DrawMarker(plot, r.refMarkerX, r.refMarkerY);
    r.refMarkerShown = false;
  }
  if (shift.isExactly(Qt::ControlModifier) && !r.refMarkerShown) {
    r.refMarkerX = r.prevMarkerX;
    r.refMarkerY = r.prevMarkerY;
    change.dirty |= DrawMarker(plot, r.refMarkerX, r.refMarkerY);
    r.refMarkerShown = true;
    r.refMarkerIndex = r.prevMarkerIndex;
  }
  if (shift.isExactly(Qt::ControlModifier) && r.refMarkerShown && hadMarker) showReferenceDifference(r, change);
  if (r.zoomDragging) {
    if (plotHasScale(r))
      finishZoomDrag(r, x, y, change);
    else
      r.zoomDragging = false;
  }
  return change;
}

GraphChange markStoredPoint(MeasurementRecord &r, QImage &plot, int32_t index) {
  GraphChange change;
  if (r.runState != RunIdle || index < 0 || index >= drawnPointCount(r)) return change;
  markPoint(r, plot, index, smoothedCurrentAt(r, index), change);
  const GraphChange release = PaintBox2MouseUp(r, plot, ShiftState(), r.markerX, r.markerY);
  change.dirty |= release.dirty;
  change.panels |= release.panels;
  return change;
}

void clearMarkerReadouts(MeasurementRecord &r) {
  r.panels.panel3.clear();
  r.panels.panel4.clear();
  r.panels.panel7.clear();
  r.panels.panel8.clear();
}

GraphChange resetGraphView(MeasurementRecord &r) {
  GraphChange change;
  r.panels.panel4.clear();
  r.panels.panel5 = r.runState == RunMeasuring ? QStringLiteral("Measuring") : QString();
  r.panels.panel6.clear();
  r.panels.panel7.clear();
  r.panels.panel8.clear();
  change.panels = true;
  if (r.zoomed) {
    r.texts.potStart = r.savedPotStart;
    r.texts.potEnd = r.savedPotEnd;
    r.texts.currMin = r.savedCurrMin;
    r.texts.currMax = r.savedCurrMax;
    r.zoomed = false;
    change.axisTexts = true;
  }
  return change;
}

#include "graph/graph_interaction.h"

#include <algorithm>

#include "core/numbers.h"
#include "graph/graph_drawing.h"
#include "graph/plot_mapping.h"
#include "graph/smoothing.h"

namespace {

QString potentialText(double volts, int decimals) { return formatFixed(volts * 1000, decimals); }

QString currentText(const MeasurementRecord &r, double amperes) {
  return formatFixed(amperes / r.params.currUnitFactor, r.params.currDigits);
}

QString withUnit(const MeasurementRecord &r, const QString &number) {
  return number + QLatin1Char(' ') + r.texts.currUnitText();
}

void startZoomDrag(MeasurementRecord &r, int x, int y, GraphChange &change) {
  r.display.savedStatusText = r.display.panels.status;
  r.display.panels.status = QStringLiteral("Zoom");
  r.view.zoomDragging = true;
  r.display.panels.potential = potentialText(potentialAtColumn(r, x), r.params.potDigits + 1) + QStringLiteral(" mV");
  r.view.zoomRect = QRect(QPoint(x, y), QPoint(x, y));
  change.panels = true;
}

// Marks stored point `index`, whose drawn current is `smoothed`.
void markPoint(MeasurementRecord &r, QImage &plot, int32_t index, double smoothed, GraphChange &change) {
  r.view.prevMarkerIndex = r.view.markerIndex;
  r.view.markerIndex = index;
  r.view.markerCurrent = smoothed;
  r.view.prevMarkerX = r.view.markerX;
  r.view.prevMarkerY = r.view.markerY;
  r.view.markerX = roundToInt32(columnOf(r, r.pointPotential(r.view.markerIndex)));
  r.view.markerY = r.view.plotHeight - roundToInt32(heightOf(r, r.view.markerCurrent));
  r.display.panels.analysis.clear();
  r.display.panels.potential =
      potentialText(r.pointPotential(r.view.markerIndex), r.params.potDigits) + QStringLiteral(" mV");
  r.display.panels.current = withUnit(r, currentText(r, r.view.markerCurrent));
  r.display.panels.pointNumber = QString::number(r.view.markerIndex);
  change.dirty |= DrawMarker(plot, r.view.markerX, r.view.markerY);
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
  r.display.panels.analysis = withUnit(r, currentText(r, c));
  change.panels = true;
  const int64_t drawn = std::min<int64_t>(r.document.pointIndex, static_cast<int64_t>(r.document.points.size()));
  const int32_t i = r.view.prevMarkerIndex;
  if (i >= 0 && i < drawn && r.document.points[i] != c) {
    r.document.points[i] = c;
    r.document.dataSaved = false;
    change.points = true;
  }
  change.redraw = true;
}

int32_t drawnPointCount(const MeasurementRecord &r) {
  return static_cast<int32_t>(std::min<int64_t>(r.document.pointIndex, static_cast<int64_t>(r.document.points.size())));
}

// The smoothed current of point i, as the curve draws it.
double smoothedCurrentAt(const MeasurementRecord &r, int32_t i) {
  DisplaySmoothing smoothing(r);
  double s = 0;
  for (int32_t k = 0; k <= i; ++k) s = smoothing.next(r.document.points[k]);
  return s;
}

// The analysis result of a reference marker: from the reference to the
// marked point, when both are points of the drawn curve.
void showReferenceDifference(MeasurementRecord &r, GraphChange &change) {
  const int32_t n = drawnPointCount(r);
  if (r.runState != RunIdle || r.view.refMarkerIndex < 0 || r.view.refMarkerIndex >= n || r.view.markerIndex < 0 ||
      r.view.markerIndex >= n)
    return;
  const double dE = r.pointPotential(r.view.markerIndex) - r.pointPotential(r.view.refMarkerIndex);
  const double di = r.view.markerCurrent - smoothedCurrentAt(r, r.view.refMarkerIndex);
  r.display.panels.analysis = QStringLiteral("dE ") + potentialText(dE, r.params.potDigits) +
                              QStringLiteral(" mV, di ") + withUnit(r, currentText(r, di));
  change.panels = true;
}

void finishZoomDrag(MeasurementRecord &r, int x, int y, GraphChange &change) {
  r.view.zoomDragging = false;
  const QRect &z = r.view.zoomRect;
  if (!(z.left() < z.right() && z.top() < z.bottom())) return;
  if (!r.zoomed()) r.view.beforeZoom = AxisTexts{r.texts.potStart, r.texts.potEnd, r.texts.currMin, r.texts.currMax};
  // All four ends with the scale from before the zoom.
  const QString potStart = potentialText(potentialAtColumn(r, z.left()), r.params.potDigits + 1);
  const QString potEnd = potentialText(potentialAtColumn(r, x), r.params.potDigits + 1);
  const QString currMin = currentText(r, currentAtRow(r, y));
  const QString currMax = currentText(r, currentAtRow(r, z.top()));
  r.texts.potStart = potStart;
  r.texts.potEnd = potEnd;
  r.texts.currMin = currMin;
  r.texts.currMax = currMax;
  r.display.panels.status = r.display.savedStatusText.isEmpty() ? QStringLiteral("Zoom") : r.display.savedStatusText;
  r.display.panels.time.clear();
  r.display.panels.current.clear();
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
    const double s = smoothing.next(r.document.points[i]);
    const double dx = x - columnOf(r, r.pointPotential(i));
    const double dy = heightOf(r, s) + y - r.view.plotHeight;
    const double d = dx * dx + dy * dy;
    if (best < 0 || d < bestDistance) {
      best = i;
      bestDistance = d;
      *smoothed = s;
    }
  }
  return best;
}

GraphChange PaintBox2MouseDown(MeasurementRecord &r, QImage &plot, Qt::MouseButton button, const ShiftState &, int x,
                               int y) {
  GraphChange change;
  if (button == Qt::RightButton) {
    // Without a scale there is nothing to zoom into.
    if (plotHasScale(r)) startZoomDrag(r, x, y, change);
  } else if (button == Qt::LeftButton) {
    if (r.runState == RunIdle && r.document.pointIndex > 0 && !r.document.points.empty())
      markNearestPoint(r, plot, x, y, change);
  }
  return change;
}

GraphChange PaintBox2MouseMove(MeasurementRecord &r, QImage &plot, int x, int y) {
  GraphChange change;
  if (!r.view.zoomDragging || !plotHasScale(r)) return change;
  change.dirty |= drawFocusRect(plot, r.view.zoomRect);
  r.view.zoomRect.setRight(x);
  r.view.zoomRect.setBottom(y);
  change.dirty |= drawFocusRect(plot, r.view.zoomRect);
  r.display.panels.potential = potentialText(potentialAtColumn(r, x), r.params.potDigits + 1) + QStringLiteral(" mV");
  r.display.panels.current = withUnit(r, currentText(r, currentAtRow(r, y)));
  change.panels = true;
  return change;
}

GraphChange PaintBox2MouseUp(MeasurementRecord &r, QImage &plot, const ShiftState &shift, int x, int y) {
  GraphChange change;
  // A cross on the screen before this release: the previous marker was a real one.
  const bool hadMarker = r.view.markerShown;
  if (r.view.markerShown) change.dirty |= DrawMarker(plot, r.view.prevMarkerX, r.view.prevMarkerY);
  r.view.markerShown = true;
  if (shift.isExactly(Qt::ShiftModifier) && plotHasScale(r)) editPreviousPoint(r, y, change);
  if (r.view.refMarkerShown && !shift.isExactly(Qt::ControlModifier)) {
    change.dirty |= DrawMarker(plot, r.view.refMarkerX, r.view.refMarkerY);
    r.view.refMarkerShown = false;
  }
  if (shift.isExactly(Qt::ControlModifier) && !r.view.refMarkerShown) {
    r.view.refMarkerX = r.view.prevMarkerX;
    r.view.refMarkerY = r.view.prevMarkerY;
    change.dirty |= DrawMarker(plot, r.view.refMarkerX, r.view.refMarkerY);
    r.view.refMarkerShown = true;
    r.view.refMarkerIndex = r.view.prevMarkerIndex;
  }
  if (shift.isExactly(Qt::ControlModifier) && r.view.refMarkerShown && hadMarker) showReferenceDifference(r, change);
  if (r.view.zoomDragging) {
    if (plotHasScale(r))
      finishZoomDrag(r, x, y, change);
    else
      r.view.zoomDragging = false;
  }
  return change;
}

GraphChange markStoredPoint(MeasurementRecord &r, QImage &plot, int32_t index) {
  GraphChange change;
  if (r.runState != RunIdle || index < 0 || index >= drawnPointCount(r)) return change;
  markPoint(r, plot, index, smoothedCurrentAt(r, index), change);
  const GraphChange release = PaintBox2MouseUp(r, plot, ShiftState(), r.view.markerX, r.view.markerY);
  change.dirty |= release.dirty;
  change.panels |= release.panels;
  return change;
}

void clearMarkerReadouts(MeasurementRecord &r) {
  r.display.panels.pointNumber.clear();
  r.display.panels.analysis.clear();
  r.display.panels.potential.clear();
  r.display.panels.current.clear();
}

GraphChange resetGraphView(MeasurementRecord &r) {
  GraphChange change;
  r.display.panels.analysis.clear();
  r.display.panels.status = r.runState == RunMeasuring ? QStringLiteral("Measuring") : QString();
  r.display.panels.time.clear();
  r.display.panels.potential.clear();
  r.display.panels.current.clear();
  change.panels = true;
  if (r.leaveZoom()) change.axisTexts = true;
  return change;
}

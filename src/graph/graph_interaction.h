#pragma once
// What the mouse does on the plot area: right-drag zoom, the nearest-point
// marker, the Ctrl reference marker with its difference to the marked point
// as the analysis result, the Shift edit of a point and the
// double-click reset. The handlers change the record and invert their
// crosses and outlines in the plot image; the window acts on the returned
// GraphChange.

#include <QImage>
#include <QRect>
#include <Qt>

#include "core/measurement_record.h"

// Keys and buttons held at the moment of a mouse event (at a release the
// released button is no longer held).
struct ShiftState {
  Qt::KeyboardModifiers keys;  // only Shift, Ctrl and Alt count
  Qt::MouseButtons buttons;
  bool doubleClick = false;

  ShiftState(Qt::KeyboardModifiers k = Qt::NoModifier, Qt::MouseButtons b = Qt::NoButton, bool dbl = false)
      : keys(k & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier)), buttons(b), doubleClick(dbl) {}

  // True when `key` is held and nothing else (no other key, no button).
  bool isExactly(Qt::KeyboardModifier key) const { return keys == key && buttons == Qt::NoButton && !doubleClick; }
};

struct GraphChange {
  bool panels = false;     // status panel texts changed
  bool axisTexts = false;  // the four axis texts changed: the graph must be redrawn
  bool points = false;     // a stored point was edited
  bool redraw = false;     // a deferred redraw is asked for
  QRect dirty;             // part of the plot image that was inverted

  bool recordChanged() const { return panels || axisTexts || points; }
};

GraphChange PaintBox2MouseDown(MeasurementRecord &record, QImage &plot, Qt::MouseButton button, const ShiftState &shift,
                               int x, int y);
GraphChange PaintBox2MouseMove(MeasurementRecord &record, QImage &plot, int x, int y);
GraphChange PaintBox2MouseUp(MeasurementRecord &record, QImage &plot, const ShiftState &shift, int x, int y);

// Marks stored point `index` as a left click on it and its release would;
// nothing during a run or for an index outside the drawn points.
GraphChange markStoredPoint(MeasurementRecord &record, QImage &plot, int32_t index);

// Empties the readouts of a marked point (number, analysis result, potential,
// current): a new or opened record has none.
void clearMarkerReadouts(MeasurementRecord &record);

// The double-click's readout and zoom reset; the caller then redraws at once.
GraphChange resetGraphView(MeasurementRecord &record);

// Index of the stored point whose drawn (smoothed) position is nearest to
// pixel (x, y); the lowest index of equally near points. Its smoothed
// current goes to `smoothed`. -1 when there are no points.
int32_t nearestPoint(const MeasurementRecord &record, double x, double y, double *smoothed);

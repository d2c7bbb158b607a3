#pragma once
// Painting of the plot area into an image: background, grid, the curve,
// the marker crosses and the zoom outline. The image is the plot's backing
// store; the window only shows it.

#include <QImage>
#include <QPoint>
#include <QRect>

#include "core/measurement_record.h"
#include "graph/graph_colors.h"

// The picture of the plot area and the pen position the curve goes on from.
struct GraphCanvas {
  QImage image;  // plotWidth x plotHeight; null while the plot has no area
  QPoint pen;
};

// Rescales (XYFactors), recomputes the smoothing weights and paints the whole
// plot: background and outline, grid with solid zero lines, then the stored
// points 0 .. pointIndex - 1. Points falling on one pixel column are drawn
// as one vertical span, which gives the picture of drawing every segment.
// Wipes the markers (markerShown, refMarkerShown false, prevMarkerIndex 0).
void DrawGraph(MeasurementRecord &record, GraphCanvas &canvas, const GraphColors &colors);

// Smooths `current` (A), and extends the curve to the point at `potential`
// (V); starts a new line when penUp is set. Returns the area of the image
// that changed (empty when nothing was painted).
QRect DrawPoint(MeasurementRecord &record, GraphCanvas &canvas, const QColor &lineColor, double potential,
                double current);

// The marker cross at (x, y), by inverting pixels: strokes from x - 5 to
// x + 4 and from y - 5 to y + 4, so the centre is inverted twice and keeps
// its colour. Drawing it twice restores the
// image. Returns the changed area.
QRect DrawMarker(QImage &image, int x, int y);

// Dotted outline of `rect` (left, top, right, bottom; either orientation,
// right and bottom exclusive), by inverting every other pixel. Drawing it
// twice restores the image. Returns the changed area.
QRect drawFocusRect(QImage &image, const QRect &rect);

// Top, in the frame, of the "0" label beside the zero-current line, for a
// plot area whose top edge is at `plotTop` in the frame.
int zeroLabelTop(const MeasurementRecord &record, int plotTop);

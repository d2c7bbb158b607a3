#pragma once
// The peak analysis drawn over the curve in the plot image: each peak's
// baseline with a handle at either end, and a line from the baseline up to
// the top, numbered as in the peak table. Drawn after the curve and before
// any marker cross, so the crosses invert them as they invert the curve, and
// gone with the next redraw.

#include <QPainter>
#include <QPoint>
#include <optional>
#include <vector>

#include "analysis/peaks.h"
#include "core/measurement_record.h"
#include "graph/drawn_peaks.h"

// On a painter of the plot image; its state is left as it was.
void drawPeakMarks(QPainter &painter, const MeasurementRecord &record, const std::vector<Peak> &peaks);

// Pixel of a point of the plot, as the curve places it.
QPoint plotPixel(const MeasurementRecord &record, double potential, double current);

struct BaselineHandle {
  std::size_t peak = 0;
  BaselineSide side = BaselineSide::Low;
};

// The baseline end nearest (x, y) within `reach` pixels either way, or none.
std::optional<BaselineHandle> baselineEndAt(const MeasurementRecord &record, const std::vector<Peak> &peaks, int x,
                                            int y, int reach = 5);

#pragma once
// The peak analysis in the main window: the table beside the graph, the
// baselines and peak marks over the curve, a row click marking that peak's
// top, and a baseline end dragged along the curve with the left button. The
// analysis follows every full redraw of the graph; it is no part of the
// record, so files never hold it.

#include <QObject>
#include <functional>
#include <optional>
#include <vector>

#include "analysis/peaks.h"
#include "core/measurement_record.h"
#include "graph/drawn_peaks.h"
#include "graph/peak_marks.h"

class GraphView;
class PeakTableView;
class QWidget;

class PeakAnalysisView : public QObject {
  Q_OBJECT
 public:
  // The table is made, hidden, when first asked for; `placeTable` puts it in the window.
  PeakAnalysisView(MeasurementRecord &record, GraphView &graph, std::function<void(PeakTableView *)> placeTable);

  PeakTableView *table();
  const AnalysisSettings &settings() const { return analysis_.settings(); }
  void setSettings(const AnalysisSettings &settings);

  // Shows or hides the table and the marks, and redraws the graph at once.
  bool shown() const { return shown_; }
  void setShown(bool shown);

  // The peaks of the curve as it is drawn now, with the baselines the user moved.
  const std::vector<Peak> &peaks();

  // Marks the top of the peak in table row `row`, as a click on it would.
  void markPeak(int row);

 protected:
  bool eventFilter(QObject *watched, QEvent *event) override;

 private:
  void drawOverlay(QPainter &painter);
  void showRows();
  void dragTo(int x);

  MeasurementRecord &record_;
  GraphView &graph_;
  std::function<void(PeakTableView *)> placeTable_;
  PeakTableView *table_ = nullptr;
  DrawnPeaks analysis_;
  bool shown_ = false;
  std::optional<BaselineHandle> dragged_;
};

#include "graph/ui/peak_analysis_view.h"

#include <QMouseEvent>

#include "analysis/peak_table.h"
#include "analysis/ui/peak_table_view.h"
#include "graph/plot_mapping.h"
#include "graph/ui/graph_view.h"

PeakAnalysisView::PeakAnalysisView(MeasurementRecord &record, GraphView &graph,
                                   std::function<void(PeakTableView *)> placeTable)
    : QObject(&graph), record_(record), graph_(graph), placeTable_(std::move(placeTable)) {
  graph_.addOverlay(
      [this](QPainter &painter, const MeasurementRecord &, const GraphColors &) { drawOverlay(painter); });
  // Also after redraws without a scale, where no overlay is painted.
  connect(&graph_, &GraphView::graphDrawn, this, [this] {
    if (analysis_.follow(record_)) showRows();
  });
  graph_.plotArea()->installEventFilter(this);
}

PeakTableView *PeakAnalysisView::table() {
  // Most sessions never show it: the start of the program does not wait for it.
  if (!table_) {
    table_ = new PeakTableView;
    table_->hide();
    connect(table_, &PeakTableView::peakClicked, this, &PeakAnalysisView::markPeak);
    placeTable_(table_);
  }
  return table_;
}

void PeakAnalysisView::setSettings(const AnalysisSettings &settings) {
  analysis_.setSettings(settings);
  if (shown_) graph_.DrawGraph();
}

void PeakAnalysisView::setShown(bool shown) {
  shown_ = shown;
  if (shown) showRows();
  table()->setVisible(shown);
  dragged_.reset();
  graph_.DrawGraph();
}

const std::vector<Peak> &PeakAnalysisView::peaks() {
  if (analysis_.follow(record_)) showRows();
  return analysis_.peaks();
}

void PeakAnalysisView::markPeak(int row) {
  if (row < 0 || static_cast<std::size_t>(row) >= analysis_.peaks().size()) return;
  graph_.markPoint(analysis_.recordIndex(analysis_.peaks()[row].topIndex));
}

void PeakAnalysisView::drawOverlay(QPainter &painter) {
  if (analysis_.follow(record_)) showRows();
  if (shown_) drawPeakMarks(painter, record_, analysis_.peaks());
}

void PeakAnalysisView::showRows() {
  // A hidden table is filled when it is shown; the start of the program waits for none.
  if (!shown_) return;
  const PeakTableUnits units = peakTableUnits(record_);
  std::vector<QStringList> rows;
  int number = 0;
  for (const Peak &p : analysis_.peaks()) rows.push_back(peakTableRow(++number, p, units));
  table()->setRows(peakTableHeader(units), rows);
}

void PeakAnalysisView::dragTo(int x) {
  std::size_t moved = 0;
  const double potential = potentialAtColumn(record_, x);
  if (!analysis_.moveBaselineEnd(dragged_->peak, dragged_->side, potential, &moved)) return;
  // Dragged past the other end, the end held is now the other side of the line.
  const std::size_t end = analysis_.curve().nearestIndex(potential);
  dragged_ = BaselineHandle{moved, analysis_.peaks()[moved].low.index == end ? BaselineSide::Low : BaselineSide::High};
  showRows();
  graph_.DrawGraph();
}

bool PeakAnalysisView::eventFilter(QObject *watched, QEvent *event) {
  if (watched != graph_.plotArea() || !shown_) return false;
  const auto type = event->type();
  if (type != QEvent::MouseButtonPress && type != QEvent::MouseMove && type != QEvent::MouseButtonRelease) return false;
  const auto *mouse = static_cast<QMouseEvent *>(event);
  const QPoint pos = mouse->position().toPoint();
  if (type == QEvent::MouseButtonPress) {
    if (mouse->button() != Qt::LeftButton || mouse->modifiers() != Qt::NoModifier || record_.runState != RunIdle)
      return false;
    dragged_ = baselineEndAt(record_, analysis_.peaks(), pos.x(), pos.y());
    if (!dragged_) return false;
    graph_.plotArea()->setCursor(Qt::SizeHorCursor);
    return true;
  }
  if (!dragged_) return false;
  if (plotHasScale(record_)) dragTo(pos.x());
  if (type == QEvent::MouseButtonRelease) {
    dragged_.reset();
    graph_.plotArea()->unsetCursor();
  }
  return true;
}

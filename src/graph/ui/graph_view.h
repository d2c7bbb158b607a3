#pragma once
// The graph of the main window: the frame PaintBox1 with the plot area
// PaintBox2 and the axis labels Label5 .. Label9. It draws the record's
// points into a backing image, redraws it in full when the inputs or the
// plot size change, and turns the mouse into zoom, markers and edits.

#include <QTimer>
#include <QWidget>
#include <functional>
#include <vector>

#include "core/measurement_record.h"
#include "graph/graph_drawing.h"
#include "graph/graph_interaction.h"

class QLabel;
class PlotArea;

class GraphView : public QWidget {
  Q_OBJECT
 public:
  explicit GraphView(MeasurementRecord &record, QWidget *parent = nullptr);

  // Asks for a full redraw 100 ms later; requests within those 100 ms are
  // served by the same redraw.
  void Redraw();
  // Full redraw now.
  void DrawGraph();
  // Adds one point to the curve during a run, repainting only its segment.
  void DrawPoint(double potential, double current);
  // Clears the readouts, leaves any zoom and redraws now.
  void PaintBox2DblClick();
  // Where the curve and background colours are read at every drawing step;
  // blue on white until set.
  void setColors(std::function<QColor()> lineColor, std::function<QColor()> backgroundColor);
  // Painted over the plot after every full redraw that has a scale, with the
  // record and colours of that redraw.
  using Overlay = std::function<void(QPainter &, const MeasurementRecord &, const GraphColors &)>;
  void addOverlay(Overlay overlay);
  // Marks stored point `index` as a click on it would.
  void markPoint(int32_t index);

  QWidget *plotArea() const;
  const QImage &plotImage() const { return canvas_.image; }
  bool redrawPending() const { return Timer2.isActive(); }

 signals:
  // The mouse changed the record's axis texts, status panels or points.
  void recordChanged();
  // A full redraw has been painted.
  void graphDrawn();

 protected:
  void paintEvent(QPaintEvent *event) override;
  void resizeEvent(QResizeEvent *event) override;
  void mousePressEvent(QMouseEvent *event) override;
  void mouseReleaseEvent(QMouseEvent *event) override;

 private:
  void Timer2Timer();
  void PaintBox2MouseDown(Qt::MouseButton button, const ShiftState &shift, QPoint pos);
  void PaintBox2MouseMove(QPoint pos);
  void PaintBox2MouseUp(const ShiftState &shift, QPoint pos);
  void apply(const GraphChange &change);
  void placeLabels();
  void paintOverlays();
  GraphColors colors() const;

  MeasurementRecord &record_;
  GraphCanvas canvas_;
  QTimer Timer2;
  PlotArea *PaintBox2;
  QLabel *Label5, *Label6, *Label7, *Label8, *Label9;
  std::function<QColor()> lineColor_, backgroundColor_;
  std::vector<Overlay> overlays_;
};

#include "graph/ui/graph_view.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPainter>

#include "graph/plot_mapping.h"
#include "graph/ui/plot_area.h"
#include "graph/ui/readings_font.h"

namespace {

// Layout of the frame as designed at 546 x 374: the plot area's offsets
// from the frame's edges, and where the labels sit.
constexpr int kPlotLeft = 48, kPlotTop = 16, kPlotRightMargin = 19, kPlotBottomMargin = 24;
constexpr int kLabelGap = 4;            // between the current labels and the plot
constexpr int kCurrMinFromBottom = 32;  // top of Label6 above the frame's bottom
constexpr int kPotFromBottom = 20;      // top of Label7, Label8 above the frame's bottom
constexpr int kZeroLabelLeft = 40;

QLabel *makeLabel(QWidget *parent, Qt::Alignment alignment) {
  auto *label = new QLabel(parent);
  label->setFont(readingsFont());
  label->setAlignment(alignment | Qt::AlignTop);
  return label;
}

// A label sized to its text whose right edge, left edge or centre stays put.
void placeRight(QLabel *label, int right, int top) {
  const QSize size = label->sizeHint();
  label->setGeometry(right - size.width(), top, size.width(), size.height());
}

void placeLeft(QLabel *label, int left, int top) { label->setGeometry(QRect(QPoint(left, top), label->sizeHint())); }

void placeCentred(QLabel *label, int centre, int top) {
  const QSize size = label->sizeHint();
  label->setGeometry(centre - size.width() / 2, top, size.width(), size.height());
}

}  // namespace

GraphView::GraphView(MeasurementRecord &record, QWidget *parent) : QWidget(parent), record_(record) {
  Timer2.setSingleShot(true);
  Timer2.setInterval(100);
  connect(&Timer2, &QTimer::timeout, this, &GraphView::Timer2Timer);

  PaintBox2 = new PlotArea(canvas_.image, this);
  connect(PaintBox2, &PlotArea::mouseDown, this, &GraphView::PaintBox2MouseDown);
  connect(PaintBox2, &PlotArea::mouseMove, this, &GraphView::PaintBox2MouseMove);
  connect(PaintBox2, &PlotArea::mouseUp, this, &GraphView::PaintBox2MouseUp);
  connect(PaintBox2, &PlotArea::doubleClicked, this, &GraphView::PaintBox2DblClick);

  Label5 = makeLabel(this, Qt::AlignRight);
  Label6 = makeLabel(this, Qt::AlignRight);
  Label7 = makeLabel(this, Qt::AlignHCenter);
  Label8 = makeLabel(this, Qt::AlignRight);
  Label9 = makeLabel(this, Qt::AlignLeft);
  Label9->setText(QStringLiteral("0"));
  Label9->hide();

  setMinimumSize(kPlotLeft + kPlotRightMargin, kPlotTop + kPlotBottomMargin);
  resize(546, 374);
}

void GraphView::setColors(std::function<QColor()> lineColor, std::function<QColor()> backgroundColor) {
  lineColor_ = std::move(lineColor);
  backgroundColor_ = std::move(backgroundColor);
}

void GraphView::markPoint(int32_t index) { apply(markStoredPoint(record_, canvas_.image, index)); }

GraphColors GraphView::colors() const {
  GraphColors c;
  if (lineColor_) c.line = lineColor_();
  if (backgroundColor_) c.background = backgroundColor_();
  return c;
}

void GraphView::addOverlay(Overlay overlay) { overlays_.push_back(std::move(overlay)); }

void GraphView::paintOverlays() {
  if (overlays_.empty() || canvas_.image.isNull() || !plotHasScale(record_)) return;
  QPainter p(&canvas_.image);
  const GraphColors c = colors();
  for (const Overlay &overlay : overlays_) overlay(p, record_, c);
}

QWidget *GraphView::plotArea() const { return PaintBox2; }

void GraphView::Redraw() {
  record_.view.penUp = false;
  if (!Timer2.isActive()) Timer2.start();
}

void GraphView::Timer2Timer() {
  record_.view.penUp = false;
  Timer2.stop();
  DrawGraph();
}

void GraphView::DrawGraph() {
  ::DrawGraph(record_, canvas_, colors());
  paintOverlays();
  placeLabels();
  PaintBox2->update();
  emit graphDrawn();
}

void GraphView::DrawPoint(double potential, double current) {
  const QRect changed = ::DrawPoint(record_, canvas_, colors().line, potential, current);
  if (!changed.isEmpty()) PaintBox2->update(changed);
}

void GraphView::PaintBox2DblClick() {
  const GraphChange change = resetGraphView(record_);
  DrawGraph();
  apply(change);
}

void GraphView::placeLabels() {
  Label5->setText(record_.texts.currMax);
  Label6->setText(record_.texts.currMin);
  Label7->setText(record_.texts.potStart);
  Label8->setText(record_.texts.potEnd);
  const int plotRight = width() - kPlotRightMargin;
  placeRight(Label5, kPlotLeft - kLabelGap, kPlotTop - 8);
  placeRight(Label6, kPlotLeft - kLabelGap, height() - kCurrMinFromBottom);
  placeCentred(Label7, kPlotLeft, height() - kPotFromBottom);
  placeRight(Label8, plotRight, height() - kPotFromBottom);
  // The "0" follows the zero-current line, also outside the plot area.
  Label9->setVisible(!canvas_.image.isNull() && plotHasScale(record_));
  placeLeft(Label9, kZeroLabelLeft, zeroLabelTop(record_, kPlotTop));
}

void GraphView::paintEvent(QPaintEvent *) {
  QPainter p(this);
  p.fillRect(rect(), palette().button());
  p.setPen(QPen(Qt::black, 1));
  p.drawRect(0, 0, width() - 1, height() - 1);
}

void GraphView::resizeEvent(QResizeEvent *) {
  const QSize plot(std::max(0, width() - kPlotLeft - kPlotRightMargin),
                   std::max(0, height() - kPlotTop - kPlotBottomMargin));
  PaintBox2->setGeometry(kPlotLeft, kPlotTop, plot.width(), plot.height());
  record_.view.plotWidth = plot.width();
  record_.view.plotHeight = plot.height();
  DrawGraph();
}

// Taking the press makes the frame receive its release.
void GraphView::mousePressEvent(QMouseEvent *event) { event->accept(); }

// A release on the frame of a press there goes to the plot's handler, with
// the frame's coordinates.
void GraphView::mouseReleaseEvent(QMouseEvent *event) {
  PaintBox2MouseUp(ShiftState(event->modifiers(), event->buttons()), event->position().toPoint());
}

void GraphView::PaintBox2MouseDown(Qt::MouseButton button, const ShiftState &shift, QPoint pos) {
  apply(::PaintBox2MouseDown(record_, canvas_.image, button, shift, pos.x(), pos.y()));
}

void GraphView::PaintBox2MouseMove(QPoint pos) {
  apply(::PaintBox2MouseMove(record_, canvas_.image, pos.x(), pos.y()));
}

void GraphView::PaintBox2MouseUp(const ShiftState &shift, QPoint pos) {
  apply(::PaintBox2MouseUp(record_, canvas_.image, shift, pos.x(), pos.y()));
}

void GraphView::apply(const GraphChange &change) {
  if (!change.dirty.isEmpty()) PaintBox2->update(change.dirty);
  if (change.redraw || change.axisTexts) Redraw();
  if (change.recordChanged()) emit recordChanged();
}

#include "references/graph_references.h"

#include "references/reference_drawing.h"
#include "references/reference_palette.h"

void drawGraphReferences(QPainter &painter, const ReferenceCurves &references, const MeasurementRecord &r,
                         const GraphColors &colors) {
  const PlotFrame frame{QRectF(0, 0, r.view.plotWidth, r.view.plotHeight), r.params.axisPotStart, r.params.axisPotEnd,
                        r.params.axisCurrMin, r.params.axisCurrMax};
  ReferenceStyle style;
  style.colors = referenceColors(static_cast<int>(references.curves().size()), colors.line, colors.background);
  style.lineWidth = 1;
  // The face of the axis labels.
  style.font = QFont(QStringLiteral("Arial"));
  style.font.setPixelSize(12);
  style.background = colors.background;
  drawReferences(painter, references, frame, style);
}

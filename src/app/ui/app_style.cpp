#include "app/ui/app_style.h"

#include <qdrawutil.h>
#include <QGroupBox>
#include <QImageReader>
#include <QPainter>
#include <QPointer>

#include "app/ui/app_icons.h"

QIcon AppStyle::standardIcon(StandardPixmap icon, const QStyleOption *option, const QWidget *widget) const {
  if (icon != SP_ToolBarHorizontalExtensionButton && icon != SP_ToolBarVerticalExtensionButton)
    return QProxyStyle::standardIcon(icon, option, widget);
  return deferredIcon([base = QPointer<QStyle>(baseStyle()), icon](QIcon &made, QSize) {
    if (made.isNull() && base) made = base->standardIcon(icon);
  });
}

void AppStyle::drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                             const QWidget *widget) const {
  if (element != PE_FrameGroupBox || baseStyle()->name() != QLatin1String("fusion")) {
    QProxyStyle::drawPrimitive(element, option, painter, widget);
    return;
  }
  // Fusion's own picture and geometry; read as PNG, the reader asks no plugin.
  if (groupBoxFrame_.isNull()) {
    QImageReader reader(QStringLiteral(":/qt-project.org/styles/commonstyle/images/fusion_groupbox.png"), "png");
    reader.setAutoDetectImageFormat(false);
    groupBoxFrame_ = QPixmap::fromImage(reader.read());
  }
  constexpr int kTopMargin = 3;  // below the title
  const auto *box = qobject_cast<const QGroupBox *>(widget);
  const int top = box && !box->isCheckable() && box->title().isEmpty()
                      ? kTopMargin
                      : qMax(pixelMetric(PM_ExclusiveIndicatorHeight), option->fontMetrics.height()) + kTopMargin;
  qDrawBorderPixmap(painter, option->rect.adjusted(0, top, 0, 0), QMargins(6, 6, 6, 6), groupBoxFrame_);
}

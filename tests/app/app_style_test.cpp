// The program's style paints what the platform's style paints, without
// reading images through format detection at start-up.
#include <gtest/gtest.h>

#include <QGroupBox>
#include <QImage>
#include <QLineEdit>
#include <QStyleFactory>
#include <QVBoxLayout>
#include <memory>

#include "app/ui/app_style.h"

namespace {

// A group box as the main window has them, drawn in `style`.
QImage groupBoxIn(QStyle *style, const QString &title, bool checkable) {
  QGroupBox box(title);
  box.setCheckable(checkable);
  auto *layout = new QVBoxLayout(&box);
  layout->addWidget(new QLineEdit(QStringLiteral("100")));
  box.setStyle(style);
  for (QWidget *child : box.findChildren<QWidget *>()) child->setStyle(style);
  box.resize(230, 90);
  return box.grab().toImage();
}

}  // namespace

TEST(AppStyle, GroupBoxesLookAsInThePlatformStyle) {
  const std::unique_ptr<QStyle> fusion(QStyleFactory::create(QStringLiteral("Fusion")));
  AppStyle style;
  ASSERT_EQ(style.baseStyle()->name(), fusion->name()) << "the tests run with the Fusion style";
  for (const auto &[title, checkable] : {std::pair{QStringLiteral(" Current axis "), false},
                                         std::pair{QString(), false}, std::pair{QStringLiteral("On"), true}}) {
    const QImage expected = groupBoxIn(fusion.get(), title, checkable);
    EXPECT_TRUE(groupBoxIn(&style, title, checkable) == expected) << title.toStdString() << checkable;
  }
}

TEST(AppStyle, ExtensionIconsAreThePlatformStylesWhenShown) {
  const std::unique_ptr<QStyle> fusion(QStyleFactory::create(QStringLiteral("Fusion")));
  AppStyle style;
  for (const QStyle::StandardPixmap which :
       {QStyle::SP_ToolBarHorizontalExtensionButton, QStyle::SP_ToolBarVerticalExtensionButton}) {
    const QIcon icon = style.standardIcon(which, nullptr, nullptr);
    const QIcon expected = fusion->standardIcon(which, nullptr, nullptr);
    ASSERT_FALSE(icon.isNull());
    EXPECT_EQ(icon.availableSizes(), expected.availableSizes());
    EXPECT_TRUE(icon.pixmap(16).toImage() == expected.pixmap(16).toImage());
  }
  // Other icons come from the platform style as they are.
  EXPECT_TRUE(style.standardIcon(QStyle::SP_DialogOkButton, nullptr, nullptr).pixmap(16).toImage() ==
              fusion->standardIcon(QStyle::SP_DialogOkButton, nullptr, nullptr).pixmap(16).toImage());
}

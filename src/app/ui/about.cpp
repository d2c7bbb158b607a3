#include "app/ui/about.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include "app/ui/app_icons.h"
#include "core/measurement_record.h"

TAboutBox *AboutBox = nullptr;

namespace {
const char *const kReleaseDate = "2026-12-08";
}

TAboutBox::TAboutBox(QWidget *parent) : QDialog(parent) {
  AboutBox = this;
  setWindowTitle(QStringLiteral("About"));
  setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
  auto *icon = new QLabel;
  icon->setPixmap(appIcon(AppIcon::Program).pixmap(48, 48));
  icon->setAlignment(Qt::AlignTop);
  auto *title = new QLabel(kTitle);
  QFont titleFont = title->font();
  titleFont.setBold(true);
  titleFont.setPointSizeF(titleFont.pointSizeF() * 1.2);
  title->setFont(titleFont);
  auto *text = new QVBoxLayout;
  text->addWidget(title);
  text->addWidget(new QLabel(QStringLiteral("Version 1.0")));
  text->addWidget(new QLabel(QStringLiteral("Last modified: ") + QString::fromLatin1(kReleaseDate)));
  text->addStretch();
  auto *top = new QHBoxLayout;
  top->addWidget(icon);
  top->addSpacing(12);
  top->addLayout(text);
  // A plain button: a button box looks up the icon theme for its OK icon,
  // which costs the start of the program more than the whole box.
  auto *ok = new QPushButton(QStringLiteral("&OK"));
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  auto *buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(ok);
  auto *layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

TAboutBox::~TAboutBox() {
  if (AboutBox == this) AboutBox = nullptr;
}

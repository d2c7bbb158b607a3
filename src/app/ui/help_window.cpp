#include "app/ui/help_window.h"

#include <QFile>
#include <QTextBrowser>
#include <QVBoxLayout>

#include "core/text_io.h"

HelpWindow::HelpWindow(QWidget *parent) : QDialog(parent), browser_(new QTextBrowser(this)) {
  setWindowTitle(QStringLiteral("Differential pulse voltammetry - Help"));
  setWindowFlag(Qt::WindowMaximizeButtonHint);
  browser_->setOpenExternalLinks(false);
  auto *layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(browser_);
  resize(640, 560);
}

bool HelpWindow::showFile(const QString &path, QString *error) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    *error = file.errorString();
    return false;
  }
  browser_->setHtml(decodeText(file.readAll()));
  browser_->scrollToAnchor(QStringLiteral("contents"));
  return true;
}

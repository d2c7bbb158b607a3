#pragma once

#include <QDialog>

class QTextBrowser;

// Shows the program's help file at its contents.
class HelpWindow : public QDialog {
  Q_OBJECT
 public:
  explicit HelpWindow(QWidget *parent = nullptr);
  // Loads `path`; returns false and sets `error` when it cannot be read.
  bool showFile(const QString &path, QString *error);

 private:
  QTextBrowser *browser_;
};

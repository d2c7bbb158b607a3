#pragma once

#include <QDialog>

// The about box: program icon, title, version and release date.
class TAboutBox : public QDialog {
  Q_OBJECT
 public:
  explicit TAboutBox(QWidget *parent = nullptr);
};

extern TAboutBox *AboutBox;

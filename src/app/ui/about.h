#pragma once

#include <QDialog>

// The about box: program icon, title, version and release date.
class TAboutBox : public QDialog {
  Q_OBJECT
 public:
  // Sets the global AboutBox; the destructor clears it.
  explicit TAboutBox(QWidget *parent = nullptr);
  ~TAboutBox() override;
};

extern TAboutBox *AboutBox;

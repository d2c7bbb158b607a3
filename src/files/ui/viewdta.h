#pragma once
// The data text view: the measurement as TAB-separated rows with a choice of
// columns, to copy to the clipboard or write to a text file.

#include <QDialog>

#include "core/measurement_record.h"
#include "files/data_view_text.h"
#include "files/ui/data_rows_view.h"

class QCheckBox;
class QPlainTextEdit;
class QPushButton;
class QToolButton;

class TViewdata : public QDialog {
  Q_OBJECT

 public:
  // Sets the global Viewdata; the destructor clears it.
  explicit TViewdata(MeasurementRecord &record, QWidget *parent = nullptr);
  ~TViewdata() override;

  // Rebuilds the header and the rows from the record.
  void Refresh();

  // The columns switched on.
  DataViewColumns columns() const;

  QPlainTextEdit *Memo2;  // header line, with the tab stops of the rows
  DataRowsView *Memo1;    // rows; the user may edit them
  QCheckBox *CheckBox1;   // point number
  QCheckBox *CheckBox3;   // time
  QCheckBox *CheckBox4;   // potential
  QCheckBox *CheckBox5;   // current
  QToolButton *BitBtn1;   // copy
  QToolButton *BitBtn2;   // write text file
  QPushButton *Button1;   // close

 public slots:
  void BitBtn1Click();
  void BitBtn2Click();
  void Button1Click();

 protected:
  void showEvent(QShowEvent *event) override;

 private:
  void FormCreate();

  MeasurementRecord &record_;
  QString saveDirectory_;  // initial folder of the save dialog
  QString saveFileName_;   // kept between uses of the save dialog
};

extern TViewdata *Viewdata;

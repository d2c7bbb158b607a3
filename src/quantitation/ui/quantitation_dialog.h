#pragma once
// "Quantitation": the table of files, roles and concentrations (added,
// loaded and saved as CSV), the peak potential, window and weighting, and the
// result as the command line gives it: the fitted line with the points and
// the samples, the result rows, a copy for spreadsheets and a one-page report.

#include <QDialog>
#include <optional>

#include "quantitation/quantitation.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;
class QuantitationPlot;

class TQuantitation : public QDialog {
  Q_OBJECT

 public:
  // Sets the global Quantitation; the destructor clears it.
  explicit TQuantitation(QWidget *parent = nullptr);
  ~TQuantitation() override;

  // Rows for the files, as standards.
  void addFiles(const QStringList &paths);
  // Replaces the rows by the table file's; false with the fault shown.
  bool loadTable(const QString &path);
  // Writes the rows as a table file; false with the fault shown.
  bool saveTable(const QString &path);
  // The result shown, if any: every change of the table or the choices clears it.
  const std::optional<QuantitationResult> &result() const { return result_; }

  void AddClick();
  void RemoveClick();
  void LoadClick();
  void SaveClick();
  void CalculateClick();
  void CopyClick();
  void PrintClick();

  QTableWidget *Table;  // File, Role, Concentration, Name
  QLineEdit *UnitEdit, *PotentialEdit, *WindowEdit;
  QComboBox *WeightingBox;
  QPushButton *AddButton, *RemoveButton, *LoadButton, *SaveButton, *CalculateButton;
  QuantitationPlot *Plot;
  QTableWidget *Results;  // Quantity, Value, Unit
  QLabel *Message;        // the fault, or the warnings
  QPushButton *CopyButton, *PrintButton, *CloseButton;

 private:
  void buildControls();
  void addRow(const QString &path, Role role, const QString &concentration, const QString &name);
  // The rows as a table (lines numbered as the saved file would number
  // them), or false with the fault shown.
  bool rowsTable(QuantitationTable *table);
  bool readChoices(QuantitationSettings *settings);
  void showFault(const QString &text, int row = -1);
  void showResult();
  void clearResult();
  QString askFile(const QString &caption, const QString &filter, bool save);

  std::optional<QuantitationResult> result_;
  QString tablePath_;  // the table file last loaded or saved
  QString folder_;     // where the file dialogs start
};

extern TQuantitation *Quantitation;

#pragma once
// The peak table beside the graph: read-only rows, one per peak; a click on a
// row asks for that peak to be marked.

#include <QStringList>
#include <QTableWidget>
#include <vector>

class PeakTableView : public QTableWidget {
  Q_OBJECT
 public:
  explicit PeakTableView(QWidget *parent = nullptr);

  // Replaces the table; the columns follow `header`.
  void setRows(const QStringList &header, const std::vector<QStringList> &rows);

 signals:
  void peakClicked(int row);
};

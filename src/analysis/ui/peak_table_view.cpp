#include "analysis/ui/peak_table_view.h"

#include <QHeaderView>

PeakTableView::PeakTableView(QWidget *parent) : QTableWidget(parent) {
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setWordWrap(false);
  verticalHeader()->hide();
  verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
  horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
  horizontalHeader()->setStretchLastSection(true);
  setToolTip(QStringLiteral("Peaks of the curve shown"));
  setStatusTip(
      QStringLiteral("Peaks of the curve shown: click a row to mark its top, drag a baseline end on the graph"));
  connect(this, &QTableWidget::cellClicked, this, [this](int row, int) { emit peakClicked(row); });
}

void PeakTableView::setRows(const QStringList &header, const std::vector<QStringList> &rows) {
  clearContents();
  setColumnCount(header.size());
  // Units under the names keep the columns narrow.
  QStringList labels = header;
  for (QString &label : labels) label.replace(QStringLiteral(" ["), QStringLiteral("\n["));
  setHorizontalHeaderLabels(labels);
  setRowCount(static_cast<int>(rows.size()));
  for (int r = 0; r < rowCount(); ++r)
    for (int c = 0; c < header.size() && c < rows[r].size(); ++c) {
      auto *item = new QTableWidgetItem(rows[r][c]);
      item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
      setItem(r, c, item);
    }
}

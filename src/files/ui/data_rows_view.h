#pragma once
// The rows box of the data text view: a list that formats only the rows on
// screen. A row can be edited by hand (double-click, F2 or typing); the edit
// stands until the rows are set again. Its text is the rows joined by line
// feeds, as a plain text box would give it.

#include <QAbstractListModel>
#include <QHash>
#include <QListView>
#include <QStringList>
#include <functional>

#include "files/data_view_text.h"

class DataRowsModel : public QAbstractListModel {
  Q_OBJECT
 public:
  using QAbstractListModel::QAbstractListModel;

  void setRows(DataViewRows rows);
  // Lines given as they are, in place of the formatted rows.
  void setLines(QStringList lines);
  // The row as it stands, with any hand edit.
  QString rowText(int row) const;

  int rowCount(const QModelIndex &parent = QModelIndex()) const override;
  QVariant data(const QModelIndex &index, int role) const override;
  bool setData(const QModelIndex &index, const QVariant &value, int role) override;
  Qt::ItemFlags flags(const QModelIndex &index) const override;

 private:
  DataViewRows rows_;
  QStringList lines_;
  bool useLines_ = false;
  QHash<int, QString> edits_;
};

class DataRowsView : public QListView {
  Q_OBJECT
 public:
  explicit DataRowsView(QWidget *parent = nullptr);

  void setRows(DataViewRows rows);
  // As QPlainTextEdit: the lines of `text` become the rows.
  void setPlainText(const QString &text);
  // The rows joined by line feeds.
  QString toPlainText() const;
  // Hands the rows as they stand, in order, to `row`; nothing when the text
  // is empty (no rows, or one empty row), as a text box holding it would.
  void forEachRow(const std::function<void(const QString &)> &row) const;
  // Puts the whole text on the clipboard.
  void copy() const;
  void setTabStopDistance(qreal distance);

 private:
  DataRowsModel *model_;
};

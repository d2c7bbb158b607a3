#include "files/ui/data_rows_view.h"

#include <QApplication>
#include <QClipboard>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QTextOption>

namespace {

// Paints a row with its TABs at the tab stops of the header box above it.
class TabbedRowDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  qreal tabStop = 80;

  void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override {
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    const QString text = opt.text;
    opt.text.clear();
    const QWidget *widget = opt.widget;
    QStyle *style = widget ? widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, widget);
    QTextOption layout(Qt::AlignLeft | Qt::AlignVCenter);
    layout.setWrapMode(QTextOption::NoWrap);
    layout.setTabStopDistance(tabStop);
    painter->save();
    painter->setFont(opt.font);
    const bool selected = opt.state & QStyle::State_Selected;
    painter->setPen(opt.palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
    painter->drawText(QRectF(opt.rect).adjusted(2, 0, 0, 0), text, layout);
    painter->restore();
  }

  QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &) const override {
    return QSize(option.rect.width(), option.fontMetrics.height());
  }
};

}  // namespace

void DataRowsModel::setRows(DataViewRows rows) {
  beginResetModel();
  rows_ = std::move(rows);
  lines_.clear();
  useLines_ = false;
  edits_.clear();
  endResetModel();
}

void DataRowsModel::setLines(QStringList lines) {
  beginResetModel();
  rows_ = DataViewRows();
  lines_ = std::move(lines);
  useLines_ = true;
  edits_.clear();
  endResetModel();
}

QString DataRowsModel::rowText(int row) const {
  const auto edit = edits_.constFind(row);
  if (edit != edits_.constEnd()) return *edit;
  return useLines_ ? lines_.at(row) : rows_.row(row);
}

int DataRowsModel::rowCount(const QModelIndex &parent) const {
  if (parent.isValid()) return 0;
  return useLines_ ? static_cast<int>(lines_.size()) : rows_.count();
}

QVariant DataRowsModel::data(const QModelIndex &index, int role) const {
  if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole)) return QVariant();
  return rowText(index.row());
}

bool DataRowsModel::setData(const QModelIndex &index, const QVariant &value, int role) {
  if (!index.isValid() || role != Qt::EditRole) return false;
  edits_.insert(index.row(), value.toString());
  emit dataChanged(index, index, {Qt::DisplayRole, Qt::EditRole});
  return true;
}

Qt::ItemFlags DataRowsModel::flags(const QModelIndex &index) const {
  return QAbstractListModel::flags(index) | Qt::ItemIsEditable;
}

DataRowsView::DataRowsView(QWidget *parent) : QListView(parent), model_(new DataRowsModel(this)) {
  // One row height for all: the view lays out a million rows without asking each.
  setUniformItemSizes(true);
  setItemDelegate(new TabbedRowDelegate(this));
  setModel(model_);
  setSelectionMode(QAbstractItemView::ExtendedSelection);
  setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                  QAbstractItemView::AnyKeyPressed);
}

void DataRowsView::setRows(DataViewRows rows) { model_->setRows(std::move(rows)); }

void DataRowsView::setPlainText(const QString &text) {
  model_->setLines(text.isEmpty() ? QStringList() : text.split(QLatin1Char('\n')));
}

void DataRowsView::forEachRow(const std::function<void(const QString &)> &row) const {
  const int count = model_->rowCount();
  if (count == 1 && model_->rowText(0).isEmpty()) return;
  for (int i = 0; i < count; ++i) row(model_->rowText(i));
}

QString DataRowsView::toPlainText() const {
  QString text;
  bool first = true;
  for (int i = 0; i < model_->rowCount(); ++i) {
    if (!first) text += QLatin1Char('\n');
    text += model_->rowText(i);
    first = false;
  }
  return text;
}

void DataRowsView::copy() const { QGuiApplication::clipboard()->setText(toPlainText()); }

void DataRowsView::setTabStopDistance(qreal distance) {
  static_cast<TabbedRowDelegate *>(itemDelegate())->tabStop = distance;
  viewport()->update();
}

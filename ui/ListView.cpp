#include "ListView.h"

#include <QHeaderView>
#include <QPainter>

#include "RowTableModel.h"

TListView::TListView(QWidget* parent) : QTreeView(parent) {
  setRootIsDecorated(false);
  setItemsExpandable(false);
  setAllColumnsShowFocus(true);
  setUniformRowHeights(true);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setEditTriggers(QAbstractItemView::SelectedClicked | QAbstractItemView::EditKeyPressed);
  setItemDelegate(new GridLineDelegate(this));
  header()->setStretchLastSection(false);
  header()->setSectionsMovable(false);
  setContextMenuPolicy(Qt::CustomContextMenu);
}

int TListView::selectedIndex() const {
  if (selectionModel() == nullptr) {
    return -1;
  }
  const QModelIndexList rows = selectionModel()->selectedRows();
  return rows.isEmpty() ? -1 : rows.front().row();
}

void TListView::selectIndex(int index) {
  if (index < 0 || model() == nullptr || index >= model()->rowCount()) {
    clearSelection();
    setCurrentIndex(QModelIndex());
    return;
  }
  setCurrentIndex(model()->index(index, RowTableModel::NameColumn));
}

// Every way of editing a row edits its Name, the one column that can be edited.
bool TListView::edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) {
  return QTreeView::edit(index.isValid() ? index.siblingAtColumn(RowTableModel::NameColumn) : index,
                         trigger, event);
}

void GridLineDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                             const QModelIndex& index) const {
  QStyledItemDelegate::paint(painter, option, index);
  painter->save();
  painter->setPen(option.palette.color(QPalette::Mid));
  const QRect cell = option.rect;
  painter->drawLine(cell.topRight(), cell.bottomRight());
  painter->drawLine(cell.bottomLeft(), cell.bottomRight());
  painter->restore();
}

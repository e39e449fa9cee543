#include "ListView.h"

#include <QApplication>
#include <QHeaderView>
#include <QHelpEvent>
#include <QLineEdit>
#include <QPainter>
#include <QTimerEvent>
#include <QToolTip>
#include <algorithm>
#include <limits>

#include "ResultMarks.h"
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

// A change of many rows, as undo of a calculation of a million rows makes, is narrowed to the
// rows on the screen: the tree view otherwise works out the rectangle of every changed cell,
// which takes a quarter of a second for a million rows. Rows off the screen are painted from
// the model when they are scrolled in, and all rows have the same height.
void TListView::dataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight,
                            const QList<int>& roles) {
  if (topLeft.row() == bottomRight.row() || model() == nullptr) {
    QTreeView::dataChanged(topLeft, bottomRight, roles);
    return;
  }
  const QModelIndex topShown = indexAt(QPoint(1, 1));
  const QModelIndex bottomShown = indexAt(QPoint(1, viewport()->height() - 1));
  const int first = std::max(topLeft.row(), topShown.isValid() ? topShown.row() : 0);
  const int last = std::min(bottomRight.row(),
                            bottomShown.isValid() ? bottomShown.row() : model()->rowCount() - 1);
  if (first <= last) {
    QTreeView::dataChanged(topLeft.siblingAtRow(first), bottomRight.siblingAtRow(last), roles);
  }
}

// Every way of editing a row edits its Name, the one column that can be edited. A click on
// the selected row waits for the double-click time first; the release that ends a
// double-click edits nothing.
bool TListView::edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) {
  const QModelIndex name =
      index.isValid() ? index.siblingAtColumn(RowTableModel::NameColumn) : index;
  if (trigger != SelectedClicked) {
    return QTreeView::edit(name, trigger, event);
  }
  if (doubleClickInProgress_ || !name.isValid() || !(editTriggers() & SelectedClicked)) {
    return false;
  }
  pendingNameEdit_ = name;
  nameEditDelay_.start(QApplication::doubleClickInterval(), this);
  return true;
}

void TListView::mousePressEvent(QMouseEvent* event) {
  nameEditDelay_.stop();
  doubleClickInProgress_ = false;
  QTreeView::mousePressEvent(event);
}

void TListView::mouseDoubleClickEvent(QMouseEvent* event) {
  nameEditDelay_.stop();
  doubleClickInProgress_ = true;
  QTreeView::mouseDoubleClickEvent(event);
}

void TListView::timerEvent(QTimerEvent* event) {
  if (event->timerId() != nameEditDelay_.timerId()) {
    QTreeView::timerEvent(event);
    return;
  }
  nameEditDelay_.stop();
  if (pendingNameEdit_.isValid() && pendingNameEdit_.row() == currentIndex().row()) {
    QTreeView::edit(pendingNameEdit_, AllEditTriggers, nullptr);
  }
}

bool TListView::isCut(const QModelIndex& index) const {
  if (!index.isValid()) {
    return false;
  }
  QStyleOptionViewItem option;
  initViewItemOption(&option);
  const int needed = itemDelegateForIndex(index)->sizeHint(option, index).width();
  return needed > visualRect(index).width();
}

bool TListView::viewportEvent(QEvent* event) {
  if (event->type() != QEvent::ToolTip) {
    return QTreeView::viewportEvent(event);
  }
  const auto* help = static_cast<QHelpEvent*>(event);
  const QModelIndex index = indexAt(help->pos());
  const QString tip = resultMarks::cellTooltip(index, isCut(index));
  if (tip.isEmpty()) {
    QToolTip::hideText();
  } else {
    QToolTip::showText(help->globalPos(), tip, viewport(), visualRect(index));
  }
  return true;
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
  resultMarks::paint(painter, cell, index.data(resultMarks::Role).toInt());
}

// The Name takes any text, so its editor sets no limit on the length: a line edit otherwise
// keeps at most 32767 characters, cutting a longer Name it is given as well as what is typed.
QWidget* GridLineDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                        const QModelIndex& index) const {
  QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
  if (auto* field = qobject_cast<QLineEdit*>(editor)) {
    field->setMaxLength(std::numeric_limits<int>::max());
  }
  return editor;
}

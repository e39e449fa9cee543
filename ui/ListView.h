#pragma once

#include <QBasicTimer>
#include <QPersistentModelIndex>
#include <QStyledItemDelegate>
#include <QTreeView>

// The table in report view: whole-row single selection, grid lines, and in-place editing of
// the Name column. A click on the selected row, or F2, edits its Name whichever column the
// pointer is over. A cell whose text is cut shows its whole text as a tooltip. The click's editor
// opens only once it is clear that the click does not begin a double-click, which edits the Term
// instead. A change of many rows repaints only the rows on the screen.
class TListView : public QTreeView {
  Q_OBJECT

 public:
  explicit TListView(QWidget* parent = nullptr);

  // Whether the cell at `index` shows less than its whole text.
  bool isCut(const QModelIndex& index) const;

  // The selected row's index, -1 for none.
  int selectedIndex() const;
  void selectIndex(int index);

 protected slots:
  void dataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight,
                   const QList<int>& roles = QList<int>()) override;

 protected:
  bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override;
  bool viewportEvent(QEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void timerEvent(QTimerEvent* event) override;

 private:
  QBasicTimer nameEditDelay_;
  QPersistentModelIndex pendingNameEdit_;
  bool doubleClickInProgress_ = false;
};

// Draws each cell with a one-pixel grid line on its right and bottom edges. The in-place
// editor takes a text of any length.
class GridLineDelegate : public QStyledItemDelegate {
  Q_OBJECT

 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override;
  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                        const QModelIndex& index) const override;
};

#pragma once

#include <QListWidget>
#include <QPen>
#include <vector>

// The chart's legend beside it: one entry per row, however many rows there are (the list
// scrolls), each with the row's line and label. A click on an entry, or Space on the current
// one, hides the row's line; the entry stays, unchecked and dimmed, to show it again.
class ValueTableLegend : public QListWidget {
  Q_OBJECT

 public:
  explicit ValueTableLegend(QWidget* parent = nullptr);

  // One entry per row, every row shown.
  void showRows(const QStringList& labels, const std::vector<QPen>& pens);
  bool isRowShown(int row) const;

 signals:
  void rowToggled(int row, bool shown);

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void toggle(QListWidgetItem* entry);
};

#pragma once

#include <QAbstractTableModel>
#include <QStringList>
#include <string>
#include <vector>

#include "RowTable.h"
#include "ValueTable.h"

// Shows a value table in a grid: the first column the variable's values, then one column per
// table row, headed by the row's Name with its Nr and Term as the tooltip. A cell shows the
// row's Result, "Fehler" with the fault's message as its tooltip, or nothing, right-aligned as
// numbers are. The model holds
// the lines it was given and the rows as they were when the table was calculated; the grid
// asks only for the cells it paints, so a hundred thousand lines show at once.
// What the grid's headers and the chart's legend call each row: its Name, and where another
// row has the same Name, its Nr as well ("Area (Nr 2)"), so that the two can be told apart.
QStringList rowLabels(const std::vector<numora::Row>& rows);

class ValueTableModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  explicit ValueTableModel(QObject* parent = nullptr);

  // Starts a new, empty value table of `variable` over these rows.
  void startTable(numora::Variable variable, std::vector<numora::Row> rows);
  // Shows no table, and gives back the memory the lines held.
  void clear();
  // Adds lines below those shown.
  void appendLines(std::vector<numora::ValueLine> lines);

  numora::Variable variable() const { return variable_; }
  const std::vector<numora::Row>& rows() const { return rows_; }
  const std::vector<numora::ValueLine>& lines() const { return lines_; }
  std::vector<std::string> names() const;

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

 private:
  QVariant cellData(const numora::ValueLine& line, int rowIndex, int role) const;

  numora::Variable variable_ = numora::Variable::X;
  std::vector<numora::Row> rows_;
  QStringList labels_;  // by row, as rowLabels gives them
  std::vector<numora::ValueLine> lines_;
};

#pragma once

#include <QAbstractTableModel>
#include <functional>

#include "RowTable.h"
#include "TableHistory.h"

// Shows the core row table in a view: the table stays the one storage of the rows, and every
// change it reports reaches the view. Only the Name column can be edited in place; a Name
// typed there is stored through the table's history, so that it can be undone.
//
// A cell shows at most the first ShownCharacterLimit characters of its field, followed by "…"
// when the field is longer: a view lays out the whole text it is given, and a field of
// millions of characters would freeze the window, while even the widest column shows no more
// than a few thousand. The edit role gives the field whole.
//
// A Result that is not current (the history knows) is drawn in a muted colour, with the reason
// as its tooltip; the Result cell of the row where the last calculate all stopped, and of a row
// whose last evaluation took a reading rule a person would not guess, carries a mark
// (resultMarks::Role) and says so in its tooltip. Whether a Result is current depends on the
// variable fields as well, which the model reads through `fieldsNow`.
class RowTableModel : public QAbstractTableModel, private numora::RowTableObserver {
  Q_OBJECT

 public:
  // The columns are the row's fields, in their order.
  enum Column {
    NameColumn = static_cast<int>(numora::RowField::Name),
    TermColumn = static_cast<int>(numora::RowField::Term),
    ResultColumn = static_cast<int>(numora::RowField::Result),
    NrColumn = static_cast<int>(numora::RowField::Nr),
    ColumnCount = static_cast<int>(numora::RowFieldCount)
  };
  static constexpr int ShownCharacterLimit = 4000;

  RowTableModel(numora::RowTable& table, numora::TableHistory& history,
                std::function<numora::CalculationInputs()> fieldsNow, QObject* parent = nullptr);
  ~RowTableModel() override;

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  bool setData(const QModelIndex& index, const QVariant& value, int role) override;

 public slots:
  // The fields x, y and z, or what the history knows of the rows, may have changed: the Result
  // cells on the screen are drawn again.
  void resultStatusChanged();

 signals:
  // A Name typed in place has been stored.
  void nameStored();

 private:
  void rowsAboutToBeInserted(int first, int last) override;
  void rowsInserted() override;
  void rowsAboutToBeRemoved(int first, int last) override;
  void rowsRemoved() override;
  void tableAboutToBeReset() override;
  void tableReset() override;
  void rowsChanged(int first, int last) override;

  QVariant resultData(int row, int role) const;

  numora::RowTable& table_;
  numora::TableHistory& history_;
  std::function<numora::CalculationInputs()> fieldsNow_;
};

#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace numora {

// One row of the table: four texts, shown in this column order.
struct Row {
  std::string name;
  std::string term;    // the formula exactly as the user typed it, spaces included
  std::string result;  // number text of the last calculated value; empty until calculated
  std::string nr;      // display number; a row reference means the position, never this text

  bool operator==(const Row&) const = default;
};

// The four texts of a row.
enum class RowField { Name, Term, Result, Nr };

// Each field's text in a row, in the order of RowField. A field added to Row fails the
// assertion below until it is listed here, and then every place that lists the fields by
// count (the table file's keys, the view's columns) fails to compile until it names it too.
inline constexpr std::array<std::string Row::*, 4> RowTexts = {&Row::name, &Row::term, &Row::result,
                                                               &Row::nr};
inline constexpr std::size_t RowFieldCount = RowTexts.size();
static_assert(sizeof(Row) == RowFieldCount * sizeof(std::string),
              "every field of Row is listed in RowTexts");
static_assert(static_cast<std::size_t>(RowField::Nr) + 1 == RowFieldCount);

// A text of one row, by the row's index: what a change of that row replaced or will put back.
struct IndexedText {
  int index = 0;
  std::string text;
};

// Told about every change of a RowTable, so that a view can show the table itself instead of
// a copy. Each change of the row count is announced before it happens and reported after it.
class RowTableObserver {
 public:
  virtual ~RowTableObserver() = default;
  virtual void rowsAboutToBeInserted(int first, int last) = 0;
  virtual void rowsInserted() = 0;
  virtual void rowsAboutToBeRemoved(int first, int last) = 0;
  virtual void rowsRemoved() = 0;
  virtual void tableAboutToBeReset() = 0;
  virtual void tableReset() = 0;
  // Fields of the rows from index `first` to `last` have new texts.
  virtual void rowsChanged(int first, int last) = 0;
};

// The document Numora works on: the ordered rows, the one storage of their texts. Rows are
// addressed by index from 0; the row position of a reference is the index plus one.
class RowTable {
 public:
  int rowCount() const { return static_cast<int>(rows_.size()); }
  bool isRowIndex(int index) const { return index >= 0 && index < rowCount(); }
  // The row at a valid index (isRowIndex).
  const Row& row(int index) const { return rows_[static_cast<std::size_t>(index)]; }
  // One text of the row at a valid index.
  const std::string& text(int index, RowField field) const;

  void setName(int index, std::string name);
  void setTerm(int index, std::string term);
  // Writes into the Result's own storage, which a recalculation can so reuse.
  void setResult(int index, std::string_view result);
  // Sets the field's text and gives the one it replaces.
  std::string exchangeText(int index, RowField field, std::string text);
  // Exchanges the field's text of every row `texts` names with the text given for it, in one
  // change: afterwards `texts` holds what the rows held. The indexes rise.
  void exchangeTexts(RowField field, std::vector<IndexedText>& texts);

  void appendRow(Row row);
  // Puts `row` in at `index` (up to rowCount()), the rows from there on moving down.
  void insertRow(int index, Row row);
  // Removes the row at `index` and gives it.
  Row takeRow(int index);
  // Replaces every row with `rows`, in their order.
  void replaceAllRows(std::vector<Row> rows);
  // Replaces every row with `rows` and gives the rows it held, moved, not copied.
  std::vector<Row> exchangeAllRows(std::vector<Row> rows);
  // Exchanges the Name, Term and Result of two rows; their Nr texts stay in place.
  void exchangeContents(int first, int second);

  // The observer that is told of every change, or none; the table does not own it.
  void setObserver(RowTableObserver* observer) { observer_ = observer; }

 private:
  Row& mutableRow(int index) { return rows_[static_cast<std::size_t>(index)]; }
  std::string& mutableText(int index, RowField field);
  void changed(int first, int last);

  std::vector<Row> rows_;
  RowTableObserver* observer_ = nullptr;
};

}  // namespace numora

#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "Calculation.h"
#include "ReadingNotesByRow.h"
#include "RowTable.h"

namespace numora {

// A value table: every row of a table calculated, as "calculate all" calculates it, once for
// each value of one variable over a range, the other two variables taken from their fields.

enum class Variable { X, Y, Z };

// "x", "y" or "z".
char variableLetter(Variable variable);

// The values From, From + Step, ... up to To, all whole numbers in the variable fields' range.
struct ValueRange {
  std::int32_t from = 1;
  std::int32_t to = 1;
  std::int32_t step = 1;

  std::size_t count() const;
  std::int32_t value(std::size_t index) const;
};

// The most values a value table may have.
inline constexpr std::size_t MostValues = 100000;

// Reads From, To and Step as the variable fields are read. A text that is no whole number
// raises its conversion fault; a Step of 0, a Step that leads away from To, or a range of more
// than MostValues values raises its own fault, before anything is calculated.
ValueRange readValueRange(std::string_view from, std::string_view to, std::string_view step);

// What a value table holds for one row at one value.
enum class CellState {
  Value,       // the row was calculated: its Result text
  NoTerm,      // the row's Term is empty: it has no value
  Fault,       // the row's calculation raised the fault that ended the pass
  NotReached,  // a row below the one that failed
};

struct ValueCell {
  CellState state = CellState::NoTerm;
  std::string result;  // the Result text, for CellState::Value
};

// The fault that ended the pass for one value: the row's index, the class and the message.
struct ValueFault {
  int row = 0;
  std::string className;
  std::string message;
};

// A reading note of one cell: the row's index, and the note with its position in the row's
// Term as typed. Kept apart from the cells, so that a cell without notes costs nothing.
struct CellNote {
  std::int64_t at;
  std::int32_t row;
  ReadingRule rule;
};

// One value of the variable and what every row gave for it.
struct ValueLine {
  std::int32_t value = 0;
  std::vector<ValueCell> cells;  // by row index
  std::optional<ValueFault> fault;
  // The notes of the cells that have any, by row index, each row's by position; the row that
  // failed keeps the notes taken before its fault.
  std::vector<CellNote> notes;
};

// The notes of the cell of the row at `row` in `line`, by position.
std::vector<ReadingNote> notesOfCell(const ValueLine& line, int row);

// Calculates the lines of a value table one by one, on its own copy of the table, so that the
// table it was made from is never changed and lines can be calculated as far as wanted (a
// worker that may be cancelled, a progress bar). Each line is the table as it was, calculated
// with the variable's field set to the line's value: Results are digit for digit those of
// "calculate all" with that field text, and a reference to a row below reads the Result the
// table held.
class ValueTableCalculator {
 public:
  ValueTableCalculator(const RowTable& table, const CalculationInputs& inputs, Variable variable,
                       ValueRange range);
  ValueTableCalculator(const ValueTableCalculator&) = delete;
  ValueTableCalculator& operator=(const ValueTableCalculator&) = delete;

  std::size_t lineCount() const { return range_.count(); }
  // The line of the `index`-th value, from 0.
  ValueLine line(std::size_t index);

 private:
  RowTable working_;
  ReadingNotesByRow notes_{working_};
  std::vector<std::string> originalResults_;
  std::vector<bool> hasTerm_;
  CalculationInputs inputs_;
  Variable variable_;
  ValueRange range_;
};

// The whole value table, line by line. `keepGoing`, when given, is asked before each line
// with the number of lines done; the lines finished when it says no are returned.
std::vector<ValueLine> calculateValueTable(
    const RowTable& table, const CalculationInputs& inputs, Variable variable, ValueRange range,
    const std::function<bool(std::size_t done)>& keepGoing = {});

}  // namespace numora

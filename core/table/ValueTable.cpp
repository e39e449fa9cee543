#include "ValueTable.h"

#include <algorithm>
#include <utility>

#include "Faults.h"
#include "FloatingPoint.h"
#include "WholeNumber.h"

namespace numora {

namespace {

// Whether the row's Term has anything but spaces, as calculate all decides it.
bool hasTerm(const Row& row) {
  return std::any_of(row.term.begin(), row.term.end(), [](char c) { return c != ' '; });
}

std::string& fieldOf(CalculationInputs& inputs, Variable variable) {
  switch (variable) {
    case Variable::X:
      return inputs.x;
    case Variable::Y:
      return inputs.y;
    case Variable::Z:
      break;
  }
  return inputs.z;
}

}  // namespace

char variableLetter(Variable variable) {
  switch (variable) {
    case Variable::X:
      return 'x';
    case Variable::Y:
      return 'y';
    case Variable::Z:
      break;
  }
  return 'z';
}

std::size_t ValueRange::count() const {
  const std::int64_t distance = std::int64_t{to} - from;
  return static_cast<std::size_t>(distance / step) + 1;
}

std::int32_t ValueRange::value(std::size_t index) const {
  return static_cast<std::int32_t>(from + static_cast<std::int64_t>(index) * step);
}

ValueRange readValueRange(std::string_view from, std::string_view to, std::string_view step) {
  const ValueRange range{readWholeNumber(from), readWholeNumber(to), readWholeNumber(step)};
  if (range.step == 0) {
    throw zeroStepFault();
  }
  const std::int64_t distance = std::int64_t{range.to} - range.from;
  if ((distance > 0 && range.step < 0) || (distance < 0 && range.step > 0)) {
    throw stepLeadsAwayFault(range.step, range.from, range.to);
  }
  const auto count = static_cast<std::uint64_t>(distance / range.step) + 1;
  if (count > MostValues) {
    throw tooManyValuesFault(count, MostValues);
  }
  return range;
}

ValueTableCalculator::ValueTableCalculator(const RowTable& table, const CalculationInputs& inputs,
                                           Variable variable, ValueRange range)
    : inputs_(inputs), variable_(variable), range_(range) {
  // The value table calculates on its own copy, on another thread: a listener of the live
  // table's calculations is not told of it. It collects the reading notes of its own cells.
  inputs_.listener = &notes_;
  // A copy of the rows alone: the table's observer, a view of the live table, stays with it.
  std::vector<Row> rows;
  rows.reserve(static_cast<std::size_t>(table.rowCount()));
  for (int i = 0; i < table.rowCount(); ++i) {
    rows.push_back(table.row(i));
    originalResults_.push_back(table.row(i).result);
    hasTerm_.push_back(hasTerm(table.row(i)));
  }
  working_.replaceAllRows(std::move(rows));
}

ValueLine ValueTableCalculator::line(std::size_t index) {
  ValueLine line;
  line.value = range_.value(index);
  fieldOf(inputs_, variable_) = wholeNumberText(line.value);
  const int rowCount = working_.rowCount();
  int failedRow = rowCount;
  int rowInProgress = 0;
  notes_.clear();
  try {
    calculateAll(working_, inputs_, rowInProgress);
  } catch (const Exception& fault) {
    // As after a fault shown to the user, the next pass starts on a fresh unit.
    fpu::resetUnit();
    failedRow = rowInProgress;
    line.fault = ValueFault{rowInProgress, fault.className(), fault.message()};
  }
  line.cells.resize(static_cast<std::size_t>(rowCount));
  for (int i = 0; i < rowCount; ++i) {
    ValueCell& cell = line.cells[static_cast<std::size_t>(i)];
    if (i > failedRow) {
      cell.state = CellState::NotReached;
    } else if (i == failedRow) {
      cell.state = CellState::Fault;
    } else if (hasTerm_[static_cast<std::size_t>(i)]) {
      // The Result goes to the line, and the copy gets back the Result the table held, ready
      // for the next value.
      cell.state = CellState::Value;
      cell.result =
          working_.exchangeText(i, RowField::Result, originalResults_[static_cast<std::size_t>(i)]);
    }
  }
  std::size_t noteCount = 0;
  for (const auto& [row, notes] : notes_.rowsWithNotes()) {
    noteCount += notes.size();
  }
  line.notes.reserve(noteCount);
  for (const auto& [row, notes] : notes_.rowsWithNotes()) {
    for (const ReadingNote& note : notes) {
      line.notes.push_back({note.at, row, note.rule});
    }
  }
  return line;
}

std::vector<ReadingNote> notesOfCell(const ValueLine& line, int row) {
  std::vector<ReadingNote> notes;
  for (const CellNote& note : line.notes) {
    if (note.row == row) {
      notes.push_back({note.at, note.rule});
    }
  }
  return notes;
}

std::vector<ValueLine> calculateValueTable(const RowTable& table, const CalculationInputs& inputs,
                                           Variable variable, ValueRange range,
                                           const std::function<bool(std::size_t)>& keepGoing) {
  ValueTableCalculator calculator(table, inputs, variable, range);
  std::vector<ValueLine> lines;
  lines.reserve(calculator.lineCount());
  for (std::size_t i = 0; i < calculator.lineCount(); ++i) {
    if (keepGoing && !keepGoing(i)) {
      break;
    }
    lines.push_back(calculator.line(i));
  }
  return lines;
}

}  // namespace numora

#include "TableHistory.h"

#include <utility>

namespace numora {

int TableHistory::addRow(int selected) {
  return run(Command::AddRow, selected, planAddRow(table_, selected));
}

int TableHistory::deleteRow(int selected) {
  return run(Command::DeleteRow, selected, planDeleteRow(table_, selected));
}

int TableHistory::moveRowUp(int selected) {
  return run(Command::MoveRowUp, selected, planMoveRowUp(table_, selected));
}

int TableHistory::moveRowDown(int selected) {
  return run(Command::MoveRowDown, selected, planMoveRowDown(table_, selected));
}

int TableHistory::newTable(int selected) {
  return run(Command::NewTable, selected, planNewTable(table_, selected));
}

int TableHistory::storeTerm(int selected, std::string term) {
  return run(Command::EditTerm, selected, planStoreTerm(table_, selected, std::move(term)));
}

void TableHistory::storeName(int index, std::string name) {
  run(Command::EditName, index, planStoreName(table_, index, std::move(name)));
}

int TableHistory::openTable(int selected, std::vector<Row> opened) {
  return run(Command::OpenTable, selected, planOpenTable(table_, selected, std::move(opened)));
}

// Does the planned command; its step, if it has one, is recorded.
int TableHistory::run(Command command, int selected, PlannedCommand planned) {
  if (planned.step) {
    exchange(*planned.step, table_);
    record({command, std::move(*planned.step), selected, planned.selected});
  }
  return planned.selected;
}

void TableHistory::calculateRow(int selected, const CalculationInputs& inputs) {
  calculate(Command::CalculateRow, selected, [&](std::vector<IndexedText>& replaced) {
    numora::calculateRow(table_, selected, inputs, replaced);
  });
}

void TableHistory::calculateAll(int selected, const CalculationInputs& inputs, int& rowInProgress) {
  calculate(Command::CalculateAll, selected, [&](std::vector<IndexedText>& replaced) {
    replaced.reserve(static_cast<std::size_t>(table_.rowCount()));
    numora::calculateAll(table_, inputs, rowInProgress, replaced);
  });
}

// A calculation is done in place, each Result written before the next row is evaluated; the
// Results it replaces become the step, also when a fault ends it.
void TableHistory::calculate(Command command, int selected,
                             const std::function<void(std::vector<IndexedText>&)>& calculation) {
  FieldTexts results{RowField::Result, {}};
  const auto recordResults = [&] {
    if (results.changes(table_)) {
      record({command, std::move(results), selected, selected});
    }
  };
  try {
    calculation(results.texts);
  } catch (...) {
    recordResults();
    throw;
  }
  recordResults();
}

void TableHistory::record(Step step) {
  step.bytes = sizeof(Step) + bytesHeld(step.change);
  while (steps_.size() > done_) {
    bytes_ -= steps_.back().bytes;
    steps_.pop_back();
  }
  bytes_ += step.bytes;
  steps_.push_back(std::move(step));
  ++done_;
  while (steps_.size() > 1 && (steps_.size() > limits_.mostSteps || bytes_ > limits_.mostBytes)) {
    bytes_ -= steps_.front().bytes;
    steps_.pop_front();
    --done_;
  }
}

int TableHistory::undo(int nothingDone) {
  if (!canUndo()) {
    return nothingDone;
  }
  Step& step = steps_[--done_];
  exchange(step.change, table_);
  return step.selectedBefore;
}

int TableHistory::redo(int nothingDone) {
  if (!canRedo()) {
    return nothingDone;
  }
  Step& step = steps_[done_++];
  exchange(step.change, table_);
  return step.selectedAfter;
}

}  // namespace numora

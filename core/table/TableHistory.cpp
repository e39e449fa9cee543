#include "TableHistory.h"

#include <algorithm>
#include <utility>

#include "RowCommands.h"
#include "WholeNumber.h"

namespace numora {

namespace {

std::size_t bytesOf(const Row& row) {
  return sizeof(Row) + row.name.capacity() + row.term.capacity() + row.result.capacity() +
         row.nr.capacity();
}

std::size_t bytesOf(const std::vector<IndexedText>& texts) {
  std::size_t bytes = texts.capacity() * sizeof(IndexedText);
  for (const IndexedText& text : texts) {
    bytes += text.text.capacity();
  }
  return bytes;
}

std::size_t bytesOf(const std::vector<Row>& rows) {
  std::size_t bytes = (rows.capacity() - rows.size()) * sizeof(Row);
  for (const Row& row : rows) {
    bytes += bytesOf(row);
  }
  return bytes;
}

// The Nr texts a renumbering would change, with the texts they have now.
std::vector<IndexedText> nrsRenumberingChanges(const RowTable& table) {
  std::vector<IndexedText> changed;
  for (int i = 0; i < table.rowCount(); ++i) {
    if (table.row(i).nr != wholeNumberText(i + 1)) {
      changed.push_back({i, table.row(i).nr});
    }
  }
  return changed;
}

}  // namespace

int TableHistory::addRow(int selected) {
  const int after = numora::addRow(table_, selected);
  Step step;
  step.change = Change::RowAppended;
  step.selectedBefore = selected;
  step.selectedAfter = after;
  step.index = table_.rowCount() - 1;
  record(std::move(step));
  return after;
}

int TableHistory::deleteRow(int selected) {
  if (!table_.isRowIndex(selected)) {
    return numora::deleteRow(table_, selected);
  }
  Step step;
  step.change = Change::RowRemoved;
  step.selectedBefore = selected;
  step.index = selected;
  step.row = table_.takeRow(selected);
  step.selectedAfter = -1;
  record(std::move(step));
  return -1;
}

int TableHistory::moveRow(int selected, int neighbour) {
  if (!table_.isRowIndex(selected) || !table_.isRowIndex(neighbour)) {
    return table_.isRowIndex(selected) ? selected : -1;
  }
  Step step;
  step.change = Change::RowsMoved;
  step.selectedBefore = selected;
  step.selectedAfter = selected;
  step.index = selected;
  step.neighbour = neighbour;
  // The Nrs renumbering replaces are kept; afterwards the table holds the row positions there.
  step.texts = nrsRenumberingChanges(table_);
  table_.exchangeContents(selected, neighbour);
  table_.renumber();
  record(std::move(step));
  return selected;
}

int TableHistory::moveRowUp(int selected) { return moveRow(selected, selected - 1); }

int TableHistory::moveRowDown(int selected) { return moveRow(selected, selected + 1); }

int TableHistory::newTable(int selected) {
  if (table_.rowCount() == 0) {
    return numora::newTable(table_, selected);
  }
  Step step;
  step.change = Change::RowsReplaced;
  step.selectedBefore = selected;
  step.selectedAfter = -1;
  step.rows = table_.exchangeAllRows({});
  record(std::move(step));
  return -1;
}

int TableHistory::storeTerm(int selected, std::string term) {
  if (!table_.isRowIndex(selected)) {
    return numora::storeTerm(table_, selected, std::move(term));
  }
  storeText(selected, RowField::Term, std::move(term));
  return selected;
}

void TableHistory::storeName(int index, std::string name) {
  if (table_.isRowIndex(index)) {
    storeText(index, RowField::Name, std::move(name));
  }
}

// An edit of one text of the row at `index`: a step unless the text stays as it was.
void TableHistory::storeText(int index, RowField field, std::string text) {
  std::string before = table_.exchangeText(index, field, std::move(text));
  if (before == table_.text(index, field)) {
    return;
  }
  Step step;
  step.selectedBefore = index;
  step.selectedAfter = index;
  step.field = field;
  step.texts.push_back({index, std::move(before)});
  record(std::move(step));
}

void TableHistory::calculateRow(int selected, const CalculationInputs& inputs) {
  if (!table_.isRowIndex(selected)) {
    return;
  }
  std::string before = table_.row(selected).result;
  numora::calculateRow(table_, selected, inputs);
  if (table_.row(selected).result == before) {
    return;
  }
  Step step;
  step.selectedBefore = selected;
  step.selectedAfter = selected;
  step.field = RowField::Result;
  step.texts.push_back({selected, std::move(before)});
  record(std::move(step));
}

void TableHistory::calculateAll(int selected, const CalculationInputs& inputs, int& rowInProgress) {
  // The Results the pass replaces become the step, also when a fault ends the pass.
  std::vector<IndexedText> replaced;
  replaced.reserve(static_cast<std::size_t>(table_.rowCount()));
  const auto recordReplaced = [&] {
    const bool changed = std::any_of(replaced.begin(), replaced.end(), [&](const auto& old) {
      return table_.row(old.index).result != old.text;
    });
    if (!changed) {
      return;
    }
    Step step;
    step.selectedBefore = selected;
    step.selectedAfter = selected;
    step.field = RowField::Result;
    step.texts = std::move(replaced);
    record(std::move(step));
  };
  try {
    numora::calculateAll(table_, inputs, rowInProgress, replaced);
  } catch (...) {
    recordReplaced();
    throw;
  }
  recordReplaced();
}

int TableHistory::openTable(int selected, std::vector<Row> opened) {
  const int after = -1;
  Step step;
  step.change = Change::RowsReplaced;
  step.selectedBefore = selected;
  step.selectedAfter = after;
  step.rows = table_.exchangeAllRows(std::move(opened));
  record(std::move(step));
  return after;
}

void TableHistory::record(Step step) {
  switch (step.change) {
    case Change::RowAppended:
    case Change::RowRemoved:
      step.bytes = sizeof(Step) + bytesOf(step.row);
      break;
    case Change::RowsReplaced:
      step.bytes = sizeof(Step) + bytesOf(step.rows);
      break;
    case Change::RowsMoved:
    case Change::TextsExchanged:
      step.bytes = sizeof(Step) + bytesOf(step.texts);
      break;
  }
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

void TableHistory::apply(Step& step, bool undoing) {
  switch (step.change) {
    case Change::RowAppended:
      if (undoing) {
        step.row = table_.takeRow(step.index);
      } else {
        table_.appendRow(std::move(step.row));
      }
      break;
    case Change::RowRemoved:
      if (undoing) {
        table_.insertRow(step.index, std::move(step.row));
      } else {
        step.row = table_.takeRow(step.index);
      }
      break;
    case Change::RowsMoved:
      table_.exchangeContents(step.index, step.neighbour);
      table_.exchangeTexts(RowField::Nr, step.texts);
      break;
    case Change::RowsReplaced:
      step.rows = table_.exchangeAllRows(std::move(step.rows));
      break;
    case Change::TextsExchanged:
      table_.exchangeTexts(step.field, step.texts);
      break;
  }
}

int TableHistory::undo(int nothingDone) {
  if (!canUndo()) {
    return nothingDone;
  }
  Step& step = steps_[--done_];
  apply(step, true);
  return step.selectedBefore;
}

int TableHistory::redo(int nothingDone) {
  if (!canRedo()) {
    return nothingDone;
  }
  Step& step = steps_[done_++];
  apply(step, false);
  return step.selectedAfter;
}

}  // namespace numora

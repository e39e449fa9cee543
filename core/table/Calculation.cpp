#include "Calculation.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <string_view>

#include "Evaluator.h"
#include "NumberText.h"
#include "WholeNumber.h"

namespace numora {

namespace {

// x, y and z of one command, read from their fields when the first row with a term needs
// them; the fields do not change while the command runs, so they are read once.
class Variables {
 public:
  explicit Variables(const CalculationInputs& inputs) : inputs_(inputs) {}

  const std::array<std::int32_t, 3>& values() {
    if (!read_) {
      values_ = {readWholeNumber(inputs_.x), readWholeNumber(inputs_.y),
                 readWholeNumber(inputs_.z)};
      read_ = true;
    }
    return values_;
  }

 private:
  const CalculationInputs& inputs_;
  std::array<std::int32_t, 3> values_{};
  bool read_ = false;
};

// The row's Term without its spaces: the Term itself when it has none, else a copy without
// them in `buffer`, which is kept from row to row so that it is allocated once.
std::string_view termWithoutSpaces(const std::string& typed, std::string& buffer) {
  if (std::find(typed.begin(), typed.end(), ' ') == typed.end()) {
    return typed;
  }
  buffer.clear();
  std::copy_if(typed.begin(), typed.end(), std::back_inserter(buffer),
               [](char c) { return c != ' '; });
  return buffer;
}

// The row evaluation that both commands run for the row at `index`.
void evaluateRow(RowTable& table, TermEvaluator& evaluator, int index,
                 const CalculationInputs& inputs, Variables& variables, std::string& buffer,
                 std::vector<IndexedText>* replaced = nullptr) {
  const std::string_view term = termWithoutSpaces(table.row(index).term, buffer);
  if (term.empty()) {
    return;
  }
  const std::array<std::int32_t, 3>& xyz = variables.values();
  if (inputs.listener != nullptr) {
    inputs.listener->rowStarted(index);
  }
  const Extended value = evaluator.EvaluateTerm(term, xyz[0], xyz[1], xyz[2]);
  if (replaced == nullptr) {
    char text[NumberTextCapacity];
    table.setResult(index, std::string_view(text, writeNumberText(value, inputs.separator, text)));
  } else {
    replaced->push_back(
        {index, table.exchangeText(index, RowField::Result, numberText(value, inputs.separator))});
  }
  if (inputs.listener != nullptr) {
    inputs.listener->resultWritten(index);
  }
}

// Calculates the rows from `first` to `last`, from the top; with `replaced`, every Result
// replaced is handed to it.
void calculateRows(RowTable& table, int first, int last, const CalculationInputs& inputs,
                   int& rowInProgress, std::vector<IndexedText>* replaced) {
  TermEvaluator evaluator(table, inputs.separator);
  evaluator.setListener(inputs.listener);
  Variables variables(inputs);
  std::string buffer;
  for (int index = first; index <= last; ++index) {
    rowInProgress = index;
    evaluateRow(table, evaluator, index, inputs, variables, buffer, replaced);
  }
}

}  // namespace

void calculateRow(RowTable& table, int selected, const CalculationInputs& inputs) {
  if (table.isRowIndex(selected)) {
    int rowInProgress = selected;
    calculateRows(table, selected, selected, inputs, rowInProgress, nullptr);
  }
}

void calculateRow(RowTable& table, int selected, const CalculationInputs& inputs,
                  std::vector<IndexedText>& replaced) {
  if (table.isRowIndex(selected)) {
    int rowInProgress = selected;
    calculateRows(table, selected, selected, inputs, rowInProgress, &replaced);
  }
}

void calculateAll(RowTable& table, const CalculationInputs& inputs, int& rowInProgress) {
  calculateRows(table, 0, table.rowCount() - 1, inputs, rowInProgress, nullptr);
}

void calculateAll(RowTable& table, const CalculationInputs& inputs, int& rowInProgress,
                  std::vector<IndexedText>& replaced) {
  calculateRows(table, 0, table.rowCount() - 1, inputs, rowInProgress, &replaced);
}

void calculateAll(RowTable& table, const CalculationInputs& inputs) {
  int rowInProgress = 0;
  calculateAll(table, inputs, rowInProgress);
}

}  // namespace numora

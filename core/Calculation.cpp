#include "Calculation.h"

#include <algorithm>

#include "Evaluator.h"
#include "NumberText.h"
#include "WholeNumber.h"

namespace numora {

namespace {

// The row evaluation that both commands run for the row at `index`. `term` is the buffer for
// the row's Term without its spaces, kept from row to row so that it is allocated once.
void evaluateRow(RowTable& table, TermEvaluator& evaluator, int index,
                 const CalculationInputs& inputs, std::string& term,
                 std::vector<IndexedText>* replaced = nullptr) {
  const std::string& typed = table.row(index).term;
  term.clear();
  std::copy_if(typed.begin(), typed.end(), std::back_inserter(term),
               [](char c) { return c != ' '; });
  if (term.empty()) {
    return;
  }
  const std::int32_t x = readWholeNumber(inputs.x);
  const std::int32_t y = readWholeNumber(inputs.y);
  const std::int32_t z = readWholeNumber(inputs.z);
  const Extended value = evaluator.EvaluateTerm(term, x, y, z);
  if (replaced == nullptr) {
    table.setResult(index, numberText(value, inputs.separator));
  } else {
    replaced->push_back(
        {index, table.exchangeText(index, RowField::Result, numberText(value, inputs.separator))});
  }
}

}  // namespace

void calculateRow(RowTable& table, int selected, const CalculationInputs& inputs) {
  if (!table.isRowIndex(selected)) {
    return;
  }
  TermEvaluator evaluator(table, inputs.separator);
  std::string term;
  evaluateRow(table, evaluator, selected, inputs, term);
}

void calculateAll(RowTable& table, const CalculationInputs& inputs, int& rowInProgress) {
  TermEvaluator evaluator(table, inputs.separator);
  std::string term;
  const int rowCount = table.rowCount();
  for (int index = 0; index < rowCount; ++index) {
    rowInProgress = index;
    evaluateRow(table, evaluator, index, inputs, term);
  }
}

void calculateAll(RowTable& table, const CalculationInputs& inputs, int& rowInProgress,
                  std::vector<IndexedText>& replaced) {
  TermEvaluator evaluator(table, inputs.separator);
  std::string term;
  const int rowCount = table.rowCount();
  for (int index = 0; index < rowCount; ++index) {
    rowInProgress = index;
    evaluateRow(table, evaluator, index, inputs, term, &replaced);
  }
}

void calculateAll(RowTable& table, const CalculationInputs& inputs) {
  int rowInProgress = 0;
  calculateAll(table, inputs, rowInProgress);
}

}  // namespace numora

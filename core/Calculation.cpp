#include "Calculation.h"

#include <algorithm>

#include "Evaluator.h"
#include "NumberText.h"
#include "WholeNumber.h"

namespace numora {

namespace {

// The row evaluation that both commands run for the row at `index`.
void evaluateRow(RowTable& table, TermEvaluator& evaluator, int index,
                 const VariableFields& fields) {
  const std::string& term = table.row(index).term;
  std::string& currentTerm = evaluator.currentTerm();
  currentTerm.clear();
  std::copy_if(term.begin(), term.end(), std::back_inserter(currentTerm),
               [](char c) { return c != ' '; });
  if (currentTerm.empty()) {
    return;
  }
  const std::int32_t x = readWholeNumber(fields.x);
  const std::int32_t y = readWholeNumber(fields.y);
  const std::int32_t z = readWholeNumber(fields.z);
  const Extended value = evaluator.EvaluateTerm(x, y, z);
  table.setResult(index, numberText(value));
}

}  // namespace

void calculateRow(RowTable& table, int selected, const VariableFields& fields) {
  if (!table.isRowIndex(selected)) {
    return;
  }
  TermEvaluator evaluator(table);
  evaluateRow(table, evaluator, selected, fields);
}

void calculateAll(RowTable& table, const VariableFields& fields, int& rowInProgress) {
  TermEvaluator evaluator(table);
  const int rowCount = table.rowCount();
  for (int index = 0; index < rowCount; ++index) {
    rowInProgress = index;
    evaluateRow(table, evaluator, index, fields);
  }
}

void calculateAll(RowTable& table, const VariableFields& fields) {
  int rowInProgress = 0;
  calculateAll(table, fields, rowInProgress);
}

}  // namespace numora

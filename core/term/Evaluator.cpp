#include "Evaluator.h"

#include "LevelState.h"
#include "WholeNumber.h"

namespace numora {

bool TermEvaluator::termHoldsAt(std::int64_t position, std::string_view text) const {
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (characterAt(position + static_cast<std::int64_t>(i)) != text[i]) {
      return false;
    }
  }
  return true;
}

// A digit or "-" starts a literal that takes the digits and "," that follow it.
void TermEvaluator::LevelState::numberLiteral() {
  const std::int64_t start = position();
  while (isDigit(evaluator_.characterAt(position() + 1)) ||
         evaluator_.characterAt(position() + 1) == ',') {
    ++position();
  }
  ++position();
  operand_.setText(std::string_view(evaluator_.currentTerm_)
                       .substr(static_cast<std::size_t>(start - 1),
                               static_cast<std::size_t>(position() - start)));
}

// "Erg" and a run of digits: the Result text of the row at that position. Without digits the
// operand stays as it was. Gives whether there were digits.
bool TermEvaluator::LevelState::rowReference() {
  position() += 3;
  const std::int64_t start = position();
  while (isDigit(character())) {
    ++position();
  }
  if (position() == start) {
    return false;
  }
  const std::string_view digits = std::string_view(evaluator_.currentTerm_)
                                      .substr(static_cast<std::size_t>(start - 1),
                                              static_cast<std::size_t>(position() - start));
  const std::int32_t rowPosition = readWholeNumber(digits);
  if (!evaluator_.rows_.isRowIndex(rowPosition - 1)) {
    throw rowDoesNotExistFault(rowPosition);
  }
  operand_.setText(evaluator_.rows_.row(rowPosition - 1).result);
  if (evaluator_.listener_ != nullptr) {
    evaluator_.listener_->rowRead(rowPosition);
  }
  return true;
}

// The version that tells a listener is made with the notes (ReadingRuleNotes.cpp), so that
// none of its code is in the way of this plain one.
extern template Extended TermEvaluator::evaluateTopLevel<true>();

Extended TermEvaluator::EvaluateTerm(std::string_view term, Extended x, Extended y, Extended z) {
  currentTerm_ = term;
  faultFlag_ = true;
  scanPosition_ = 0;
  termLength_ = static_cast<std::int64_t>(currentTerm_.size());
  nesting_ = 0;
  variables_ = {x, y, z};
  // From here on no fault flag is pending when a checked operation starts: each one either
  // finds none or raises its fault and clears them, and nothing else in the evaluation sets one.
  fpu::clearPendingFaults();
  slots_.clear();
  return listening() ? evaluateTopLevel<true>() : evaluateTopLevel<false>();
}

}  // namespace numora

// What the term evaluator tells a listener of the reading rules it takes: the listening version
// of the scanning, made here, and where it finds each rule.

#include <algorithm>

#include "LevelState.h"

namespace numora {

void TermEvaluator::note(ReadingRule rule, std::int64_t at) const {
  listener_->noted(ReadingNote{std::min(at, termLength_ + 1), rule});
}

void TermEvaluator::keepOperatorPosition(std::size_t slot) {
  if (operatorPositions_.size() <= slot) {
    operatorPositions_.resize(slot + 1);
  }
  operatorPositions_[slot] = scanPosition_;
}

void TermEvaluator::zeroDivisor(std::size_t slot) {
  if (slot < operatorPositions_.size()) {
    note(ReadingRule::ZeroDivisor, operatorPositions_[slot]);
  }
}

// A form matched at `at`: it replaces what this operand read before it, if anything.
void TermEvaluator::LevelState::formMatched(bool& readBefore, std::int64_t at) const {
  if (readBefore) {
    evaluator_.note(ReadingRule::OperandReplaced, at);
  }
  readBefore = true;
}

// What the step that began at `start` with `first` read: nothing, or a literal "-" with digits
// that "^" follows. `formsStart` is where the forms were tried.
void TermEvaluator::LevelState::noteOperandStart(char first, std::int64_t start,
                                                 std::int64_t formsStart) {
  if (position() == start) {
    noteNoOperand(first, start);
  } else if (first == '-' && formsStart > start + 1 && position() == formsStart &&
             character() == '^') {
    evaluator_.note(ReadingRule::MinusInBase, start);
  }
}

// The step's first character `first`, at `at`, starts no operand: the level's operand text is
// pushed again, or, still empty, fails to read.
void TermEvaluator::LevelState::noteNoOperand(char first, std::int64_t at) {
  if (operand_.isEmpty()) {
    evaluator_.note(ReadingRule::MissingOperand, at);
  } else if (!ended_) {
    evaluator_.note(isOperator(first) ? ReadingRule::TwoOperators : ReadingRule::OperandUsedAgain,
                    at);
  }
}

// The element about to be pushed carries `operatorCharacter`, which stands at the scan
// position. A character that is no operator and not the level's own end ends the level's term.
void TermEvaluator::LevelState::notePush(char operatorCharacter) {
  evaluator_.keepOperatorPosition(evaluator_.slots_.size());
  const bool levelEnd = position() > evaluator_.termLength_ ||
                        (kind_ == numora::Level::Group && operatorCharacter == ')');
  if (ended_ || isOperator(operatorCharacter) || levelEnd) {
    return;
  }
  ended_ = true;
  evaluator_.note(
      operatorCharacter == '(' ? ReadingRule::BracketAfterOperand : ReadingRule::EndsTermEarly,
      position());
}

void TermEvaluator::LevelState::noteOperatorAtEnd() const {
  if (!ended_ && evaluator_.scanPosition_ == evaluator_.termLength_ &&
      isOperator(evaluator_.characterAt(evaluator_.termLength_))) {
    evaluator_.note(ReadingRule::OperatorAtEnd, evaluator_.termLength_);
  }
}

template Extended TermEvaluator::evaluateTopLevel<true>();

}  // namespace numora

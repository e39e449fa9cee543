#pragma once

// The scanning of one level of a term, shared by the evaluator's two versions of it: the plain
// one (Evaluator.cpp) and the one that tells a listener the reading rules it takes
// (ReadingRuleNotes.cpp). Only those two include this header.

#include <optional>

#include "Evaluator.h"
#include "Faults.h"
#include "NumberRounding.h"
#include "TermFunctions.h"

namespace numora {

// One level of the term: the whole term or the inside of one group. It owns the operand text
// (not emptied between operands) and the operand stack.
//
// The scanning runs in two versions of the same code: `Listening` tells a listener each reading
// rule it takes, the other one, without a listener, has nothing of that in its way.
class TermEvaluator::LevelState {
 public:
  LevelState(TermEvaluator& evaluator, numora::Level kind)
      : evaluator_(evaluator), kind_(kind), stack_(evaluator.slots_) {}

  // One scan step: read one operand (a group, a literal, or the forms in their fixed order),
  // apply any "^" that follows it, and push it with the character after it.
  template <bool Listening>
  void scanStep();

  template <bool Listening>
  Extended reduce() {
    if constexpr (Listening) {
      return stack_.reduce(evaluator_.faultFlag_, evaluator_);
    }
    return stack_.reduce(evaluator_.faultFlag_);
  }

  // The top level's last element carries an operator: the term ends right after it.
  void noteOperatorAtEnd() const;

 private:
  static bool isDigit(char c) { return c >= '0' && c <= '9'; }
  static bool isOperator(char c) { return c == '+' || c == '-' || c == '*' || c == '/'; }

  std::int64_t& position() { return evaluator_.scanPosition_; }
  char character() const { return evaluator_.characterAt(evaluator_.scanPosition_); }
  Extended readOperand() const { return operand_.value(evaluator_.separator_); }
  // What the number text of a group's value reads back as, at once.
  template <bool Listening>
  Extended readGroup() {
    return roundedThroughText(evaluator_.EvaluateGroup<Listening>(), evaluator_.separator_);
  }

  // Not inline: the scan step stays small for the operands that are no group.
  template <bool Listening>
  [[gnu::noinline]] bool groupOperand();
  void numberLiteral();
  template <bool Listening>
  void operandForms(bool readBefore);
  bool rowReference();
  template <bool Listening>
  bool function(const TermFunction& function, bool& readBefore);
  template <bool Listening>
  void powerSteps();
  // Inline, as the stack's push is: the value does not pass through memory on its way.
  template <bool Listening>
  [[gnu::always_inline]] inline void push(Extended value);

  // What a listener is told of a scan step and its push.
  void formMatched(bool& readBefore, std::int64_t at) const;
  void noteOperandStart(char first, std::int64_t start, std::int64_t formsStart);
  void noteNoOperand(char first, std::int64_t at);
  void notePush(char operatorCharacter);

  TermEvaluator& evaluator_;
  numora::Level kind_;
  OperandStack stack_;
  Operand operand_;
  // While a listener is set: a character that is no operator has ended the level's term.
  bool ended_ = false;
};

// A "(" as the step's first character: the group's value is the operand. Gives true when the
// step is complete (the element is pushed), false when a "^" follows the group.
template <bool Listening>
bool TermEvaluator::LevelState::groupOperand() {
  const Extended value = readGroup<Listening>();
  if (evaluator_.characterAt(position() + 1) == '^') {
    operand_.setValue(value);
    ++position();
    return false;
  }
  ++position();
  push<Listening>(value);
  return true;
}

// A function name: the character after the name is passed over unread (a "(" is expected
// there), the argument group is evaluated, and the scan position moves past its ")".
template <bool Listening>
bool TermEvaluator::LevelState::function(const TermFunction& function, bool& readBefore) {
  const std::string_view name = function.name;
  if (character() != name.front() || !evaluator_.termHoldsAt(position(), name)) {
    return false;
  }
  const std::int64_t nameAt = position();
  position() += static_cast<std::int64_t>(name.size());
  if constexpr (Listening) {
    formMatched(readBefore, nameAt);
    if (character() != '(') {
      evaluator_.note(ReadingRule::FunctionWithoutBracket, position());
    }
  }
  const Extended a = readGroup<Listening>();
  if constexpr (Listening) {
    std::optional<ReadingRule> taken;
    operand_.setValue(function.result(a, evaluator_.faultFlag_, &taken));
    if (taken) {
      evaluator_.note(*taken, nameAt);
    }
  } else {
    operand_.setValue(function.result(a, evaluator_.faultFlag_, nullptr));
  }
  ++position();
  return true;
}

// The operand forms, tried one after the other at the scan position as the previous one left
// it; a later form that matches replaces what an earlier one gave, or what a number literal in
// front of it read (`readBefore`). Most scan steps meet an operator or a ")" here, which begins
// no form: each group of forms is passed over with one test of the character.
template <bool Listening>
void TermEvaluator::LevelState::operandForms(bool readBefore) {
  char c = character();
  if (c >= 'x' && c <= 'z') {
    for (char variable = 'x'; variable <= 'z'; ++variable) {
      if (c == variable) {
        if constexpr (Listening) {
          formMatched(readBefore, position());
        }
        operand_.setValue(evaluator_.variables_[static_cast<std::size_t>(variable - 'x')]);
        if (evaluator_.listener_ != nullptr) {
          evaluator_.listener_->variableRead(variable - 'x');
        }
        ++position();
        c = character();
      }
    }
  }
  if (c == 'E' && evaluator_.termHoldsAt(position(), "Erg")) {
    const std::int64_t ergAt = position();
    const bool read = rowReference();
    if constexpr (Listening) {
      if (read) {
        formMatched(readBefore, ergAt);
      } else {
        evaluator_.note(ReadingRule::ErgWithoutNumber, ergAt);
      }
    }
    c = character();
  }
  if (!beginsAFunctionName(c)) {
    return;
  }
  for (const TermFunction& each : TermFunctions) {
    function<Listening>(each, readBefore);
  }
}

// Every "^" at the scan position: the exponent group is evaluated from the character after
// the "^" (a "(" is expected there) and the power step replaces the operand.
template <bool Listening>
void TermEvaluator::LevelState::powerSteps() {
  [[maybe_unused]] const std::int64_t firstCaret = position();
  while (character() == '^') {
    if (operand_.isEmpty()) {
      throw notANumberFault("");
    }
    [[maybe_unused]] const std::int64_t caret = position();
    ++position();
    if constexpr (Listening) {
      if (caret != firstCaret) {
        evaluator_.note(ReadingRule::PowersLeftToRight, caret);
      }
      if (character() != '(') {
        evaluator_.note(ReadingRule::CaretWithoutBracket, position());
      }
    }
    Operand exponent;
    exponent.setValue(evaluator_.EvaluateGroup<Listening>());
    ++position();
    if constexpr (Listening) {
      std::optional<ReadingRule> taken;
      operand_.setValue(powerStep(operand_, exponent, kind_, evaluator_.separator_,
                                  evaluator_.faultFlag_, &taken));
      if (taken) {
        evaluator_.note(*taken, caret);
      }
    } else {
      operand_.setValue(
          powerStep(operand_, exponent, kind_, evaluator_.separator_, evaluator_.faultFlag_));
    }
  }
}

// The element of the operand and the character at the scan position.
template <bool Listening>
inline void TermEvaluator::LevelState::push(Extended value) {
  if constexpr (Listening) {
    notePush(character());
  }
  stack_.push(value, character());
}

template <bool Listening>
void TermEvaluator::LevelState::scanStep() {
  [[maybe_unused]] const std::int64_t start = ++position();
  const char first = character();
  if (first == '(') {
    if (groupOperand<Listening>()) {
      return;
    }
  } else {
    const bool literal = isDigit(first) || first == '-';
    if (literal) {
      numberLiteral();
    }
    [[maybe_unused]] const std::int64_t formsStart = position();
    operandForms<Listening>(literal);
    if constexpr (Listening) {
      noteOperandStart(first, start, formsStart);
    }
  }
  powerSteps<Listening>();
  push<Listening>(readOperand());
}

template <bool Listening>
Extended TermEvaluator::EvaluateGroup() {
  if (nesting_ >= MaximumNesting) {
    throw nestedTooDeeplyFault();
  }
  ++nesting_;
  [[maybe_unused]] const std::int64_t opening = scanPosition_;
  LevelState level(*this, numora::Level::Group);
  do {
    level.scanStep<Listening>();
  } while (characterAt(scanPosition_) != ')' && scanPosition_ <= termLength_);
  if constexpr (Listening) {
    if (scanPosition_ > termLength_ && opening <= termLength_) {
      note(ReadingRule::BracketNotClosed, opening);
    }
  }
  const Extended value = level.reduce<Listening>();
  --nesting_;
  return value;
}

template <bool Listening>
Extended TermEvaluator::evaluateTopLevel() {
  LevelState top(*this, numora::Level::Top);
  do {
    top.scanStep<Listening>();
  } while (scanPosition_ < termLength_);
  if constexpr (Listening) {
    top.noteOperatorAtEnd();
  }
  return top.reduce<Listening>();
}

}  // namespace numora

#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "Extended.h"
#include "OperandStack.h"
#include "PowerStep.h"
#include "ReadingNotes.h"
#include "RowTable.h"
#include "TermListener.h"

namespace numora {

// The term evaluator: one pass over the current term from left to right. Each scan step reads
// one operand (a group, a number literal, or the operand forms x, y, z, ErgN, sign, abs, sin,
// cos, ln, log, tan, tried in this order), applies every "^" that follows it, and pushes its
// value with the character after it onto the operand stack of its level; each level's stack is
// then reduced. Groups, function arguments and exponents are evaluated by `EvaluateGroup`,
// whose value stands for its number text, and every operand except a number literal or a
// Result passes through the 15-digit number text: it takes the value that reading its text back
// gives, computed without writing the characters. Row references read the Result texts of the
// live table.
//
// The scanner checks no grammar: a character that starts no operand re-uses the level's
// previous operand and becomes the operator character, and any character other than the four
// operators ends its level's term where it stands. A listener, while one is set, is told each
// place where such a reading rule is taken (ReadingRule), with its position in the term.
class TermEvaluator : private ReductionListener {
 public:
  // Evaluates terms against `rows`, writing and reading number texts with `separator` as the
  // decimal separator.
  TermEvaluator(const RowTable& rows, char separator) : rows_(rows), separator_(separator) {}

  // The value of `term` (the calculation commands pass it with its spaces removed) for the
  // given x, y and z. Raises the conversion faults of operands that are no number, EOverflow,
  // EZeroDivide and EInvalidOp from the arithmetic, Exception "Zeile %d existiert nicht" for a
  // reference to a row that does not exist, and Exception "Term zu tief verschachtelt" for
  // groups nested deeper than MaximumNesting.
  Extended EvaluateTerm(std::string_view term, Extended x, Extended y, Extended z);

  // Set when an evaluation starts; cleared by every domain fault (a logarithm of a value not
  // above 0, a tangent at a multiple of 90 degrees, a power without a real value, a zero
  // divisor). Once cleared, tan gives "1".
  bool faultFlag() const { return faultFlag_; }

  // The listener told of what later evaluations read and of the reading rules they take, or
  // none; the evaluator does not own it.
  void setListener(TermListener* listener) { listener_ = listener; }

  static constexpr int MaximumNesting = 1000;

 private:
  class LevelState;

  // The value of the group behind the scan position, not yet rounded to its number text.
  // `Listening`: telling the listener of the reading rules taken.
  template <bool Listening>
  Extended EvaluateGroup();
  // The scanning and reduction of the top level.
  template <bool Listening>
  Extended evaluateTopLevel();

  // The character at `position` (from 1), or '\0' outside the term. Defined here, so that both
  // versions of the scanning, made in two files, take it inline.
  char characterAt(std::int64_t position) const {
    if (position < 1 || position > termLength_) {
      return '\0';
    }
    return currentTerm_[static_cast<std::size_t>(position - 1)];
  }
  bool termHoldsAt(std::int64_t position, std::string_view text) const;

  bool listening() const { return listener_ != nullptr; }
  // Tells the listener that `rule` was taken at `at`; a position past the end of the term is
  // the end of the term, one past its last character.
  void note(ReadingRule rule, std::int64_t at) const;
  // Keeps, while a listener is set, the position of the operator character pushed into `slot`.
  void keepOperatorPosition(std::size_t slot);
  void zeroDivisor(std::size_t slot) override;

  const RowTable& rows_;
  std::string_view currentTerm_;   // the term of the running evaluation
  std::int64_t scanPosition_ = 0;  // counted from 1; 0 is in front of the first character
  std::int64_t termLength_ = 0;
  bool faultFlag_ = true;
  int nesting_ = 0;
  char separator_;
  std::array<Extended, 3> variables_{};  // x, y and z
  StackSlots slots_;
  TermListener* listener_ = nullptr;
  // By slot, while a listener is set: the position of the operator character pushed into it.
  std::vector<std::int64_t> operatorPositions_;
};

}  // namespace numora

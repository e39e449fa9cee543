#include "ReadingNotes.h"

#include "Faults.h"

namespace numora {

// A switch without a default, so that the compiler names a rule that has no name.
std::string_view ruleName(ReadingRule rule) {
  switch (rule) {
    case ReadingRule::EndsTermEarly:
      return "ends-term-early";
    case ReadingRule::BracketAfterOperand:
      return "bracket-after-operand";
    case ReadingRule::OperandReplaced:
      return "operand-replaced";
    case ReadingRule::TwoOperators:
      return "two-operators";
    case ReadingRule::OperandUsedAgain:
      return "operand-used-again";
    case ReadingRule::MissingOperand:
      return "missing-operand";
    case ReadingRule::OperatorAtEnd:
      return "operator-at-end";
    case ReadingRule::ErgWithoutNumber:
      return "erg-without-number";
    case ReadingRule::FunctionWithoutBracket:
      return "function-without-bracket";
    case ReadingRule::CaretWithoutBracket:
      return "caret-without-bracket";
    case ReadingRule::BracketNotClosed:
      return "bracket-not-closed";
    case ReadingRule::PowersLeftToRight:
      return "powers-left-to-right";
    case ReadingRule::MinusInBase:
      return "minus-in-base";
    case ReadingRule::PowerWithoutValue:
      return "power-without-value";
    case ReadingRule::ZeroBase:
      return "zero-base";
    case ReadingRule::LogarithmNotPositive:
      return "logarithm-not-positive";
    case ReadingRule::TangentRightAngle:
      return "tangent-right-angle";
    case ReadingRule::TangentAfterDomainRule:
      return "tangent-after-domain-rule";
    case ReadingRule::AngleTooLarge:
      return "angle-too-large";
    case ReadingRule::ZeroDivisor:
      break;
  }
  return "zero-divisor";
}

std::string noteMessage(const ReadingNote& note, std::string_view concerned) {
  return readingNoteMessage(ruleName(note.rule), note.at, concerned);
}

}  // namespace numora

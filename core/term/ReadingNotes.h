#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace numora {

// The reading rules that a person reading a term would not guess. The evaluator tells a
// listener each place where it takes one; the value, the number text and any fault are the
// same whether it tells or not. Each rule names the character its note's position points to;
// a position one past the last character stands for the end of the term.
enum class ReadingRule : std::uint8_t {
  // A character that is no operator (+ - * /) follows an operand where an operator or the end
  // of its level is expected ("2.5", "2E3", "x2", a ")" at the top level): it ends the term of
  // its level, and what follows up to the level's end does not count. At: that character.
  // Only the first such character of a level is noted; a "(" has a rule of its own.
  EndsTermEarly,
  // A "(" directly after an operand ("2(3)", "(1)(2)"): it is no "*", it ends the term of its
  // level. At: the "(".
  BracketAfterOperand,
  // An operand form (x, y, z, ErgN or a function) directly after a number literal or another
  // form of the same operand replaces it: "2x" gives x, "xy" gives y, "-x" gives x. At: the
  // form's first character.
  OperandReplaced,
  // An operator where the operand after an operator is expected ("2*+3"): the level's previous
  // operand is used again. At: the second operator.
  TwoOperators,
  // Some other character where the operand after an operator is expected: a ")" ("(2+)"), the
  // end of the term inside an open bracket ("(2+"), or a character that starts no operand
  // ("2+q"): the level's previous operand is used again. At: that character.
  OperandUsedAgain,
  // A level's first operand is missing ("+1", "()", "x^2"); the evaluation then fails. At: the
  // character where the operand was expected.
  MissingOperand,
  // The term ends right after an operator ("2+", "2*"): 0 is its right operand. At: the
  // operator.
  OperatorAtEnd,
  // "Erg" without digits after it is passed over and the operand stays as it was ("2+Erg").
  // At: the "E".
  ErgWithoutNumber,
  // The character after a function name is no "(": it is passed over unread ("sin30)"). At:
  // that character.
  FunctionWithoutBracket,
  // The character after "^" is no "(": it is passed over unread ("x^23" is x^(3)). At: that
  // character.
  CaretWithoutBracket,
  // A bracket, argument or exponent reaches the end of the term without its ")" and is closed
  // there. At: the "(" (or the character standing where it was expected).
  BracketNotClosed,
  // A "^" right after an exponent raises the power before it: 2^(3)^(2) is 64. At: that "^".
  PowersLeftToRight,
  // The "-" of a number literal belongs to the number, so "^" raises the negative number:
  // -2^(2) is 4. At: the "-".
  MinusInBase,
  // A power without a real value (a negative base with an exponent that is not whole, or
  // inside brackets 0 with a negative exponent that is not whole) gives 1. At: the "^".
  PowerWithoutValue,
  // The base "0" gives 0 also for the exponent 0, and at the top level for a negative
  // exponent: 0^(0) and 0^(-2) give 0. At: the "^".
  ZeroBase,
  // ln or log of a value that is not above 0 gives 1. At: the function name's first letter.
  LogarithmNotPositive,
  // tan of a whole multiple of 90 degrees (at least 90) gives 1. At: the "t" of "tan".
  TangentRightAngle,
  // tan gives 1 because an earlier value of the same evaluation had none (a logarithm, a
  // tangent, a power or a zero divisor). At: the "t" of "tan".
  TangentAfterDomainRule,
  // sin, cos or tan of an angle of 2^63 radians or more gives 0. At: the function name's
  // first letter.
  AngleTooLarge,
  // A division by 0 in the reduction of a level: the division and everything after it in the
  // level is given up. At: the "/".
  ZeroDivisor,
};

inline constexpr std::size_t ReadingRuleCount =
    static_cast<std::size_t>(ReadingRule::ZeroDivisor) + 1;

// One place where a reading rule was taken. `at` counts from 1 the characters of the term the
// position belongs to: the term as evaluated (spaces removed) where the evaluator tells it.
struct ReadingNote {
  std::int64_t at;
  ReadingRule rule;

  friend bool operator==(const ReadingNote&, const ReadingNote&) = default;
};

// The rule's short, stable English name, as the command-line tool's JSON writes it:
// "ends-term-early", "zero-divisor", ...
std::string_view ruleName(ReadingRule rule);

// The German sentence that tells a person what the note means. `concerned` is the character
// at the note's position in the term its position counts in, empty at the end of the term.
std::string noteMessage(const ReadingNote& note, std::string_view concerned);

}  // namespace numora

#pragma once

#include <array>
#include <optional>
#include <string_view>

#include "Extended.h"
#include "ReadingNotes.h"

namespace numora {

// The result of a function of a term for its argument a: the value whose number text becomes
// the operand text. A domain fault clears `faultFlag`. Where a reading rule gives the result
// instead of the function's value, the rule goes to `taken`, when one is given.
using FunctionResult = Extended (*)(Extended a, bool& faultFlag, std::optional<ReadingRule>* taken);

// sign: -1, 1 or 0.
Extended signOf(Extended a, bool& faultFlag, std::optional<ReadingRule>* taken);
// abs: the absolute value.
Extended absoluteValue(Extended a, bool& faultFlag, std::optional<ReadingRule>* taken);
// sin and cos of an angle in degrees; 0 once the angle in radians is 2^63 or more
// (AngleTooLarge).
Extended sineOfDegrees(Extended a, bool& faultFlag, std::optional<ReadingRule>* taken);
Extended cosineOfDegrees(Extended a, bool& faultFlag, std::optional<ReadingRule>* taken);
// ln and log: 1 for an argument that is not above 0, a domain fault (LogarithmNotPositive).
Extended naturalLogarithm(Extended a, bool& faultFlag, std::optional<ReadingRule>* taken);
Extended decimalLogarithm(Extended a, bool& faultFlag, std::optional<ReadingRule>* taken);
// tan of an angle in degrees: a whole multiple of 90 that is at least 90 is a domain fault
// (TangentRightAngle), and once any domain fault of the evaluation has cleared the fault flag
// the result is 1 (TangentAfterDomainRule); 0 for an angle too large, as sin and cos.
Extended tangentOfDegrees(Extended a, bool& faultFlag, std::optional<ReadingRule>* taken);

// A function of a term: its name and its result.
struct TermFunction {
  std::string_view name;
  FunctionResult result;
};

// The functions, in the order in which the scanner tries them.
inline constexpr TermFunction TermFunctions[] = {
    {"sign", signOf},          {"abs", absoluteValue},   {"sin", sineOfDegrees},
    {"cos", cosineOfDegrees},  {"ln", naturalLogarithm}, {"log", decimalLogarithm},
    {"tan", tangentOfDegrees},
};

// The first letters of the function names, marked by character.
inline constexpr std::array<bool, 256> FunctionInitials = [] {
  std::array<bool, 256> initials{};
  for (const TermFunction& each : TermFunctions) {
    initials[static_cast<unsigned char>(each.name.front())] = true;
  }
  return initials;
}();

// Whether some function name begins with `c`. Where none does, none of the function forms
// matches and the scan position stays, so the forms need not be tried one by one.
inline bool beginsAFunctionName(char c) { return FunctionInitials[static_cast<unsigned char>(c)]; }

}  // namespace numora

#include "ReadingNotes.h"

#include <array>

#include "Faults.h"

namespace numora {

namespace {

// The names, in the order of the rules.
constexpr std::array<std::string_view, ReadingRuleCount> RuleNames = {
    "ends-term-early",
    "bracket-after-operand",
    "operand-replaced",
    "two-operators",
    "operand-used-again",
    "missing-operand",
    "operator-at-end",
    "erg-without-number",
    "function-without-bracket",
    "caret-without-bracket",
    "bracket-not-closed",
    "powers-left-to-right",
    "minus-in-base",
    "power-without-value",
    "zero-base",
    "logarithm-not-positive",
    "tangent-right-angle",
    "tangent-after-domain-rule",
    "angle-too-large",
    "zero-divisor",
};

}  // namespace

std::string_view ruleName(ReadingRule rule) { return RuleNames[static_cast<std::size_t>(rule)]; }

std::string noteMessage(const ReadingNote& note, std::string_view concerned) {
  return readingNoteMessage(ruleName(note.rule), note.at, concerned);
}

}  // namespace numora

#pragma once

#include <optional>

#include "Operand.h"
#include "ReadingNotes.h"

namespace numora {

// Where a power step runs: the rules for a base "0" differ between the top level of a term
// and the inside of a group.
enum class Level { Top, Group };

// Applies "^" to a base with an exponent and gives the value whose number text is the new base
// text: reads the two values only where a rule needs them, takes Power(p, q) as
// Exp(q * Ln(p)), and follows the level's rules for a base "0" and for negative bases. A domain
// fault (a negative base with an exponent that is not whole, or inside a group a base "0" with
// a negative exponent that is not whole) gives "1" and clears `faultFlag`. Raises the
// conversion fault of a text that is no number, EZeroDivide for Ln(0) or the reciprocal of a
// power that has become 0, EOverflow for a result beyond the range, and EInvalidOp for the
// whole number test of an exponent of 2^63 or more. Runs inside an evaluation, where no fault
// flag is pending (FaultFlagsClear). `taken`, when given, receives the reading rule the step
// took, if any: PowerWithoutValue for a domain fault, ZeroBase where a base "0" gives 0 for an
// exponent of 0 or, at the top level, a negative one.
Extended powerStep(const Operand& base, const Operand& exponent, Level level, char separator,
                   bool& faultFlag, std::optional<ReadingRule>* taken = nullptr);

}  // namespace numora

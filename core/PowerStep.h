#pragma once

#include <string_view>

#include "NumberText.h"

namespace numora {

// Where a power step runs: the rules for a base "0" differ between the top level of a term
// and the inside of a group.
enum class Level { Top, Group };

// A number text held in place, without the heap.
class NumberTextBuffer {
 public:
  NumberTextBuffer() = default;
  NumberTextBuffer(Extended value, char separator)
      : length_(writeNumberText(value, separator, text_)) {}
  // A constant text such as "1".
  template <std::size_t Size>
  explicit NumberTextBuffer(const char (&constant)[Size]) : length_(Size - 1) {
    static_assert(Size <= NumberTextCapacity);
    for (std::size_t i = 0; i < length_; ++i) {
      text_[i] = constant[i];
    }
  }

  std::string_view view() const { return {text_, length_}; }

 private:
  char text_[NumberTextCapacity] = {};
  std::size_t length_ = 0;
};

// Applies "^" to a base text with an exponent text and gives the new base text: reads the
// two values only where a rule needs them, takes Power(p, q) as Exp(q * Ln(p)), and follows the
// level's rules for a base "0" and for negative bases. A domain fault (a negative base with an
// exponent that is not whole, or inside a group a base "0" with a negative exponent that is
// not whole) gives "1" and clears `faultFlag`. Raises the conversion fault of a text that is
// no number, EZeroDivide for Ln(0) or the reciprocal of a power that has become 0, EOverflow
// for a result beyond the range, and EInvalidOp for the whole number test of an exponent of
// 2^63 or more.
NumberTextBuffer powerStep(std::string_view base, std::string_view exponent, Level level,
                           char separator, bool& faultFlag);

}  // namespace numora

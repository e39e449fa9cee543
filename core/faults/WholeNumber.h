#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace numora {

// The decimal text of a whole number: digits without leading zeros, "-" for a negative one.
std::string wholeNumberText(std::int32_t value);

// Reads a whole number: optional leading blanks, at most one sign, then either decimal digits
// or a hexadecimal form ("$", "x", "X", "0x" or "0X" and at least one hexadecimal digit), and
// nothing after the last digit. Decimal texts must lie in the 32-bit signed range; hexadecimal
// texts take at most eight significant digits as the 32 bits of a signed number. Anything
// else raises EConvertError "'%s' ist kein gültiger Integerwert" with the whole text.
std::int32_t readWholeNumber(std::string_view text);
// The same reading for a text that may hold no whole number: its value, or none where
// readWholeNumber raises its fault.
std::optional<std::int32_t> wholeNumberIn(std::string_view text);

}  // namespace numora

#pragma once

#include <cstddef>
#include <string>

#include "Extended.h"

namespace numora {

// Room for every number text ("-1,23456789012345E-4951" is the longest form) and for the
// whole-word stores that write it.
constexpr std::size_t NumberTextCapacity = 48;

// The one text form of an extended value: 15 significant digits rounded half up, trailing
// zeros dropped, plain from 0,0001 up to 999999999999999 in magnitude and in exponent form
// outside that span; "INF", "-INF" and "NAN" for the special values, "0" for zero, negative
// zero and the denormal values; `separator` is the decimal separator. Writes into `out`
// (NumberTextCapacity bytes, no terminating zero) and returns the length. The value is taken
// by reference, so that a value the x87 unit has just stored is not copied while the store is
// still on its way.
std::size_t writeNumberText(const Extended& value, char separator, char* out) noexcept;

std::string numberText(const Extended& value, char separator);

}  // namespace numora

#pragma once

#include <limits>

namespace numora {

// The extended value: every value of a calculation is held in the 80-bit extended format
// (1 sign bit, 15-bit exponent, 64-bit significand with its leading bit stored).
using Extended = long double;

static_assert(std::numeric_limits<Extended>::digits == 64 &&
                  std::numeric_limits<Extended>::max_exponent == 16384 && sizeof(Extended) >= 10,
              "Numora needs long double to be the x87 80-bit extended type with a 64-bit "
              "significand (x86-64 Linux with g++); results are not exact on any other type");

}  // namespace numora

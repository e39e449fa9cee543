#pragma once

#include <limits>

namespace numora {

// The extended value: every value of a calculation is held in the 80-bit extended format
// (1 sign bit, 15-bit exponent, 64-bit significand with its leading bit stored).
using Extended = long double;

// The arithmetic runs on the x87 unit through GNU inline assembly (X87.h), so the build needs
// an x86 or x86-64 target and a compiler that takes GNU asm statements: g++ or clang++.
#if !(defined(__x86_64__) || defined(__i386__)) || !defined(__GNUC__)
#error "Numora needs an x86 or x86-64 target and g++ or clang++: it computes on the x87 unit"
#endif

static_assert(std::numeric_limits<Extended>::digits == 64 &&
                  std::numeric_limits<Extended>::max_exponent == 16384 &&
                  std::numeric_limits<Extended>::min_exponent == -16381 && sizeof(Extended) >= 10,
              "Numora needs long double to be the x87 80-bit extended format (64-bit significand "
              "with its leading bit, 15-bit exponent): build for x86 or x86-64 without "
              "-mlong-double-64 or -mlong-double-128");

}  // namespace numora

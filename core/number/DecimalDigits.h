#pragma once

#include <cstdint>

#include "Extended.h"
#include "PowersOfTen.h"
#include "X87.h"

namespace numora {

// The fifteen significant digits of a value as its number text has them, and where the decimal
// point stands: the value is 0,d1d2...d15 times 10^exponent. d1 is 0 for some tiny values,
// whose decimal exponent estimate comes out one too high.
struct DecimalDigits {
  std::uint64_t fifteen;  // d1 ... d15 as one integer, below 10^15
  int exponent;
};

namespace detail {

constexpr std::uint64_t TenTo14 = 100'000'000'000'000ULL;
constexpr std::uint64_t TenTo15 = 1'000'000'000'000'000ULL;
constexpr std::uint64_t TenTo18 = 1'000'000'000'000'000'000ULL;

// Rounds to the nearest integer, ties to even (the rounding of the standard control word).
// The value lies below 2^62 here.
inline std::int64_t roundToInteger(Extended value) { return x87::roundToInteger(value); }

// The integer divided by ten and rounded to an integer, ties to even.
inline std::uint64_t divideByTenRounded(std::uint64_t value) {
  const std::uint64_t quotient = value / 10;
  const std::uint64_t remainder = value % 10;
  if (remainder > 5 || (remainder == 5 && (quotient & 1) != 0)) {
    return quotient + 1;
  }
  return quotient;
}

}  // namespace detail

// The digits of a positive normal `magnitude` whose stored (biased) exponent is
// `storedExponent`, in three steps: estimate the decimal exponent from the binary one; scale to
// eighteen digits and round them to an integer with ties to even (dividing by ten once more
// when the estimate was one too low); round those to fifteen digits half up on the digit
// string. The caller runs it under the standard control word.
inline DecimalDigits decimalDigitsOf(Extended magnitude, int storedExponent) {
  int exponent = (((storedExponent - 16383) * 19728) >> 16) + 1;

  std::uint64_t eighteen = static_cast<std::uint64_t>(
      detail::roundToInteger(scaleByPowerOfTen(magnitude, 18 - exponent)));
  if (eighteen >= detail::TenTo18) {
    eighteen = detail::divideByTenRounded(eighteen);
    ++exponent;
  }

  std::uint64_t fifteen = eighteen / 1000;
  if (eighteen % 1000 >= 500) {
    ++fifteen;
    if (fifteen == detail::TenTo15) {
      fifteen = detail::TenTo14;
      ++exponent;
    }
  }
  return {fifteen, exponent};
}

}  // namespace numora

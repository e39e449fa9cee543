#pragma once

#include "Extended.h"

namespace numora {

namespace detail {

// 10^0 to 10^31, each the extended value nearest to it; the compiler rounds each literal.
inline constexpr Extended OnesFactors[32] = {
    1e0L,  1e1L,  1e2L,  1e3L,  1e4L,  1e5L,  1e6L,  1e7L,  1e8L,  1e9L,  1e10L,
    1e11L, 1e12L, 1e13L, 1e14L, 1e15L, 1e16L, 1e17L, 1e18L, 1e19L, 1e20L, 1e21L,
    1e22L, 1e23L, 1e24L, 1e25L, 1e26L, 1e27L, 1e28L, 1e29L, 1e30L, 1e31L,
};

// The scaling below for an exponent of 32 or more in magnitude.
Extended scaleByLargePowerOfTen(Extended value, int exponent);

}  // namespace detail

// Scales `value` by 10 to the power `exponent` the way both number conversions do: with up to
// three factors, each the extended value nearest to its power of ten, 10^(|n| mod 32), then
// 10^(32 * ((|n| div 32) mod 16)), then 10^(512 * (|n| div 512)); multiplying for a positive
// exponent, dividing for a negative one, each step rounded to nearest. An exponent of 5120 or
// more in magnitude gives infinity (positive) or zero (negative). Below 32 in magnitude there
// is one factor; that common case is inline.
inline Extended scaleByPowerOfTen(Extended value, int exponent) {
  if (exponent == 0) {
    return value;
  }
  if (exponent > 0 && exponent < 32) {
    return value * detail::OnesFactors[exponent];
  }
  if (exponent < 0 && exponent > -32) {
    return value / detail::OnesFactors[-exponent];
  }
  return detail::scaleByLargePowerOfTen(value, exponent);
}

}  // namespace numora

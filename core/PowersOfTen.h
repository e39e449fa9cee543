#pragma once

#include "Extended.h"

namespace numora {

// Scales `value` by 10 to the power `exponent` the way both number conversions do: with up to
// three factors, each the extended value nearest to its power of ten, 10^(|n| mod 32), then
// 10^(32 * ((|n| div 32) mod 16)), then 10^(512 * (|n| div 512)); multiplying for a positive
// exponent, dividing for a negative one, each step rounded to nearest. An exponent of 5120 or
// more in magnitude gives infinity (positive) or zero (negative).
Extended scaleByPowerOfTen(Extended value, int exponent);

}  // namespace numora

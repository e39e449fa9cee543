#pragma once

#include <cmath>
#include <cstdint>

#include "DecimalDigits.h"
#include "Extended.h"
#include "ExtendedFields.h"
#include "FloatingPoint.h"
#include "NumberReading.h"
#include "NumberText.h"
#include "PowersOfTen.h"

namespace numora {

namespace detail {

constexpr std::uint64_t TenTo8 = 100'000'000ULL;

// Whether reading a number text written with `separator` finds the separator exactly where it
// was written. A digit would join the digits around it, and "E" would start the exponent of a
// text such as 1E20, which has no separator; every other character reads as the separator.
constexpr bool separatorReadsAsWritten(char separator) {
  return separator != 'E' && !(separator >= '0' && separator <= '9');
}

// A whole number of magnitude below 10^15: its number text holds all its digits, so reading
// the text gives the value itself.
inline bool isSmallWholeNumber(const ExtendedFields& fields) {
  const int binaryExponent = fields.storedExponent - 16383;
  if (binaryExponent < 0 || binaryExponent > 49) {
    return false;
  }
  const std::uint64_t fraction = fields.significand << (binaryExponent + 1);
  return fraction == 0 && (fields.significand >> (63 - binaryExponent)) < 1'000'000'000'000'000ULL;
}

// The digits without their trailing zeros, and how many remain.
inline std::uint64_t withoutTrailingZeros(std::uint64_t digits, int& count) {
  count = 15;
  if (digits % TenTo8 == 0) {
    digits /= TenTo8;
    count -= 8;
  }
  if (digits % 10000 == 0) {
    digits /= 10000;
    count -= 4;
  }
  if (digits % 100 == 0) {
    digits /= 100;
    count -= 2;
  }
  if (digits % 10 == 0) {
    digits /= 10;
    count -= 1;
  }
  return digits;
}

// What reading the text back scales: the text's k digits (trailing zeros dropped, leading zero
// kept) as one whole number M, times 10^(exponent - k); the layout only moves the separator
// and the "E" around these digits. When every factor that can occur is one exact power of ten
// (up to 10^27), one rounded multiplication or division gives the same value from all fifteen
// digits as from the k digits, because both round the same exact product; only the exponent
// form far from 1 needs the trailing zeros dropped, since its scaling takes several factors.
inline Extended readBackDigits(const DecimalDigits& decimal) {
  if (decimal.exponent >= -12 && decimal.exponent <= 28) {
    return scaleByPowerOfTen(static_cast<Extended>(static_cast<std::int64_t>(decimal.fifteen)),
                             decimal.exponent - 15);
  }
  int count;
  const std::uint64_t digits = withoutTrailingZeros(decimal.fifteen, count);
  return scaleByPowerOfTen(static_cast<Extended>(static_cast<std::int64_t>(digits)),
                           decimal.exponent - count);
}

// roundedThroughText below for a value that is not zero, a denormal value or a small whole
// number: the digits of the text and their reading back. Out of line, while the short cases
// stay at the callers.
[[gnu::noinline]] inline Extended roundedThroughDigits(const Extended& value,
                                                       const ExtendedFields& fields,
                                                       char separator) {
  if (kindOf(fields) != ExtendedKind::Normal || !separatorReadsAsWritten(separator)) [[unlikely]] {
    return readNumber(numberText(value, separator), separator);
  }
  fpu::StandardControlWordScope standardRounding;
  const Extended magnitude = fields.negative ? -value : value;
  const Extended read = readBackDigits(decimalDigitsOf(magnitude, fields.storedExponent));
  if (std::isinf(read)) [[unlikely]] {
    return readNumber(numberText(value, separator), separator);
  }
  return fields.negative ? -read : read;
}

}  // namespace detail

// The value that reading the number text of `value` back gives (readNumber of numberText, both
// with `separator`), bit for bit, without writing the text: the 15-digit rounding of the text
// form and the scaling of the reading, in the same steps. Zero, negative zero and the denormal
// values give 0. Where the text is no number to read ("INF", "-INF", "NAN"), or the separator
// would not read back as a separator, the text itself is written and read, so the value and
// the conversion fault raised are those of the text. The value is taken by reference, so that
// a value the x87 unit has just stored is not copied while the store is still on its way.
// Built with NUMORA_PLAIN_ROUNDING, it is the plain definition itself (the text written and
// read), so that the tests can show both builds give the same results.
[[gnu::always_inline]] inline Extended roundedThroughText(const Extended& value, char separator) {
#ifdef NUMORA_PLAIN_ROUNDING
  return readNumber(numberText(value, separator), separator);
#else
  const ExtendedFields fields = fieldsOf(value);
  if (kindOf(fields) == ExtendedKind::ZeroOrDenormal) {
    return 0.0L;
  }
  if (hasLeadingBit(fields) && detail::isSmallWholeNumber(fields) &&
      detail::separatorReadsAsWritten(separator)) {
    return value;
  }
  return detail::roundedThroughDigits(value, fields, separator);
#endif
}

}  // namespace numora

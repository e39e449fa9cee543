#pragma once

#include <cstdint>
#include <cstring>

#include "Extended.h"
#include "X87.h"

namespace numora {

// The stored fields of an extended value: the sign, the biased exponent (16383 for 1; 0 for
// zero and the denormal values; 0x7FFF for the infinities and not-a-number values) and the
// 64-bit significand with its leading bit.
struct ExtendedFields {
  bool negative;
  int storedExponent;
  std::uint64_t significand;
};

inline ExtendedFields fieldsOf(const Extended& value) {
  std::uint64_t significand;
  std::uint32_t signAndExponent;
  x87::loadStoredBytes(value, significand, signAndExponent);
  return {(signAndExponent & 0x8000) != 0, static_cast<int>(signAndExponent & 0x7FFF), significand};
}

// What an extended value is, by its stored fields. The number text writes each kind in its own
// way: "0" for zero and the denormal values, digits for a normal value, "INF" or "-INF" for an
// infinity, and "NAN" for a value that is not a number and for an unnormal (an exponent with
// the significand's leading bit clear), which no arithmetic of the processor accepts.
enum class ExtendedKind { ZeroOrDenormal, Normal, Unnormal, Infinite, NotANumber };

inline constexpr int LargestStoredExponent = 0x7FFF;

constexpr bool hasLeadingBit(const ExtendedFields& fields) {
  return (fields.significand >> 63) != 0;
}

constexpr ExtendedKind kindOf(const ExtendedFields& fields) {
  if (fields.storedExponent == 0) {
    return ExtendedKind::ZeroOrDenormal;
  }
  if (fields.storedExponent == LargestStoredExponent) {
    return fields.significand == (std::uint64_t{1} << 63) ? ExtendedKind::Infinite
                                                          : ExtendedKind::NotANumber;
  }
  return hasLeadingBit(fields) ? ExtendedKind::Normal : ExtendedKind::Unnormal;
}

inline Extended extendedFromFields(const ExtendedFields& fields) {
  const auto signAndExponent =
      static_cast<std::uint16_t>((fields.negative ? 0x8000 : 0) | (fields.storedExponent & 0x7FFF));
  unsigned char bytes[sizeof(Extended)] = {};
  std::memcpy(bytes, &fields.significand, 8);
  std::memcpy(bytes + 8, &signAndExponent, 2);
  Extended value;
  std::memcpy(&value, bytes, sizeof value);
  return value;
}

}  // namespace numora

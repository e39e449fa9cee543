#pragma once

#include <cstdint>
#include <cstring>

#include "Extended.h"

namespace numora {

// The stored fields of an extended value: the sign, the biased exponent (16383 for 1; 0 for
// zero and the denormal values; 0x7FFF for the infinities and not-a-number values) and the
// 64-bit significand with its leading bit.
struct ExtendedFields {
  bool negative;
  int storedExponent;
  std::uint64_t significand;
};

// Reads exactly the stored bytes, eight and two, in two loads of those widths. The compiler
// would widen the two-byte read to eight bytes, and a read wider than what the x87 unit has
// just stored (ten bytes) must wait until the store is complete.
inline ExtendedFields fieldsOf(const Extended& value) {
  std::uint64_t significand;
  std::uint32_t signAndExponent;
  asm("movq (%2), %0\n\t"
      "movzwl 8(%2), %1"
      : "=&r"(significand), "=r"(signAndExponent)
      : "r"(&value), "m"(value));
  return {(signAndExponent & 0x8000) != 0, static_cast<int>(signAndExponent & 0x7FFF), significand};
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

#include "NumberText.h"

#include <cstdint>
#include <cstring>

#include "DecimalSeparator.h"
#include "FloatingPoint.h"
#include "PowersOfTen.h"

namespace numora {

namespace {

constexpr std::uint64_t TenTo14 = 100'000'000'000'000ULL;
constexpr std::uint64_t TenTo15 = 1'000'000'000'000'000ULL;
constexpr std::uint64_t TenTo18 = 1'000'000'000'000'000'000ULL;
constexpr std::uint64_t TenTo8 = 100'000'000ULL;
constexpr int SignificantDigits = 15;

struct ExtendedFields {
  bool negative;
  int storedExponent;  // biased by 16383; 0 for zero and denormals, 0x7FFF for INF and NAN
  std::uint64_t significand;
};

ExtendedFields fieldsOf(Extended value) {
  unsigned char bytes[10];
  std::memcpy(bytes, &value, sizeof bytes);
  std::uint64_t significand;
  std::uint16_t signAndExponent;
  std::memcpy(&significand, bytes, 8);
  std::memcpy(&signAndExponent, bytes + 8, 2);
  return {(signAndExponent & 0x8000) != 0, signAndExponent & 0x7FFF, significand};
}

// Rounds to the nearest integer, ties to even (the rounding of the standard control word).
// The value lies below 2^62 here.
std::int64_t roundToInteger(Extended value) {
  std::int64_t integer;
  asm("fistpll %0" : "=m"(integer) : "t"(value) : "st");
  return integer;
}

// The integer divided by ten and rounded to an integer, ties to even.
std::uint64_t divideByTenRounded(std::uint64_t value) {
  const std::uint64_t quotient = value / 10;
  const std::uint64_t remainder = value % 10;
  if (remainder > 5 || (remainder == 5 && (quotient & 1) != 0)) {
    return quotient + 1;
  }
  return quotient;
}

constexpr char DigitPairs[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

// Writes `value` (below 10^count) as exactly `count` decimal digits, leading zeros included.
void writeDigits(std::uint64_t value, int count, char* out) {
  while (count >= 2) {
    const std::uint64_t pair = value % 100;
    value /= 100;
    count -= 2;
    std::memcpy(out + count, DigitPairs + 2 * pair, 2);
  }
  if (count == 1) {
    out[0] = static_cast<char>('0' + value % 10);
  }
}

std::size_t writeText(const char* text, char* out) {
  const std::size_t length = std::strlen(text);
  std::memcpy(out, text, length);
  return length;
}

// Writes the decimal digits of a positive number without leading zeros.
std::size_t writeNatural(unsigned value, char* out) {
  char digits[10];
  std::size_t count = 0;
  do {
    digits[count++] = static_cast<char>('0' + value % 10);
    value /= 10;
  } while (value != 0);
  for (std::size_t i = 0; i < count; ++i) {
    out[i] = digits[count - 1 - i];
  }
  return count;
}

// Lays out `count` significant digits whose value is 0,d1d2... times 10^exponent.
std::size_t layOut(const char* digits, int count, int exponent, char separator, char* out) {
  char* at = out;
  if (exponent > SignificantDigits || exponent < -3) {
    *at++ = digits[0];
    if (count > 1) {
      *at++ = separator;
      std::memcpy(at, digits + 1, static_cast<std::size_t>(count - 1));
      at += count - 1;
    }
    *at++ = 'E';
    const int shown = exponent - 1;
    if (shown < 0) {
      *at++ = '-';
    }
    at += writeNatural(static_cast<unsigned>(shown < 0 ? -shown : shown), at);
  } else if (exponent >= 1) {
    if (count <= exponent) {
      std::memcpy(at, digits, static_cast<std::size_t>(count));
      std::memset(at + count, '0', static_cast<std::size_t>(exponent - count));
      at += exponent;
    } else {
      std::memcpy(at, digits, static_cast<std::size_t>(exponent));
      at += exponent;
      *at++ = separator;
      std::memcpy(at, digits + exponent, static_cast<std::size_t>(count - exponent));
      at += count - exponent;
    }
  } else {
    *at++ = '0';
    *at++ = separator;
    std::memset(at, '0', static_cast<std::size_t>(-exponent));
    at += -exponent;
    std::memcpy(at, digits, static_cast<std::size_t>(count));
    at += count;
  }
  return static_cast<std::size_t>(at - out);
}

}  // namespace

std::size_t writeNumberText(Extended value, char separator, char* out) noexcept {
  const ExtendedFields fields = fieldsOf(value);
  const bool integerBitSet = (fields.significand >> 63) != 0;
  if (fields.storedExponent == 0x7FFF) {
    const bool infinite = fields.significand == (1ULL << 63);
    if (!infinite) {
      return writeText("NAN", out);
    }
    return writeText(fields.negative ? "-INF" : "INF", out);
  }
  if (fields.storedExponent == 0) {
    return writeText("0", out);
  }
  if (!integerBitSet) {
    // An unnormal: no arithmetic of the processor accepts it as a number.
    return writeText("NAN", out);
  }

  fpu::StandardControlWordScope standardRounding;

  // Decimal exponent estimate: the value is about 0,d1d2... times 10^exponent.
  int exponent = (((fields.storedExponent - 16383) * 19728) >> 16) + 1;

  // Eighteen digits, rounded to nearest with ties to even.
  const Extended magnitude = fields.negative ? -value : value;
  std::uint64_t eighteen =
      static_cast<std::uint64_t>(roundToInteger(scaleByPowerOfTen(magnitude, 18 - exponent)));
  if (eighteen >= TenTo18) {
    eighteen = divideByTenRounded(eighteen);
    ++exponent;
  }

  // Fifteen digits, rounded half up on the digit string.
  std::uint64_t fifteen = eighteen / 1000;
  if (eighteen % 1000 >= 500) {
    ++fifteen;
    if (fifteen == TenTo15) {
      fifteen = TenTo14;
      ++exponent;
    }
  }

  char digits[SignificantDigits];
  writeDigits(fifteen / TenTo8, SignificantDigits - 8, digits);
  writeDigits(fifteen % TenTo8, 8, digits + SignificantDigits - 8);
  int count = SignificantDigits;
  while (count > 1 && digits[count - 1] == '0') {
    --count;
  }

  char* at = out;
  if (fields.negative) {
    *at++ = '-';
  }
  return static_cast<std::size_t>(at - out) + layOut(digits, count, exponent, separator, at);
}

std::string numberText(Extended value, char separator) {
  char text[NumberTextCapacity];
  return std::string(text, writeNumberText(value, separator, text));
}

std::string numberText(Extended value) { return numberText(value, decimalSeparator()); }

}  // namespace numora

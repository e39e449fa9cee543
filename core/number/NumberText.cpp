#include "NumberText.h"

#include <bit>
#include <cstdint>
#include <cstring>

#include "DecimalDigits.h"
#include "ExtendedFields.h"
#include "FloatingPoint.h"

namespace numora {

namespace {

constexpr std::uint64_t TenTo7 = 10'000'000ULL;
constexpr int SignificantDigits = 15;

// Fifteen digits as ASCII, the first digit in the lowest byte: d1 to d8 in `first`, d9 to d15
// and a final "0" in `second`. Kept in registers: the layout below shifts whole words instead of
// copying bytes that were just stored, which would stall the processor.
struct DigitString {
  std::uint64_t first;
  std::uint64_t second;
};

constexpr std::uint64_t AsciiZeros = 0x3030303030303030ULL;

// The eight decimal digits of a number below 10^8, one per byte, the first in the lowest byte:
// split into two 4-digit halves, each into two 2-digit pairs, each into two digits, all halves
// side by side in the lanes of one word. The reciprocal multipliers are exact for these ranges.
[[gnu::always_inline]] inline std::uint64_t eightDigits(std::uint32_t value) {
  const std::uint64_t halves = (value / 10000) | (std::uint64_t{value % 10000} << 32);
  const std::uint64_t hundreds = ((halves * 10486) >> 20) & 0x0000007F0000007FULL;
  const std::uint64_t pairs = hundreds | ((halves - hundreds * 100) << 16);
  const std::uint64_t tens = ((pairs * 103) >> 10) & 0x000F000F000F000FULL;
  return tens | ((pairs - tens * 10) << 8);
}

// The digits of a number below 10^15, and how many are left when trailing zeros are dropped.
DigitString digitsOf(std::uint64_t fifteen, int& significantCount) {
  const std::uint64_t first = eightDigits(static_cast<std::uint32_t>(fifteen / TenTo7));
  const std::uint64_t second = eightDigits(static_cast<std::uint32_t>(fifteen % TenTo7 * 10));
  // The highest non-zero byte marks the last significant digit.
  significantCount = second != 0 ? 8 + (63 - std::countl_zero(second)) / 8 + 1
                                 : (63 - std::countl_zero(first)) / 8 + 1;
  return {first | AsciiZeros, second | AsciiZeros};
}

void storeWord(char* out, std::uint64_t word) { std::memcpy(out, &word, 8); }

// Stores digit `from` (counted from 0) and all digits after it, followed by filler bytes: up to
// sixteen bytes in all.
void storeDigitsFrom(const DigitString& digits, int from, char* out) {
  if (from == 0) {
    storeWord(out, digits.first);
    storeWord(out + 8, digits.second);
  } else if (from < 8) {
    const int shift = 8 * from;
    storeWord(out, (digits.first >> shift) | (digits.second << (64 - shift)));
    storeWord(out + 8, digits.second >> shift);
  } else if (from == 8) {
    storeWord(out, digits.second);
  } else {
    storeWord(out, digits.second >> (8 * (from - 8)));
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
std::size_t layOut(const DigitString& digits, int count, int exponent, char separator, char* out) {
  char* at = out;
  if (exponent > SignificantDigits || exponent < -3) {
    *at++ = static_cast<char>(digits.first & 0xFF);
    if (count > 1) {
      *at++ = separator;
      storeDigitsFrom(digits, 1, at);
      at += count - 1;
    }
    *at++ = 'E';
    const int shown = exponent - 1;
    if (shown < 0) {
      *at++ = '-';
    }
    at += writeNatural(static_cast<unsigned>(shown < 0 ? -shown : shown), at);
  } else if (exponent >= 1) {
    // The digit string holds zeros after the last significant digit, so a whole number with
    // fewer significant digits than places is already filled up.
    storeDigitsFrom(digits, 0, at);
    if (count <= exponent) {
      at += exponent;
    } else {
      at[exponent] = separator;
      storeDigitsFrom(digits, exponent, at + exponent + 1);
      at += count + 1;
    }
  } else {
    at[0] = '0';
    at[1] = separator;
    at[2] = at[3] = at[4] = '0';
    at += 2 - exponent;
    storeDigitsFrom(digits, 0, at);
    at += count;
  }
  return static_cast<std::size_t>(at - out);
}

}  // namespace

std::size_t writeNumberText(const Extended& value, char separator, char* out) noexcept {
  const ExtendedFields fields = fieldsOf(value);
  switch (kindOf(fields)) {
    case ExtendedKind::ZeroOrDenormal:
      return writeText("0", out);
    case ExtendedKind::Infinite:
      return writeText(fields.negative ? "-INF" : "INF", out);
    case ExtendedKind::NotANumber:
    case ExtendedKind::Unnormal:
      return writeText("NAN", out);
    case ExtendedKind::Normal:
      break;
  }

  fpu::StandardControlWordScope standardRounding;

  const DecimalDigits decimal =
      decimalDigitsOf(fields.negative ? -value : value, fields.storedExponent);

  int count;
  const DigitString digits = digitsOf(decimal.fifteen, count);

  char* at = out;
  if (fields.negative) {
    *at++ = '-';
  }
  return static_cast<std::size_t>(at - out) +
         layOut(digits, count, decimal.exponent, separator, at);
}

std::string numberText(const Extended& value, char separator) {
  char text[NumberTextCapacity];
  return std::string(text, writeNumberText(value, separator, text));
}

}  // namespace numora

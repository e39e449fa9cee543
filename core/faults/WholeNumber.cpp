#include "WholeNumber.h"

#include "Faults.h"

namespace numora {

namespace {

// The largest value that may still take one more digit.
constexpr std::uint32_t DecimalGatherLimit = 214748364;
constexpr std::uint32_t HexadecimalGatherLimit = 0x0FFFFFFF;
constexpr std::uint64_t LargestPositive = 2147483647;
constexpr std::uint64_t LargestNegativeMagnitude = 2147483648;

int hexadecimalDigitValue(char c) {
  if (c >= '0' && c <= '9') {
    return c - '0';
  }
  if (c >= 'a' && c <= 'f') {
    return c - 'a' + 10;
  }
  if (c >= 'A' && c <= 'F') {
    return c - 'A' + 10;
  }
  return -1;
}

// Length of the hexadecimal prefix at the start of `rest`, or 0 when there is none.
std::size_t hexadecimalPrefixLength(std::string_view rest) {
  if (!rest.empty() && (rest[0] == '$' || rest[0] == 'x' || rest[0] == 'X')) {
    return 1;
  }
  if (rest.size() >= 2 && rest[0] == '0' && (rest[1] == 'x' || rest[1] == 'X')) {
    return 2;
  }
  return 0;
}

bool readHexadecimal(std::string_view digits, bool negative, std::int32_t& result) {
  if (digits.empty()) {
    return false;
  }
  std::uint32_t value = 0;
  for (const char c : digits) {
    const int digit = hexadecimalDigitValue(c);
    if (digit < 0 || value > HexadecimalGatherLimit) {
      return false;
    }
    value = value * 16 + static_cast<std::uint32_t>(digit);
  }
  // The 32 bits are a signed number; negating the smallest one gives itself again.
  if (negative) {
    value = 0U - value;
  }
  result = static_cast<std::int32_t>(value);
  return true;
}

bool readDecimal(std::string_view digits, bool negative, std::int32_t& result) {
  if (digits.empty()) {
    return false;
  }
  std::uint64_t value = 0;
  for (const char c : digits) {
    if (c < '0' || c > '9' || value > DecimalGatherLimit) {
      return false;
    }
    value = value * 10 + static_cast<std::uint64_t>(c - '0');
  }
  if (value > (negative ? LargestNegativeMagnitude : LargestPositive)) {
    return false;
  }
  result = static_cast<std::int32_t>(negative ? -static_cast<std::int64_t>(value)
                                              : static_cast<std::int64_t>(value));
  return true;
}

}  // namespace

std::string wholeNumberText(std::int32_t value) {
  char text[11];
  char* end = text + sizeof text;
  char* at = end;
  std::uint32_t magnitude =
      value < 0 ? 0U - static_cast<std::uint32_t>(value) : static_cast<std::uint32_t>(value);
  do {
    *--at = static_cast<char>('0' + magnitude % 10);
    magnitude /= 10;
  } while (magnitude != 0);
  if (value < 0) {
    *--at = '-';
  }
  return std::string(at, end);
}

std::int32_t readWholeNumber(std::string_view text) {
  const std::optional<std::int32_t> value = wholeNumberIn(text);
  if (!value) {
    throw notAWholeNumberFault(text);
  }
  return *value;
}

std::optional<std::int32_t> wholeNumberIn(std::string_view text) {
  std::string_view rest = text;
  while (!rest.empty() && rest.front() == ' ') {
    rest.remove_prefix(1);
  }
  bool negative = false;
  if (!rest.empty() && (rest.front() == '-' || rest.front() == '+')) {
    negative = rest.front() == '-';
    rest.remove_prefix(1);
  }
  std::int32_t result = 0;
  const std::size_t prefix = hexadecimalPrefixLength(rest);
  const bool valid = prefix != 0 ? readHexadecimal(rest.substr(prefix), negative, result)
                                 : readDecimal(rest, negative, result);
  if (!valid) {
    return std::nullopt;
  }
  return result;
}

}  // namespace numora

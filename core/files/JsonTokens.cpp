#include "JsonTokens.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <system_error>

#include "Utf8.h"

namespace numora {

namespace {

// The value of one hexadecimal digit, or -1.
int hexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// The code unit of the four hexadecimal digits at `text`, or -1.
long codeUnit(const char* text) {
  long unit = 0;
  for (int i = 0; i < 4; ++i) {
    const int digit = hexDigit(text[i]);
    if (digit < 0) {
      return -1;
    }
    unit = unit * 16 + digit;
  }
  return unit;
}

// One "\u" escape at `text` (pointing at the backslash), a surrogate pair as one: appends the
// character and returns the first byte after the escape, or nullptr where JSON forbids it.
const char* appendUnicodeEscape(const char* text, std::string& out) {
  const long unit = codeUnit(text + 2);
  if (unit < 0 || (unit >= 0xDC00 && unit <= 0xDFFF)) {
    return nullptr;
  }
  if (unit < 0xD800 || unit > 0xDBFF) {
    appendUtf8(out, static_cast<std::uint32_t>(unit));
    return text + 6;
  }
  if (text[6] != '\\' || text[7] != 'u') {
    return nullptr;
  }
  const long low = codeUnit(text + 8);
  if (low < 0xDC00 || low > 0xDFFF) {
    return nullptr;
  }
  appendUtf8(out, static_cast<std::uint32_t>(0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00)));
  return text + 12;
}

// One escape at `text` (pointing at the backslash): appends its character and returns the
// first byte after it, or nullptr for an escape JSON does not have.
const char* appendEscape(const char* text, std::string& out) {
  switch (text[1]) {
    case '"':
    case '\\':
    case '/':
      out.push_back(text[1]);
      return text + 2;
    case 'b':
      out.push_back('\b');
      return text + 2;
    case 'f':
      out.push_back('\f');
      return text + 2;
    case 'n':
      out.push_back('\n');
      return text + 2;
    case 'r':
      out.push_back('\r');
      return text + 2;
    case 't':
      out.push_back('\t');
      return text + 2;
    case 'u':
      return appendUnicodeEscape(text, out);
    default:
      return nullptr;
  }
}

// The end of the digits that begin at `from`.
std::size_t endOfDigits(std::string_view token, std::size_t from) {
  while (from < token.size() && token[from] >= '0' && token[from] <= '9') {
    ++from;
  }
  return from;
}

// Whether `token` has the form of a JSON number: a sign, whole digits without a leading zero,
// a fraction and an exponent, each part where JSON allows it.
bool hasJsonNumberForm(std::string_view token) {
  const std::size_t whole = token.starts_with('-') ? 1 : 0;
  std::size_t end = endOfDigits(token, whole);
  if (end == whole || (token[whole] == '0' && end > whole + 1)) {
    return false;
  }
  if (end < token.size() && token[end] == '.') {
    const std::size_t fraction = end + 1;
    end = endOfDigits(token, fraction);
    if (end == fraction) return false;
  }
  if (end < token.size() && (token[end] == 'e' || token[end] == 'E')) {
    std::size_t exponent = end + 1;
    if (exponent < token.size() && (token[exponent] == '+' || token[exponent] == '-')) {
      ++exponent;
    }
    end = endOfDigits(token, exponent);
    if (end == exponent) return false;
  }
  return end == token.size();
}

// The value of an exponent's text (a sign and digits), held within a range far beyond the
// digits of any number, so that it cannot overflow.
long long exponentValue(std::string_view exponent) {
  constexpr long long Beyond = 1LL << 40;
  const bool negative = exponent.starts_with('-');
  if (exponent.starts_with('-') || exponent.starts_with('+')) {
    exponent.remove_prefix(1);
  }
  long long value = 0;
  for (const char digit : exponent) {
    value = std::min(value * 10 + (digit - '0'), Beyond);
  }
  return negative ? -value : value;
}

}  // namespace

bool isJsonWhiteSpace(std::string_view text) {
  return text.find_first_not_of(" \t\r\n") == std::string_view::npos;
}

// The number is its digits, whole and fraction one after the other, times a power of ten. Without
// their leading and trailing zeros, it is whole when the power of the last digit is not below 0.
WholeNumber wholeNumberOf(std::string_view token) {
  if (!hasJsonNumberForm(token)) {
    return WholeNumber::None;
  }
  const bool negative = token.starts_with('-');
  const std::size_t wholeStart = negative ? 1 : 0;
  const std::size_t wholeEnd = endOfDigits(token, wholeStart);
  std::string digits(token.substr(wholeStart, wholeEnd - wholeStart));
  std::size_t end = wholeEnd;
  std::size_t fractionDigits = 0;
  if (end < token.size() && token[end] == '.') {
    end = endOfDigits(token, wholeEnd + 1);
    fractionDigits = end - wholeEnd - 1;
    digits.append(token.substr(wholeEnd + 1, fractionDigits));
  }
  const long long exponent = end < token.size() ? exponentValue(token.substr(end + 1)) : 0;
  long long lastDigitPower = exponent - static_cast<long long>(fractionDigits);
  const std::size_t first = digits.find_first_not_of('0');
  if (first == std::string::npos) {
    return WholeNumber::Zero;
  }
  const std::size_t last = digits.find_last_not_of('0');
  lastDigitPower += static_cast<long long>(digits.size() - 1 - last);
  if (lastDigitPower < 0) {
    return WholeNumber::None;
  }
  if (negative) {
    return WholeNumber::Negative;
  }
  return first == last && digits[first] == '1' && lastDigitPower == 0 ? WholeNumber::One
                                                                      : WholeNumber::AboveOne;
}

bool appendJsonStringCharacters(const char* text, std::string& out) {
  const char* run = text;
  for (;;) {
    const unsigned char c = static_cast<unsigned char>(*text);
    if (c == '"') {
      out.append(run, text);
      return true;
    }
    if (c < 0x20) {
      return false;
    }
    if (c != '\\') {
      ++text;
      continue;
    }
    out.append(run, text);
    text = appendEscape(text, out);
    if (text == nullptr) {
      return false;
    }
    run = text;
  }
}

bool isPlainJsonNumber(std::string_view token) {
  if (!hasJsonNumberForm(token)) {
    return false;
  }
  // Read without the locale, which may use another decimal point.
  double number = 0;
  const auto [last, error] = std::from_chars(token.data(), token.data() + token.size(), number);
  return error == std::errc() && last == token.data() + token.size() && std::isfinite(number);
}

}  // namespace numora

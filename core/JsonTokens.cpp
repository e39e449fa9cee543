#include "JsonTokens.h"

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

}  // namespace

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

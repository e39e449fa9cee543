#include "Utf8.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace numora {

std::size_t utf8CharacterLength(std::string_view text) {
  if (text.empty()) {
    return 0;
  }
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  const auto continuation = [&](std::size_t i) {
    return i < text.size() && (byte(i) & 0xC0) == 0x80;
  };
  const unsigned char first = byte(0);
  if (first < 0x80) {
    return 1;
  }
  if (first >= 0xC2 && first <= 0xDF) {
    return continuation(1) ? 2 : 0;
  }
  if (first >= 0xE0 && first <= 0xEF) {
    if (!continuation(1) || !continuation(2)) {
      return 0;
    }
    const unsigned char second = byte(1);
    if ((first == 0xE0 && second < 0xA0) || (first == 0xED && second > 0x9F)) {
      return 0;  // overlong, or a surrogate
    }
    return 3;
  }
  if (first >= 0xF0 && first <= 0xF4) {
    if (!continuation(1) || !continuation(2) || !continuation(3)) {
      return 0;
    }
    const unsigned char second = byte(1);
    if ((first == 0xF0 && second < 0x90) || (first == 0xF4 && second > 0x8F)) {
      return 0;  // overlong, or beyond U+10FFFF
    }
    return 4;
  }
  return 0;  // a continuation byte, an overlong lead (0xC0, 0xC1) or one beyond 0xF4
}

std::size_t lengthOfCharacters(std::string_view text, std::size_t count) {
  std::size_t end = 0;
  for (std::size_t characters = 0; characters < count && end < text.size(); ++characters) {
    end += std::max<std::size_t>(1, utf8CharacterLength(text.substr(end)));
  }
  return end;
}

std::string withReplacementCharacters(std::string_view text) {
  std::string valid;
  valid.reserve(text.size());
  while (!text.empty()) {
    const std::size_t length = utf8CharacterLength(text);
    if (length == 0) {
      valid.append("\xEF\xBF\xBD");
      text.remove_prefix(1);
    } else {
      valid.append(text.substr(0, length));
      text.remove_prefix(length);
    }
  }
  return valid;
}

namespace {

// Passes over the ASCII bytes at the start of `text`, eight at a time where it can.
std::string_view afterAscii(std::string_view text) {
  constexpr std::uint64_t HighBits = 0x8080808080808080;
  while (text.size() >= sizeof(std::uint64_t)) {
    std::uint64_t word = 0;
    std::memcpy(&word, text.data(), sizeof word);
    if ((word & HighBits) != 0) {
      break;
    }
    text.remove_prefix(sizeof word);
  }
  while (!text.empty() && static_cast<unsigned char>(text.front()) < 0x80) {
    text.remove_prefix(1);
  }
  return text;
}

}  // namespace

bool isValidUtf8(std::string_view text) {
  while (!(text = afterAscii(text)).empty()) {
    const std::size_t length = utf8CharacterLength(text);
    if (length == 0) {
      return false;
    }
    text.remove_prefix(length);
  }
  return true;
}

void appendUtf8(std::string& out, std::uint32_t codePoint) {
  if (codePoint < 0x80) {
    out.push_back(static_cast<char>(codePoint));
  } else if (codePoint < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (codePoint >> 6)));
    out.push_back(static_cast<char>(0x80 | (codePoint & 0x3F)));
  } else if (codePoint < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (codePoint >> 12)));
    out.push_back(static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (codePoint & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (codePoint >> 18)));
    out.push_back(static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (codePoint & 0x3F)));
  }
}

}  // namespace numora

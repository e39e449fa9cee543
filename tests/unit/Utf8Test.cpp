#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "Utf8.h"

namespace numora {
namespace {

TEST(Utf8, TakesOnlyAWellFormedCharacterAtTheStart) {
  struct Case {
    const char* what;
    std::string text;
    std::size_t length;
  };
  for (const Case& c : std::initializer_list<Case>{
           {"empty", "", 0},
           {"ASCII letter", "Ab", 1},
           {"NUL", std::string("\0x", 2), 1},
           {"DEL", "\x7f", 1},
           {"2 bytes, lowest", "\xc2\x80", 2},
           {"2 bytes, U+00C4 then more", "\xc3\x84x", 2},
           {"2 bytes, highest", "\xdf\xbf", 2},
           {"3 bytes, lowest", "\xe0\xa0\x80", 3},
           {"3 bytes, euro sign", "\xe2\x82\xac", 3},
           {"3 bytes, last before the surrogates", "\xed\x9f\xbf", 3},
           {"3 bytes, first after the surrogates", "\xee\x80\x80", 3},
           {"3 bytes, U+FFFF", "\xef\xbf\xbf", 3},
           {"4 bytes, lowest", "\xf0\x90\x80\x80", 4},
           {"4 bytes, emoji", "\xf0\x9f\x98\x80", 4},
           {"4 bytes, U+10FFFF", "\xf4\x8f\xbf\xbf", 4},
           {"overlong 2 bytes, lead C0", "\xc0\x80", 0},
           {"overlong 2 bytes, lead C1", "\xc1\xbf", 0},
           {"overlong 3 bytes", "\xe0\x9f\xbf", 0},
           {"overlong 4 bytes", "\xf0\x8f\xbf\xbf", 0},
           {"first surrogate", "\xed\xa0\x80", 0},
           {"last surrogate", "\xed\xbf\xbf", 0},
           {"U+110000", "\xf4\x90\x80\x80", 0},
           {"lead F5", "\xf5\x80\x80\x80", 0},
           {"lead FF", "\xff", 0},
           {"2 bytes cut short", "\xc3", 0},
           {"2 bytes cut short by ASCII", "\xc3x", 0},
           {"3 bytes cut short", "\xe2\x82", 0},
           {"3 bytes cut short by ASCII", "\xe2\x82x", 0},
           {"4 bytes cut short", "\xf0\x9f\x98", 0},
           {"4 bytes cut short by a new lead", "\xf0\x9f\x98\xf0\x9f\x98\x80", 0},
           {"stray continuation byte", "\x80", 0},
           {"stray continuation bytes before a letter",
            "\xbf\xbf"
            "A",
            0},
       }) {
    EXPECT_EQ(utf8CharacterLength(c.text), c.length) << c.what;
  }
}

// The UTF-8 encoding of a code point, written out by its definition.
std::string encoded(std::uint32_t codePoint) {
  std::string bytes;
  if (codePoint < 0x80) {
    bytes.push_back(static_cast<char>(codePoint));
  } else if (codePoint < 0x800) {
    bytes.push_back(static_cast<char>(0xC0 | (codePoint >> 6)));
    bytes.push_back(static_cast<char>(0x80 | (codePoint & 0x3F)));
  } else if (codePoint < 0x10000) {
    bytes.push_back(static_cast<char>(0xE0 | (codePoint >> 12)));
    bytes.push_back(static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F)));
    bytes.push_back(static_cast<char>(0x80 | (codePoint & 0x3F)));
  } else {
    bytes.push_back(static_cast<char>(0xF0 | (codePoint >> 18)));
    bytes.push_back(static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F)));
    bytes.push_back(static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F)));
    bytes.push_back(static_cast<char>(0x80 | (codePoint & 0x3F)));
  }
  return bytes;
}

// Every code point outside the surrogates is one character of its encoded length, however
// the text goes on; every surrogate is none, and no prefix of an encoding is a character.
TEST(Utf8, AcceptsEveryCodePointExceptTheSurrogates) {
  for (std::uint32_t codePoint = 0; codePoint <= 0x10FFFF; ++codePoint) {
    const std::string bytes = encoded(codePoint);
    const bool surrogate = codePoint >= 0xD800 && codePoint <= 0xDFFF;
    const std::size_t expected = surrogate ? 0 : bytes.size();
    ASSERT_EQ(utf8CharacterLength(bytes), expected) << std::hex << codePoint;
    ASSERT_EQ(utf8CharacterLength(bytes + "\x80"
                                          "A"),
              expected)
        << std::hex << codePoint;
    for (std::size_t cut = 1; cut < bytes.size(); ++cut) {
      ASSERT_EQ(utf8CharacterLength(bytes.substr(0, cut)), 0u) << std::hex << codePoint;
    }
  }
}

// A cut after a number of characters never splits one, and a stray byte is one character.
TEST(Utf8, CountsCharactersForACutAndTellsWellFormedTexts) {
  struct Case {
    std::string text;
    std::size_t count;
    std::size_t length;
    bool valid;
  };
  for (const Case& c : std::vector<Case>{
           {"", 3, 0, true},
           {"abc", 2, 2, true},
           {"abc", 9, 3, true},
           {"aäb", 2, 3, true},
           {"€€", 1, 3, true},
           {"\xff\xfe"
            "A",
            2, 2, false},
           {"a\xe2\x82", 2, 2, false},
           {"\xed\xa0\x80", 1, 1, false},
       }) {
    EXPECT_EQ(lengthOfCharacters(c.text, c.count), c.length) << c.text << ' ' << c.count;
    EXPECT_EQ(isValidUtf8(c.text), c.valid) << c.text;
  }
}

}  // namespace
}  // namespace numora

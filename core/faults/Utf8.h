#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace numora {

// The length in bytes (1 to 4) of the well-formed UTF-8 character at the start of `text`, or 0
// when there is none: an empty text, a stray continuation byte, a lead byte that UTF-8 never
// uses, a sequence cut short, an overlong form, a surrogate or a code point beyond U+10FFFF.
std::size_t utf8CharacterLength(std::string_view text);

// The length in bytes of the first `count` characters of `text` (all of it when it has fewer),
// a byte that starts no well-formed character counting as one character, so that a cut there
// never splits a character.
std::size_t lengthOfCharacters(std::string_view text, std::size_t count);

// `text` with every byte that starts no well-formed character written as U+FFFD.
std::string withReplacementCharacters(std::string_view text);

// Whether all of `text` is well-formed UTF-8.
bool isValidUtf8(std::string_view text);

// Appends the UTF-8 bytes of `codePoint` (at most U+10FFFF) to `out`.
void appendUtf8(std::string& out, std::uint32_t codePoint);

}  // namespace numora

#pragma once

#include <string>
#include <string_view>

namespace numora {

// The characters of JSON tokens whose ends a JSON parser has found already.

// Appends the characters of the JSON string whose text begins at `text`, just after its opening
// quote, and ends at its closing quote. False for a control character or an escape that JSON
// forbids (an unknown letter, a lone surrogate).
bool appendJsonStringCharacters(const char* text, std::string& out);

// Whether `text` holds nothing but the white space JSON allows between tokens.
bool isJsonWhiteSpace(std::string_view text);

// The whole number a JSON number stands for, judged exactly by its digits, however it is
// written: "1.0", "10E-1" and "0.1e1" are one, "2.0" and "1E23" above one, "1.5" and
// "1.0000000000000000001" no whole number.
enum class WholeNumber { None, Negative, Zero, One, AboveOne };
WholeNumber wholeNumberOf(std::string_view token);

// Whether `token` is a JSON number that reads as a double neither infinite nor too small to
// tell from zero; a number beyond that is left to a reader that judges it itself.
bool isPlainJsonNumber(std::string_view token);

}  // namespace numora

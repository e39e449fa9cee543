#pragma once

#include <string>
#include <string_view>

namespace numora {

// The characters of JSON tokens whose ends a JSON parser has found already.

// Appends the characters of the JSON string whose text begins at `text`, just after its opening
// quote, and ends at its closing quote. False for a control character or an escape that JSON
// forbids (an unknown letter, a lone surrogate).
bool appendJsonStringCharacters(const char* text, std::string& out);

// Whether `token` is a JSON number that reads as a double neither infinite nor too small to
// tell from zero; a number beyond that is left to a reader that judges it itself.
bool isPlainJsonNumber(std::string_view token);

}  // namespace numora

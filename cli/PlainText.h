#pragma once

#include <string>
#include <string_view>

namespace numora::calc {

// The escaping of tab-separated text: a backslash, a tab, a carriage return and a line feed
// become "\\", "\t", "\r" and "\n", so a field holds no tab and a line no line break, and
// every other byte stays as it is.
std::string escapedText(std::string_view text);
// The same, appended to `out`.
void appendEscapedText(std::string& out, std::string_view text);

// The text that escapedText made `escaped` of. A backslash before any other byte, or at the
// end, stands for itself.
std::string unescapedText(std::string_view escaped);

}  // namespace numora::calc

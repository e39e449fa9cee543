#include "PlainText.h"

namespace numora::calc {

namespace {

// The letter that follows the backslash for each escaped byte, in the same order.
constexpr std::string_view EscapedBytes = "\\\t\r\n";
constexpr std::string_view EscapeLetters = "\\trn";

}  // namespace

std::string escapedText(std::string_view text) {
  std::string escaped;
  escaped.reserve(text.size());
  for (const char byte : text) {
    const std::size_t kind = EscapedBytes.find(byte);
    if (kind == std::string_view::npos) {
      escaped += byte;
    } else {
      escaped += '\\';
      escaped += EscapeLetters[kind];
    }
  }
  return escaped;
}

std::string unescapedText(std::string_view escaped) {
  std::string text;
  text.reserve(escaped.size());
  for (std::size_t i = 0; i < escaped.size(); ++i) {
    const std::size_t kind = escaped[i] == '\\' && i + 1 < escaped.size()
                                 ? EscapeLetters.find(escaped[i + 1])
                                 : std::string_view::npos;
    if (kind == std::string_view::npos) {
      text += escaped[i];
    } else {
      text += EscapedBytes[kind];
      ++i;
    }
  }
  return text;
}

}  // namespace numora::calc

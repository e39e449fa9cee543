#include "PlainText.h"

namespace numora::calc {

namespace {

// The letter that follows the backslash for each escaped byte, in the same order.
constexpr std::string_view EscapedBytes = "\\\t\r\n";
constexpr std::string_view EscapeLetters = "\\trn";

// The escape letter of `byte`, or 0 for a byte that stays as it is.
char escapeLetter(char byte) {
  switch (byte) {
    case '\\':
      return '\\';
    case '\t':
      return 't';
    case '\r':
      return 'r';
    case '\n':
      return 'n';
    default:
      return 0;
  }
}

}  // namespace

// Runs of bytes that stay as they are go in at once.
void appendEscapedText(std::string& out, std::string_view text) {
  std::size_t runStart = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char letter = escapeLetter(text[i]);
    if (letter != 0) {
      out.append(text.substr(runStart, i - runStart));
      out += '\\';
      out += letter;
      runStart = i + 1;
    }
  }
  out.append(text.substr(runStart));
}

std::string escapedText(std::string_view text) {
  std::string escaped;
  escaped.reserve(text.size());
  appendEscapedText(escaped, text);
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

#include "ApplicationTitle.h"

#include <errno.h>
#include <unistd.h>

#include <algorithm>
#include <vector>

#include "Utf8.h"

namespace numora {

namespace {

// Lower-cases ASCII letters and the upper-case letters of Latin-1 (U+00C0 to U+00DE without
// the multiplication sign), which in UTF-8 are 0xC3 followed by 0x80 to 0x9E.
void lowerCaseFrom(std::string& text, std::size_t start) {
  for (std::size_t i = start; i < text.size(); ++i) {
    const unsigned char byte = static_cast<unsigned char>(text[i]);
    if (byte >= 'A' && byte <= 'Z') {
      text[i] = static_cast<char>(byte + ('a' - 'A'));
    } else if (byte == 0xC3 && i + 1 < text.size()) {
      const unsigned char next = static_cast<unsigned char>(text[i + 1]);
      if (next >= 0x80 && next <= 0x9E && next != 0x97) {
        text[i + 1] = static_cast<char>(next + 0x20);
      }
      ++i;
    }
  }
}

}  // namespace

std::string applicationTitle(std::string_view programPath) {
  const std::size_t slash = programPath.rfind('/');
  std::string_view baseName =
      slash == std::string_view::npos ? programPath : programPath.substr(slash + 1);
  baseName = baseName.substr(0, baseName.find('.'));
  std::string title(baseName);
  if (!title.empty()) {
    // The first character stays as it is, even a byte that starts no valid character.
    lowerCaseFrom(title, std::max<std::size_t>(utf8CharacterLength(title), 1));
  }
  return title;
}

std::string programFilePath() {
  std::vector<char> buffer(256);
  for (;;) {
    const ssize_t length = readlink("/proc/self/exe", buffer.data(), buffer.size());
    if (length < 0) {
      // Without /proc the name the program was started under is the best there is.
      return program_invocation_name != nullptr ? program_invocation_name : "";
    }
    if (static_cast<std::size_t>(length) < buffer.size()) {
      return std::string(buffer.data(), static_cast<std::size_t>(length));
    }
    buffer.resize(buffer.size() * 2);
  }
}

std::string applicationTitle() { return applicationTitle(programFilePath()); }

}  // namespace numora

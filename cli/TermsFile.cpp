#include "TermsFile.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "Faults.h"
#include "FileAccess.h"

namespace numora::calc {

namespace {

constexpr std::string_view ByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view StandardInputName = "-";

// Everything that standard input holds, up to its end.
std::string readStandardInput() {
  std::string content;
  char buffer[1 << 16];
  for (;;) {
    const ssize_t got = ::read(STDIN_FILENO, buffer, sizeof buffer);
    if (got < 0) {
      if (errno == EINTR) {
        continue;
      }
      throw cannotOpenFileFault(StandardInputName, std::strerror(errno));
    }
    if (got == 0) {
      return content;
    }
    content.append(buffer, static_cast<std::size_t>(got));
  }
}

}  // namespace

std::vector<std::string> termsOf(std::string_view content) {
  if (content.substr(0, ByteOrderMark.size()) == ByteOrderMark) {
    content.remove_prefix(ByteOrderMark.size());
  }
  std::vector<std::string> terms;
  std::size_t start = 0;
  while (start < content.size()) {
    std::size_t end = content.find('\n', start);
    const bool lineBreak = end != std::string_view::npos;
    if (!lineBreak) {
      end = content.size();
    }
    std::size_t termEnd = end;
    if (lineBreak && termEnd > start && content[termEnd - 1] == '\r') {
      --termEnd;
    }
    terms.emplace_back(content.substr(start, termEnd - start));
    start = end + 1;
  }
  return terms;
}

std::vector<std::string> readTerms(const std::string& path) {
  return termsOf(path == StandardInputName ? readStandardInput() : readWholeFile(path));
}

}  // namespace numora::calc

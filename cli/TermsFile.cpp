#include "TermsFile.h"

namespace numora::calc {

std::vector<std::string> termsOf(std::string_view content) {
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

}  // namespace numora::calc

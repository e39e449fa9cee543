#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace numora::calc {

// The terms of a terms file's content, one per line. A final line break makes no extra term,
// and a carriage return before a line break is not part of the term.
std::vector<std::string> termsOf(std::string_view content);

}  // namespace numora::calc

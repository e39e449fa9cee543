#pragma once

#include <istream>
#include <string>
#include <vector>

namespace numora::calc {

// The terms of a terms file, one per line. A final line break makes no extra term, and a
// carriage return before a line break is not part of the term.
std::vector<std::string> readTerms(std::istream& input);

}  // namespace numora::calc

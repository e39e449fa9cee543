#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace numora::calc {

// The terms of a terms file's content, one per line. A UTF-8 byte-order mark at the start is
// no part of the first term, a final line break makes no extra term, and a carriage return
// before a line break is not part of the term.
std::vector<std::string> termsOf(std::string_view content);

// The terms of the terms file `path`, read as a table file is read, or of standard input, read
// as a stream to its end, for "-". A file or input that cannot be read raises the open fault
// "Datei "%s" kann nicht geöffnet werden. %s".
std::vector<std::string> readTerms(const std::string& path);

}  // namespace numora::calc

#pragma once

#include <string_view>

namespace numora {

// The table file's layout as the program writes it: the header line, one row per line with a
// comma after all but the last, and the closing line.
inline constexpr std::string_view TableFormatName = "numora-table";
inline constexpr int TableFormatVersion = 1;
inline constexpr std::string_view TableHeader =
    "{\"format\": \"numora-table\", \"version\": 1, \"rows\": [\n";
inline constexpr std::string_view TableFooter = "]}\n";

}  // namespace numora

#pragma once

#include <cstddef>
#include <string_view>

namespace numora {

// The table file's layout as the program writes it: the header line, one row per line with a
// comma after all but the last, and the closing line.
inline constexpr std::string_view TableFormatName = "numora-table";
inline constexpr int TableFormatVersion = 1;
inline constexpr std::string_view TableHeader =
    "{\"format\": \"numora-table\", \"version\": 1, \"rows\": [\n";
inline constexpr std::string_view TableFooter = "]}\n";

// The fewest bytes a row and the comma after it take in a table document in any layout, which
// bounds the rows a text of a given size can hold.
inline constexpr std::size_t SmallestRowLength =
    std::string_view("{\"name\":\"\",\"term\":\"\",\"result\":\"\",\"nr\":\"\"},").size();

}  // namespace numora

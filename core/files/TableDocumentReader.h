#pragma once

#include <cstddef>
#include <optional>
#include <string_view>
#include <vector>

#include "RowTable.h"

namespace numora {

// The bytes a table document needs readable after its last byte to be read where it stands;
// with fewer, the reader reads a copy.
inline constexpr std::size_t TableDocumentPadding = 64;

// The fast reading of a table document, at the speed of the JSON parser: the rows of a
// document that is a valid table in every respect, unknown keys and repeated keys included.
// Gives nothing for a document with any fault, and for anything it does not judge itself (a
// number it cannot read exactly, nesting deeper than the parser follows); the careful reading
// of the table file then gives the verdict and the message. `readableBytes` is how many bytes
// from `document.data()` on may be read; `expectedRows` is the room for rows made at once.
std::optional<std::vector<Row>> rowsOfValidTableDocument(std::string_view document,
                                                         std::size_t readableBytes,
                                                         std::size_t expectedRows);

}  // namespace numora

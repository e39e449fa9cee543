#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string_view>
#include <vector>

#include "RowTable.h"

namespace numora {

// Fills `buffer` with the next bytes of a document, `size` of them unless the document ends
// sooner, and gives how many; 0 at its end.
using NextDocumentBytes = std::function<std::size_t(char* buffer, std::size_t size)>;

// The bytes of a document held in memory, handed out from its start; the document must stay
// where it is while they are.
NextDocumentBytes bytesOfDocument(std::string_view document);

// How many bytes of a document are read at a time.
inline constexpr std::size_t TableBlockSize = std::size_t{1} << 20;

// The rows of a table document laid out as the program writes it: the header line, one row per
// line with a comma after all but the last, and the closing line. It is read a block of lines
// at a time, so that the whole document never stands in memory, and each block of rows at the
// speed of the JSON parser. A document in this layout is always taken, wherever the blocks end.
//
// Gives nothing for a document laid out any other way or with any fault, and for anything the
// fast reading of whole documents leaves to the careful one; the whole document must then be
// read once more. `documentSize` is the document's size in bytes, from which the room for its
// rows is judged (0 when unknown); a line longer than `blockSize` is read whole all the same.
std::optional<std::vector<Row>> rowsOfLineByLineDocument(const NextDocumentBytes& nextBytes,
                                                         std::size_t documentSize,
                                                         std::size_t blockSize = TableBlockSize);

}  // namespace numora

#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "RowTable.h"

namespace numora {

// The rows of a table document read event by event with a JSON parser that finds what is wrong
// and where: the judge of every document the fast readings do not take. Raises Exception
// "Datei "%s" ist keine gültige Tabellendatei. %s" with `fileName` and the fault, a syntax
// fault with its line and column. `expectedRows` is the room for rows made at once.
std::vector<Row> rowsReadEventByEvent(std::string_view document, const std::string& fileName,
                                      std::size_t expectedRows);

}  // namespace numora

#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "RowTable.h"
#include "TableLineReader.h"

namespace numora {

// The table file (.TBE): a UTF-8 JSON document
//   {"format": "numora-table", "version": 1, "rows": [
//   {"name": "...", "term": "...", "result": "...", "nr": "..."},
//   ...
//   ]}
// with the four fields of every row as texts, exactly as the row holds them, in table order,
// one row per line. Keys it does not know are ignored, so later versions can add fields. The
// keys, the format's name and version and the layout's lines are in TableFormat.h.

// The document for `table`. Bytes of a field that are not valid UTF-8 are written as U+FFFD.
std::string tableDocument(const RowTable& table);

// The rows of a table document. Raises Exception "Datei "%s" ist keine gültige Tabellendatei.
// %s" with `fileName` and what is wrong and where. A document in the program's layout is read
// line by line in blocks of `blockSize` bytes; every block size gives the same rows or fault.
std::vector<Row> rowsOfTableDocument(std::string_view document, const std::string& fileName,
                                     std::size_t blockSize = TableBlockSize);

// Save table: writes the whole table to `path` atomically; a failure leaves the previous file
// as it was and raises "Datei "%s" kann nicht erstellt werden. %s".
void saveTable(const RowTable& table, const std::string& path);

// The rows of the table file at `path`. A file that cannot be read or is no valid table raises
// its fault.
std::vector<Row> readTable(const std::string& path);

// Open table: replaces every row of `table` with the file's rows and returns the selection
// afterwards (none). A file that cannot be read or is no valid table raises its fault and
// leaves the table exactly as it was.
int openTable(RowTable& table, const std::string& path);

}  // namespace numora

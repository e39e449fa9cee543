// Reads arbitrary bytes as a table file and checks what the reader promises: it gives rows or
// refuses the document with its fault, and rows it gives are written and read back unchanged.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "Faults.h"
#include "TableFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view document(reinterpret_cast<const char*>(data), size);
  std::vector<numora::Row> rows;
  try {
    rows = numora::rowsOfTableDocument(document, "fuzz.TBE");
  } catch (const numora::Exception& fault) {
    if (fault.message().rfind("Datei \"fuzz.TBE\" ist keine gültige Tabellendatei. ", 0) != 0) {
      std::abort();
    }
    return 0;
  }
  numora::RowTable table;
  table.replaceAllRows(rows);
  if (numora::rowsOfTableDocument(numora::tableDocument(table), "again.TBE") != rows) {
    std::abort();
  }
  return 0;
}

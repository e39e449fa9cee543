// Reads arbitrary bytes as a table file and checks what the reader promises: it gives rows or
// refuses the document with its fault, and rows it gives are written and read back unchanged.
// The fast readings (line by line in blocks from one byte to the whole document, the whole
// document at once) must give exactly the rows the careful event-by-event reading gives, or
// leave the document to it, and the table reader as a whole must give the careful reading's
// rows or fault with every block size. A document as the program writes it must be taken by
// the line-by-line reading whatever the block size, so that it is never read twice.
// It also checks numora-calc's plain output of those rows: one line per row, each of four
// tab-separated fields that give the row's Nr, Name, Term and Result back once unescaped.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "Faults.h"
#include "JsonTokens.h"
#include "PlainText.h"
#include "Report.h"
#include "TableDocumentReader.h"
#include "TableEventReader.h"
#include "TableFile.h"
#include "TableLineReader.h"

namespace {

std::vector<std::string_view> fieldsOf(std::string_view line) {
  std::vector<std::string_view> fields;
  for (;;) {
    const std::size_t tab = line.find('\t');
    fields.push_back(line.substr(0, tab));
    if (tab == std::string_view::npos) {
      return fields;
    }
    line.remove_prefix(tab + 1);
  }
}

bool lineGivesRow(std::string_view line, const numora::Row& row) {
  const std::vector<std::string_view> fields = fieldsOf(line);
  return fields.size() == 4 && numora::calc::unescapedText(fields[0]) == row.nr &&
         numora::calc::unescapedText(fields[1]) == row.name &&
         numora::calc::unescapedText(fields[2]) == row.term &&
         numora::calc::unescapedText(fields[3]) == row.result;
}

void checkPlainOutput(const numora::RowTable& table, const std::vector<numora::Row>& rows) {
  const numora::calc::Report report{table, {}, {}};
  std::ostringstream out;
  std::ostringstream errors;
  numora::calc::writePlain(report, out, errors);
  const std::string text = out.str();
  std::size_t start = 0;
  for (const numora::Row& row : rows) {
    const std::size_t end = text.find('\n', start);
    if (end == std::string::npos ||
        !lineGivesRow(std::string_view(text).substr(start, end - start), row)) {
      std::abort();
    }
    start = end + 1;
  }
  if (start != text.size() || !errors.str().empty()) {
    std::abort();
  }
}

// The rows of a reading, or its fault's message.
struct Verdict {
  std::optional<std::vector<numora::Row>> rows;
  std::string fault;
  bool operator==(const Verdict&) const = default;
};

template <typename Reading>
Verdict verdictOf(Reading reading) {
  try {
    return {reading(), {}};
  } catch (const numora::Exception& fault) {
    return {std::nullopt, fault.message()};
  }
}

// Block sizes from one byte up to past the whole document, for the line-by-line reading.
std::vector<std::size_t> blockSizesFor(std::size_t size) {
  return {1, 2, 3, 7, 64, size / 3 + 1, size / 2 + 1, size, size + 1};
}

// The careful reading and every fast one agree on `document`, wherever the blocks end.
void checkReadingsAgree(std::string_view document) {
  const Verdict careful =
      verdictOf([&] { return numora::rowsReadEventByEvent(document, "fuzz.TBE", 0); });
  const bool blank = numora::isJsonWhiteSpace(document);
  for (const std::size_t blockSize : blockSizesFor(document.size())) {
    if (!blank && verdictOf([&] {
                    return numora::rowsOfTableDocument(document, "fuzz.TBE", blockSize);
                  }) != careful) {
      std::abort();
    }
    const std::optional<std::vector<numora::Row>> byLines = numora::rowsOfLineByLineDocument(
        numora::bytesOfDocument(document), document.size(), blockSize);
    if (byLines && byLines != careful.rows) {
      std::abort();
    }
  }
  const std::optional<std::vector<numora::Row>> whole =
      numora::rowsOfValidTableDocument(document, document.size(), 0);
  if (whole && whole != careful.rows) {
    std::abort();
  }
}

// A document as the program writes it is read line by line, in one go, wherever the blocks
// end, and gives the rows back.
void checkWrittenDocumentIsReadOnce(const std::vector<numora::Row>& rows) {
  numora::RowTable table;
  table.replaceAllRows(rows);
  const std::string document = numora::tableDocument(table);
  for (const std::size_t blockSize : blockSizesFor(document.size())) {
    if (numora::rowsOfLineByLineDocument(numora::bytesOfDocument(document), document.size(),
                                         blockSize) != rows) {
      std::abort();
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view document(reinterpret_cast<const char*>(data), size);
  checkReadingsAgree(document);
  std::vector<numora::Row> rows;
  try {
    rows = numora::rowsOfTableDocument(document, "fuzz.TBE");
  } catch (const numora::Exception& fault) {
    if (fault.message().rfind("Datei \"fuzz.TBE\" ist keine gültige Tabellendatei. ", 0) != 0) {
      std::abort();
    }
    return 0;
  }
  checkWrittenDocumentIsReadOnce(rows);
  numora::RowTable table;
  table.replaceAllRows(rows);
  checkPlainOutput(table, rows);
  return 0;
}

#include "TableFile.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <optional>
#include <utility>

#include "Faults.h"
#include "FileAccess.h"
#include "JsonTokens.h"
#include "RowCommands.h"
#include "TableDocumentReader.h"
#include "TableEventReader.h"
#include "TableFormat.h"
#include "TableLineReader.h"
#include "Utf8.h"

namespace numora {

namespace {

constexpr std::string_view ReplacementCharacter = "\xEF\xBF\xBD";

// Appends `text` as a JSON string.
void appendJsonString(std::string& out, std::string_view text) {
  static constexpr char Hex[] = "0123456789abcdef";
  out.push_back('"');
  std::size_t i = 0;
  while (i < text.size()) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    if (c >= 0x20 && c < 0x80 && c != '"' && c != '\\') {
      // A run of characters that need no escape goes in at once.
      std::size_t end = i + 1;
      while (end < text.size()) {
        const unsigned char next = static_cast<unsigned char>(text[end]);
        if (next < 0x20 || next >= 0x80 || next == '"' || next == '\\') {
          break;
        }
        ++end;
      }
      out.append(text.substr(i, end - i));
      i = end;
      continue;
    }
    switch (c) {
      case '"':
        out.append("\\\"");
        break;
      case '\\':
        out.append("\\\\");
        break;
      case '\n':
        out.append("\\n");
        break;
      case '\r':
        out.append("\\r");
        break;
      case '\t':
        out.append("\\t");
        break;
      default:
        if (c < 0x20) {
          out.append("\\u00");
          out.push_back(Hex[c >> 4]);
          out.push_back(Hex[c & 0xF]);
        } else if (const std::size_t length = utf8CharacterLength(text.substr(i)); length > 0) {
          out.append(text.substr(i, length));
          i += length;
          continue;
        } else {
          out.append(ReplacementCharacter);
        }
        break;
    }
    ++i;
  }
  out.push_back('"');
}

void appendRow(std::string& out, const Row& row) {
  for (std::size_t i = 0; i < RowKeys.size(); ++i) {
    out.append(RowValuePrefixes[i]);
    appendJsonString(out, row.*RowTexts[static_cast<std::size_t>(RowKeys[i].field)]);
  }
  out.push_back('}');
}

// Appends the document for `table` to `out`: the header, every row on its own line with a
// comma after all but the last, and the footer. After each row `rowAppended(out)` is called,
// so a caller can take what has gathered in `out` away before the document grows further.
template <typename RowAppended>
void appendTableDocument(const RowTable& table, std::string& out, RowAppended rowAppended) {
  out.append(TableHeader);
  const int rowCount = table.rowCount();
  for (int i = 0; i < rowCount; ++i) {
    appendRow(out, table.row(i));
    out.append(i + 1 < rowCount ? ",\n" : "\n");
    rowAppended(out);
  }
  out.append(TableFooter);
}

// The block in which to read a document of `size` bytes line by line: the whole of a small one.
std::size_t blockSizeFor(std::size_t size, std::size_t blockSize) {
  return std::min(size + 1, blockSize);
}

// The number of line breaks in `text`, found with memchr, which looks at many bytes at a time.
std::size_t lineBreaksIn(std::string_view text) {
  std::size_t count = 0;
  const char* at = text.data();
  const char* const end = text.data() + text.size();
  while ((at = static_cast<const char*>(
              std::memchr(at, '\n', static_cast<std::size_t>(end - at)))) != nullptr) {
    ++count;
    ++at;
  }
  return count;
}

// The rows to make room for in a whole document: one per line, as the program writes its
// tables, but never more than its bytes can hold.
std::size_t expectedRowCount(std::string_view document) {
  return std::min(lineBreaksIn(document), document.size() / SmallestRowLength + 1);
}

}  // namespace

std::string tableDocument(const RowTable& table) {
  std::string document;
  appendTableDocument(table, document, [](const std::string&) {});
  return document;
}

namespace {

// The rows of a whole document of which `readableBytes` bytes may be read from its start. A
// valid table is read at the speed of the JSON parser; any other document is read once more
// event by event, which finds what is wrong and where.
std::vector<Row> rowsOfReadableDocument(std::string_view document, std::size_t readableBytes,
                                        const std::string& fileName) {
  if (isJsonWhiteSpace(document)) {
    throw notATableFileFault(fileName, "Die Datei ist leer");
  }
  const std::size_t expectedRows = expectedRowCount(document);
  if (std::optional<std::vector<Row>> rows =
          rowsOfValidTableDocument(document, readableBytes, expectedRows)) {
    return std::move(*rows);
  }
  return rowsReadEventByEvent(document, fileName, expectedRows);
}

}  // namespace

// A document as the program writes it is read a block at a time; any other is read whole.
std::vector<Row> rowsOfTableDocument(std::string_view document, const std::string& fileName,
                                     std::size_t blockSize) {
  if (std::optional<std::vector<Row>> rows = rowsOfLineByLineDocument(
          bytesOfDocument(document), document.size(), blockSizeFor(document.size(), blockSize))) {
    return std::move(*rows);
  }
  return rowsOfReadableDocument(document, document.size(), fileName);
}

namespace {

void writeTableFile(const RowTable& table, const std::string& path) {
  AtomicFileWriter file(path);
  // Written in pieces, so that a large table never stands in memory twice.
  constexpr std::size_t PieceSize = 1 << 20;
  std::string piece;
  appendTableDocument(table, piece, [&](std::string& gathered) {
    if (gathered.size() >= PieceSize) {
      file.write(gathered);
      gathered.clear();
    }
  });
  file.write(piece);
  file.commit();
}

// A file as the program writes it is read a block at a time, so that it never stands in memory
// whole beside its rows; any other is read whole, with room for the parser after its end.
std::vector<Row> rowsOfTableFile(const std::string& path) {
  {
    RegularFileReader file(path);
    const NextDocumentBytes nextBytes = [&file](char* buffer, std::size_t size) {
      return file.read(buffer, size);
    };
    if (std::optional<std::vector<Row>> rows = rowsOfLineByLineDocument(
            nextBytes, file.size(), blockSizeFor(file.size(), TableBlockSize))) {
      return std::move(*rows);
    }
  }
  const std::string document = readWholeFile(path, TableDocumentPadding);
  return rowsOfReadableDocument(document, document.capacity(), path);
}

}  // namespace
void saveTable(const RowTable& table, const std::string& path) {
  try {
    writeTableFile(table, path);
  } catch (const std::bad_alloc&) {
    throw outOfMemorySavingFault(path);
  }
}

std::vector<Row> readTable(const std::string& path) {
  try {
    return rowsOfTableFile(path);
  } catch (const std::bad_alloc&) {
    throw outOfMemoryOpeningFault(path);
  }
}

int openTable(RowTable& table, const std::string& path) {
  return openTable(table, -1, readTable(path));
}

}  // namespace numora

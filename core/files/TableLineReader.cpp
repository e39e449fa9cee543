#include "TableLineReader.h"

#include <simdjson.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <string_view>
#include <utility>

#include "JsonTokens.h"
#include "TableFormat.h"
#include "TableRowsReader.h"

namespace numora {

namespace {

namespace ondemand = simdjson::ondemand;

// Where in the document the next line belongs.
enum class Place { Header, Rows, End };

// The end of the last line break in `text`, or 0.
std::size_t lengthOfWholeLines(const char* text, std::size_t size) {
  const void* lastBreak = ::memrchr(text, '\n', size);
  return lastBreak == nullptr ? 0 : static_cast<const char*>(lastBreak) - text + 1;
}

// Reads the lines of a document a block at a time. The block's bytes stand one byte into the
// buffer, so that the byte before a block's first row can become the "[" that makes its rows
// one JSON list; the buffer has room for the parser's padding after the block.
class LineByLineReader {
 public:
  LineByLineReader(std::size_t documentSize, std::size_t blockSize)
      : documentSize_(documentSize),
        blockCapacity_(std::max<std::size_t>(blockSize, 1)),
        buffer_(newBuffer(blockCapacity_)) {}

  bool read(const NextDocumentBytes& nextBytes) {
    for (;;) {
      if (filled_ == blockCapacity_) {
        growBlock();
      }
      const std::size_t wanted = blockCapacity_ - filled_;
      const std::size_t got = nextBytes(block() + filled_, wanted);
      filled_ += got;
      if (!mayStillBeginWithTheHeader()) {
        return false;
      }
      const bool atEnd = got < wanted;
      const std::size_t ready = lengthReadyToRead(atEnd);
      if (ready > 0 && !readLines(block(), ready)) {
        return false;
      }
      bytesRead_ += ready;
      std::memmove(block(), block() + ready, filled_ - ready);
      filled_ -= ready;
      if (atEnd) {
        return filled_ == 0 && place_ == Place::End;
      }
    }
  }

  std::vector<Row> takeRows() { return rows_.takeRows(); }

 private:
  // A buffer for a block of `size` bytes, the byte before it and the padding after it.
  static std::unique_ptr<char[]> newBuffer(std::size_t size) {
    return std::make_unique_for_overwrite<char[]>(1 + size + simdjson::SIMDJSON_PADDING);
  }

  // Doubles the block's room, for a line longer than a block, keeping what it holds.
  void growBlock() {
    std::unique_ptr<char[]> larger = newBuffer(2 * blockCapacity_);
    std::memcpy(larger.get() + 1, block(), filled_);
    buffer_ = std::move(larger);
    blockCapacity_ *= 2;
  }

  char* block() { return buffer_.get() + 1; }

  // How much of the block to read now: its whole lines, except that a last line that ends
  // neither with a row's comma nor as the closing line waits for the next block. It may be the
  // table's last row, which is read together with the closing line after it.
  std::size_t lengthReadyToRead(bool atEnd) {
    const std::size_t whole = lengthOfWholeLines(block(), filled_);
    if (atEnd || whole < 2 || block()[whole - 2] == ',') {
      return whole;
    }
    const std::size_t lastLine = lengthOfWholeLines(block(), whole - 1);
    if (std::string_view(block() + lastLine, whole - lastLine) == TableFooter) {
      return whole;
    }
    return lastLine;
  }

  // False as soon as the bytes read so far cannot begin with the header line, so that a
  // document of another layout is not read on in search of a line's end.
  bool mayStillBeginWithTheHeader() {
    if (place_ != Place::Header) {
      return true;
    }
    const std::size_t compared = std::min(filled_, TableHeader.size());
    return std::string_view(block(), compared) == TableHeader.substr(0, compared);
  }
  // How many bytes from `at` on may be read: those of the block and the padding after it.
  std::size_t readableFrom(const char* at) const {
    return static_cast<std::size_t>(buffer_.get() + 1 + blockCapacity_ +
                                    simdjson::SIMDJSON_PADDING - at);
  }

  // Whole lines of the document, the byte before them free to be overwritten.
  bool readLines(char* lines, std::size_t size) {
    if (place_ == Place::End) {
      return false;
    }
    if (place_ == Place::Header) {
      if (!std::string_view(lines, size).starts_with(TableHeader)) {
        return false;
      }
      place_ = Place::Rows;
      lines += TableHeader.size();
      size -= TableHeader.size();
    }
    const std::string_view text(lines, size);
    const bool footerFollows =
        text.ends_with(TableFooter) &&
        (size == TableFooter.size() || lines[size - TableFooter.size() - 1] == '\n');
    if (!readRowLines(lines, footerFollows ? size - TableFooter.size() : size, footerFollows)) {
      return false;
    }
    if (footerFollows) {
      place_ = Place::End;
    }
    return true;
  }

  // Lines of rows. Blank lines add no row, but cannot end a list that a comma left open. Other
  // lines add at least one row: before the closing line they end with the list's last row,
  // whose "]" follows; elsewhere with a row's comma, which becomes the "]" of their list.
  bool readRowLines(char* lines, std::size_t size, bool footerFollows) {
    if (isJsonWhiteSpace(std::string_view(lines, size))) {
      return !(footerFollows && commaLeftOpen_);
    }
    char* const open = lines - 1;
    *open = '[';
    std::size_t length = 0;
    if (footerFollows) {
      length = size + 2;  // up to the closing line's "]"
    } else {
      if (size < 2 || lines[size - 2] != ',') {
        return false;
      }
      lines[size - 2] = ']';
      length = size;
    }
    makeRoomForRowsIn(size);
    const std::size_t rowsBefore = rows_.rowCount();
    if (!readRowList(simdjson::padded_string_view(open, length, readableFrom(open))) ||
        rows_.rowCount() == rowsBefore) {
      return false;
    }
    commaLeftOpen_ = !footerFollows;
    return true;
  }

  bool readRowList(simdjson::padded_string_view list) {
    ondemand::document document;
    ondemand::array rows;
    const char* after = nullptr;
    return parser_.iterate(list).get(document) == simdjson::SUCCESS &&
           document.get_array().get(rows) == simdjson::SUCCESS && rows_.readRows(rows) &&
           document.current_location().get(after) == simdjson::OUT_OF_BOUNDS;
  }

  // Makes room for every row a text of `size` bytes can hold. When the room must grow, it grows
  // to the rows the whole document is expected to hold, judged by the rows per byte so far with
  // an eighth more, and at least by half, so that the rows move seldom.
  void makeRoomForRowsIn(std::size_t size) {
    const std::size_t rows = rows_.rowCount();
    const std::size_t most = rows + size / SmallestRowLength + 1;
    if (most <= rows_.room()) {
      return;
    }
    std::size_t expected = 0;
    if (rows > 0 && bytesRead_ > 0 && documentSize_ > bytesRead_) {
      const double rowsPerByte = static_cast<double>(rows) / static_cast<double>(bytesRead_);
      const double rowsLeft = static_cast<double>(documentSize_ - bytesRead_) * rowsPerByte;
      const std::size_t mostInDocument = documentSize_ / SmallestRowLength + 1;
      expected = std::min(rows + static_cast<std::size_t>(rowsLeft * 1.125), mostInDocument);
    }
    rows_.reserve(std::max({most, expected, rows_.room() + rows_.room() / 2}));
  }

  std::size_t documentSize_;
  std::size_t blockCapacity_;
  std::unique_ptr<char[]> buffer_;
  std::size_t filled_ = 0;
  std::size_t bytesRead_ = 0;  // the document's bytes before the block
  Place place_ = Place::Header;
  bool commaLeftOpen_ = false;  // the rows so far end with a comma: another row must follow
  ondemand::parser parser_;
  TableRowsReader rows_;
};

}  // namespace

NextDocumentBytes bytesOfDocument(std::string_view document) {
  return [left = document](char* buffer, std::size_t size) mutable {
    const std::string_view piece = left.substr(0, size);
    std::memcpy(buffer, piece.data(), piece.size());
    left.remove_prefix(piece.size());
    return piece.size();
  };
}

std::optional<std::vector<Row>> rowsOfLineByLineDocument(const NextDocumentBytes& nextBytes,
                                                         std::size_t documentSize,
                                                         std::size_t blockSize) {
  LineByLineReader reader(documentSize, blockSize);
  if (!reader.read(nextBytes)) {
    return std::nullopt;
  }
  return reader.takeRows();
}

}  // namespace numora

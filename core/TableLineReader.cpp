#include "TableLineReader.h"

#include <simdjson.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <string_view>
#include <utility>

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
  LineByLineReader(std::size_t expectedRows, std::size_t blockSize)
      : expectedRows_(expectedRows),
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
      const std::size_t whole = lengthOfWholeLines(block(), filled_);
      if (whole > 0 && !readLines(block(), whole)) {
        return false;
      }
      std::memmove(block(), block() + whole, filled_ - whole);
      filled_ -= whole;
      if (got < wanted) {
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
      rows_.reserve(expectedRows_);
      lines += TableHeader.size();
      size -= TableHeader.size();
    }
    const std::string_view text(lines, size);
    const bool footerFollows =
        text.ends_with(TableFooter) &&
        (size == TableFooter.size() || lines[size - TableFooter.size() - 1] == '\n');
    const std::size_t rowsSize = footerFollows ? size - TableFooter.size() : size;
    if (rowsSize > 0 && !readRowLines(lines, rowsSize, footerFollows)) {
      return false;
    }
    if (footerFollows) {
      // The rows so far must have ended without a comma: none, or the last one just read.
      if (rowsSize == 0 && moreRowsFollow_) {
        return false;
      }
      place_ = Place::End;
    }
    return true;
  }

  // Lines of rows. Before the closing line they end with the last row and the closing "]"
  // follows; elsewhere the last row ends with a comma, which becomes the list's "]".
  bool readRowLines(char* lines, std::size_t size, bool footerFollows) {
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
    moreRowsFollow_ = !footerFollows;
    return readRowList(simdjson::padded_string_view(open, length, readableFrom(open)));
  }

  bool readRowList(simdjson::padded_string_view list) {
    ondemand::document document;
    ondemand::array rows;
    const char* after = nullptr;
    return parser_.iterate(list).get(document) == simdjson::SUCCESS &&
           document.get_array().get(rows) == simdjson::SUCCESS && rows_.readRows(rows) &&
           document.current_location().get(after) == simdjson::OUT_OF_BOUNDS;
  }

  std::size_t expectedRows_;
  std::size_t blockCapacity_;
  std::unique_ptr<char[]> buffer_;
  std::size_t filled_ = 0;
  Place place_ = Place::Header;
  bool moreRowsFollow_ = false;
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
                                                         std::size_t expectedRows,
                                                         std::size_t blockSize) {
  LineByLineReader reader(expectedRows, blockSize);
  if (!reader.read(nextBytes)) {
    return std::nullopt;
  }
  return reader.takeRows();
}

}  // namespace numora

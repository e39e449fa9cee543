#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <utility>
#include <variant>
#include <vector>

namespace numora {

// The Result of a row that an evaluation read through `Erg`: the row position (counted from 1)
// and the stamp of the Result that stood there.
struct RowReading {
  std::int32_t position = 0;
  std::uint64_t stamp = 0;

  bool operator==(const RowReading&) const = default;
};

// How a row's Result came to be.
enum class ResultSource {
  None,         // the row has no Result
  File,         // the Result came with the row from outside the program: a file, mostly
  Calculation,  // a calculation wrote it while the program runs
};

// The Results of other rows that one evaluation read, by rising position, each once. Most
// terms read one row at most: that one is kept in place, more on the heap.
class RowReadings {
 public:
  RowReadings() = default;
  explicit RowReadings(std::span<const RowReading> readings);
  RowReadings(RowReadings&& other) noexcept
      : storage_(other.storage_), position_(other.position_), count_(other.count_) {
    other.count_ = 0;
  }
  RowReadings& operator=(RowReadings&& other) noexcept {
    if (this != &other) {
      release();
      storage_ = other.storage_;
      position_ = other.position_;
      count_ = std::exchange(other.count_, 0);
    }
    return *this;
  }
  RowReadings(const RowReadings&) = delete;
  RowReadings& operator=(const RowReadings&) = delete;
  ~RowReadings() { release(); }

  std::size_t size() const { return count_; }
  RowReading operator[](std::size_t at) const {
    return count_ == 1 ? RowReading{position_, storage_.stamp} : storage_.heap[at];
  }
  bool operator==(const RowReadings& other) const;
  RowReadings copy() const;
  // What they hold on the heap, in bytes.
  std::size_t bytes() const { return count_ > 1 ? count_ * sizeof(RowReading) : 0; }

 private:
  void release() {
    if (count_ > 1) {
      delete[] storage_.heap;
    }
    count_ = 0;
  }

  union Storage {
    std::uint64_t stamp;  // of the one reading
    RowReading* heap;     // of two and more
  };
  Storage storage_{0};
  std::int32_t position_ = 0;  // of the one reading
  std::uint32_t count_ = 0;
};

// Where the Result of one row comes from, kept beside the row and moved with it: enough to
// tell later whether calculating the row now would write the same Result, and if not, why.
// A million rows keep a million of these, so they are packed into 32 bytes.
struct ResultOrigin {
  // Names this Result text of this row: a new stamp for every new text, the old one kept when a
  // calculation writes the same text again. 0 for a row without a Result.
  std::uint64_t stamp = 0;
  RowReadings readings;
  // The calculation that wrote the Result, counted from 1 for each calculate command; 0 when
  // none did.
  std::uint32_t calculation = 0;
  std::uint8_t variablesRead = 0;  // bit 0 for x, 1 for y, 2 for z
  bool termEdited = false;         // the Term was edited after the Result was written

  ResultSource source() const {
    return stamp == 0         ? ResultSource::None
           : calculation == 0 ? ResultSource::File
                              : ResultSource::Calculation;
  }
  ResultOrigin copy() const;
};
static_assert(sizeof(ResultOrigin) == 32);

// Where the last calculate all stopped at a fault: the row (the mark moves with it), the number
// of that calculation, and the fault's message as the fault box shows it.
struct StopMark {
  int index = 0;
  std::uint32_t calculation = 0;
  std::string fault;
};

// The origins of all rows, in the table's row order, and the stop mark.
struct Origins {
  std::vector<ResultOrigin> rows;
  std::optional<StopMark> stop;
};

// The change of origins that goes with each kind of table step (TableSteps.h). As a table step
// does, each holds what it exchanges with the origins: the first exchange does the change, the
// next takes it back. `bytes` is what it holds besides itself.

// A row's origin in at `index` or held by the change: add row, delete row. The stop mark goes
// and comes with the row it marks; the marks of other rows follow their rows.
struct OriginInOrOut {
  int index = 0;
  ResultOrigin origin;
  bool held = false;
  std::optional<StopMark> stop;  // the mark of the held row

  void exchange(Origins& origins);
  std::size_t bytes() const;
};

// The origins of two rows exchanged: a move.
struct SwappedOrigins {
  int first = 0;
  int second = 0;

  void exchange(Origins& origins);
  std::size_t bytes() const { return 0; }
};

// Every origin and the stop mark at once: new table, open, calculate all. The rows in `kept`
// (calculate all did not write them) keep their origins: each exchange moves them over.
struct AllOrigins {
  Origins held;
  std::vector<int> kept;

  void exchange(Origins& origins);
  std::size_t bytes() const;
};

struct IndexedOrigin {
  int index = 0;
  ResultOrigin origin;
};

// The origins of some rows, by rising index, and with `withStop` the stop mark: an edited Term,
// the Results a calculation wrote.
struct ChangedOrigins {
  std::vector<IndexedOrigin> rows;
  bool withStop = false;
  std::optional<StopMark> stop;

  void exchange(Origins& origins);
  std::size_t bytes() const;
};

// std::monostate for a step that changes no origin: an edited Name.
using OriginChange =
    std::variant<std::monostate, OriginInOrOut, SwappedOrigins, AllOrigins, ChangedOrigins>;

void exchange(OriginChange& change, Origins& origins);
std::size_t bytesHeld(const OriginChange& change);

}  // namespace numora

#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "Calculation.h"
#include "ResultOrigins.h"
#include "RowTable.h"
#include "TableSteps.h"

namespace numora {

// Whether a row's Result is current: what calculating the row now would write.
struct ResultStatus {
  // Also true for a row without a Result: there is nothing to show as out of date.
  bool current = true;
  // Why the Result is not current; empty when it is, or when the row has no Result.
  std::string reason;
};

// Where the last calculate all stopped: the row it stopped at, as it stands now, and the
// fault's message as the fault box shows it (a long quoted text cut short), without the box's
// final period.
struct StoppedCalculation {
  int index = 0;
  std::string fault;
};

// Knows, for every row, where its Result comes from, and so whether it is current. A Result is
// current when a calculation wrote it while the program runs and since then neither its Term,
// nor a variable that the evaluation read, nor a row it read through `Erg` has changed: the
// Result of that row, which row stands at that position, or whether that row is current. A
// Result that came from a file is not current, nor one that a calculate all stopped at a fault
// did not reach: the row it stopped at and the rows below it, as long as their Results are
// older than that calculation.
//
// The history (TableHistory) keeps the tracker in step with the table: each step of the table
// comes with its change of origins, and a calculation is heard through a Recording. Nothing is
// worked out when something changes; a row's status is worked out when it is asked for, and
// kept until the next change of the table or of the variable fields.
class ResultTracker {
 public:
  class Recording;

  // Takes the rows the table holds as from outside the program.
  explicit ResultTracker(const RowTable& table);

  // Rows put into the table without the history (a table opened at the start) are taken as
  // from outside the program: when the table has another number of rows than the tracker
  // knows, every row is.
  void follow(const RowTable& table);
  // The change of origins that goes with `step`, worked out before the step is done.
  OriginChange changeFor(const TableStep& step);
  // Does or takes back a change, as the table step it goes with.
  void exchange(OriginChange& change);
  // Takes the memory of a change that the history drops, for the next calculate all.
  void recycle(OriginChange& change);

  // The status of the Result of the row at `index`, with `fieldsNow` the texts that the fields
  // x, y and z hold now.
  ResultStatus statusOf(const RowTable& table, int index, const CalculationInputs& fieldsNow) const;
  std::optional<StoppedCalculation> stopped() const;
  // The stamp that names the Result text of the row at `index`: a new one for each new text,
  // which moves with its row; 0 for a row without a Result or one the tracker does not know.
  // Whether the Term of the row at `index` was edited after its Result was written.
  bool termEditedSince(int index) const {
    return index >= 0 && static_cast<std::size_t>(index) < origins_.rows.size() &&
           origins_.rows[static_cast<std::size_t>(index)].termEdited;
  }
  std::uint64_t stampOf(int index) const {
    return index >= 0 && static_cast<std::size_t>(index) < origins_.rows.size()
               ? origins_.rows[static_cast<std::size_t>(index)].stamp
               : 0;
  }

 private:
  using Variables = std::array<std::int32_t, 3>;
  // What makes a row's Result not current by itself, before the rows it read are looked at.
  enum class OwnFault { None, NotReached, FromFile, TermEdited, Variable };
  struct OwnCheck {
    OwnFault fault = OwnFault::None;
    // For OwnFault::Variable: which one (0 for x, 1 for y, 2 for z) and the value it had.
    int variable = 0;
    std::int32_t used = 0;
  };

  void takeRowsFromOutside(const RowTable& table);
  ResultOrigin originFromOutside(const std::string& result);
  std::uint32_t startCalculation();
  bool notReached(int index, const ResultOrigin& origin) const;
  void changed() { forget(); }

  // Status, worked out on demand (ResultStatus.cpp).
  void forget() const;
  void useFields(const CalculationInputs& fieldsNow) const;
  OwnCheck ownCheck(int index) const;
  std::string reasonFor(const OwnCheck& check) const;
  bool holds(const RowReading& reading) const;
  bool locallyCurrent(const RowTable& table, int index) const;
  std::size_t readingCount(const RowTable& table, int index) const;
  bool isCurrent(const RowTable& table, int index) const;
  std::uint32_t checkedWord(std::uint32_t state) const;

  Origins origins_;
  std::uint64_t lastStamp_ = 0;
  // The x, y and z of every calculation, by its number minus one.
  std::vector<Variables> calculations_;
  // The origins of all rows that a dropped step held: a calculate all on a table of a million
  // rows builds its new origins in their room, each in place of an old one, instead of in new
  // memory.
  std::vector<ResultOrigin> spare_;

  // The fields' texts and values as last asked with, and each row's status as worked out since
  // the last change: `generation_` counts the changes, and a row's word holds the generation
  // it was worked out in, so one increment forgets them all.
  mutable std::array<std::string, 3> fieldTexts_;
  mutable std::array<std::optional<std::int32_t>, 3> fieldValues_;
  mutable std::vector<std::uint32_t> checked_;
  mutable std::uint32_t generation_ = 1;
};

}  // namespace numora

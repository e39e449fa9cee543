// The status of a row's Result, worked out when it is asked for: first what the row's own
// origin says, then, along the rows it read, whether each of them still holds the Result it
// read and is current itself.

#include <algorithm>
#include <string_view>

#include "Faults.h"
#include "ResultTracker.h"
#include "WholeNumber.h"

namespace numora {

namespace {

constexpr std::array<std::string_view, 3> VariableNames = {"x", "y", "z"};

// A row's word in the status cache: 0 while unknown; the generation it was worked out in and
// Current or Stale; or, while the walk below has the row open, its order of entry and Open.
constexpr std::uint32_t Current = 1;
constexpr std::uint32_t Stale = 2;
constexpr std::uint32_t Open = 3;
constexpr std::uint32_t StateBits = 2;
constexpr std::uint32_t StateMask = (1U << StateBits) - 1;
constexpr std::uint32_t GenerationLimit = 1U << (32 - StateBits);

}  // namespace

void ResultTracker::forget() const {
  if (++generation_ == GenerationLimit) {
    generation_ = 1;
    std::fill(checked_.begin(), checked_.end(), 0);
  }
}

std::uint32_t ResultTracker::checkedWord(std::uint32_t state) const {
  return generation_ << StateBits | state;
}

// The texts of x, y and z as they are now; a change of them forgets every status worked out.
void ResultTracker::useFields(const CalculationInputs& fieldsNow) const {
  const std::array<const std::string*, 3> texts = {&fieldsNow.x, &fieldsNow.y, &fieldsNow.z};
  for (std::size_t variable = 0; variable < texts.size(); ++variable) {
    if (fieldTexts_[variable] != *texts[variable]) {
      fieldTexts_[variable] = *texts[variable];
      fieldValues_[variable] = wholeNumberIn(fieldTexts_[variable]);
      forget();
    }
  }
}

// The first of these that holds for a row with a Result: a stopped calculate all did not reach
// it, it came from outside, its Term was edited, a variable it read has another value now.
ResultTracker::OwnCheck ResultTracker::ownCheck(int index) const {
  const ResultOrigin& origin = origins_.rows[static_cast<std::size_t>(index)];
  if (notReached(index, origin)) {
    return {OwnFault::NotReached};
  }
  if (origin.source() != ResultSource::Calculation) {
    return {OwnFault::FromFile};
  }
  if (origin.termEdited) {
    return {OwnFault::TermEdited};
  }
  const Variables& used = calculations_[origin.calculation - 1];
  for (std::size_t variable = 0; variable < used.size(); ++variable) {
    if ((origin.variablesRead >> variable & 1U) != 0 && fieldValues_[variable] != used[variable]) {
      return {OwnFault::Variable, static_cast<int>(variable), used[variable]};
    }
  }
  return {};
}

std::string ResultTracker::reasonFor(const OwnCheck& check) const {
  switch (check.fault) {
    case OwnFault::NotReached:
      return notReachedReason(origins_.stop->index + 1);
    case OwnFault::FromFile:
      return readFromFileReason();
    case OwnFault::TermEdited:
      return termChangedReason();
    case OwnFault::Variable: {
      const auto variable = static_cast<std::size_t>(check.variable);
      const std::optional<std::int32_t>& now = fieldValues_[variable];
      return variableChangedReason(VariableNames[variable], wholeNumberText(check.used),
                                   now ? wholeNumberText(*now) : fieldTexts_[variable]);
    }
    case OwnFault::None:
      break;
  }
  return {};
}

// Whether the position a row read still holds the Result it read there.
bool ResultTracker::holds(const RowReading& reading) const {
  const auto index = static_cast<std::size_t>(reading.position - 1);
  return index < origins_.rows.size() && origins_.rows[index].stamp == reading.stamp;
}

// The rows that the row's Result was calculated from; none for a row without a Result.
std::size_t ResultTracker::readingCount(const RowTable& table, int index) const {
  return table.row(index).result.empty()
             ? 0
             : origins_.rows[static_cast<std::size_t>(index)].readings.size();
}

// A row without a Result is current: it has nothing that could be out of date.
bool ResultTracker::locallyCurrent(const RowTable& table, int index) const {
  if (table.row(index).result.empty()) {
    return true;
  }
  if (ownCheck(index).fault != OwnFault::None) {
    return false;
  }
  const RowReadings& read = origins_.rows[static_cast<std::size_t>(index)].readings;
  for (std::size_t at = 0; at < read.size(); ++at) {
    if (!holds(read[at])) {
      return false;
    }
  }
  return true;
}

// Whether the row's Result is current with everything it read, worked out by one walk along
// the rows read, depth first, without recursion (a table may chain a million rows). A row is
// current when no row it reaches, itself included, is out of date on its own; rows that read
// each other in a circle are settled together when the walk leaves the first of them (their
// order of entry and the lowest order they reach, as in Tarjan's components). The first row
// found out of date ends the walk: every row still open reaches it.
bool ResultTracker::isCurrent(const RowTable& table, int index) const {
  const std::uint32_t known = checked_[static_cast<std::size_t>(index)];
  if ((known & StateMask) != Open && known >> StateBits == generation_) {
    return (known & StateMask) == Current;
  }
  struct Frame {
    int row;
    std::size_t next;  // the next of its readings to follow
    std::uint32_t order;
    std::uint32_t lowest;
    std::size_t openAt;  // its place in `open`
  };
  std::vector<Frame> path;
  // The rows entered and not yet settled; forgotten if the walk is left by a fault.
  struct OpenRows {
    std::vector<std::uint32_t>& checked;
    std::vector<int> rows;
    ~OpenRows() {
      for (const int row : rows) {
        checked[static_cast<std::size_t>(row)] = 0;
      }
    }
  } open{checked_, {}};
  const auto settleFrom = [&](std::size_t from, std::uint32_t state) {
    for (std::size_t at = from; at < open.rows.size(); ++at) {
      checked_[static_cast<std::size_t>(open.rows[at])] = checkedWord(state);
    }
    open.rows.resize(from);
  };
  std::uint32_t entered = 0;
  const auto enter = [&](int row) {
    if (!locallyCurrent(table, row)) {
      checked_[static_cast<std::size_t>(row)] = checkedWord(Stale);
      settleFrom(0, Stale);
      return false;
    }
    checked_[static_cast<std::size_t>(row)] = entered << StateBits | Open;
    path.push_back({row, 0, entered, entered, open.rows.size()});
    open.rows.push_back(row);
    ++entered;
    return true;
  };
  if (!enter(index)) {
    return false;
  }
  while (!path.empty()) {
    Frame& frame = path.back();
    if (frame.next < readingCount(table, frame.row)) {
      const auto& read = origins_.rows[static_cast<std::size_t>(frame.row)].readings;
      const int target = read[frame.next++].position - 1;
      const std::uint32_t word = checked_[static_cast<std::size_t>(target)];
      if ((word & StateMask) == Open) {
        frame.lowest = std::min(frame.lowest, word >> StateBits);
      } else if (word >> StateBits == generation_ && (word & StateMask) == Stale) {
        settleFrom(0, Stale);
        return false;
      } else if (word >> StateBits != generation_ && !enter(target)) {
        return false;
      }
      continue;
    }
    const Frame done = path.back();
    path.pop_back();
    if (done.lowest == done.order) {
      settleFrom(done.openAt, Current);
    }
    if (!path.empty()) {
      path.back().lowest = std::min(path.back().lowest, done.lowest);
    }
  }
  return true;
}

ResultStatus ResultTracker::statusOf(const RowTable& table, int index,
                                     const CalculationInputs& fieldsNow) const {
  if (!table.isRowIndex(index) || table.row(index).result.empty()) {
    return {};
  }
  if (origins_.rows.size() != static_cast<std::size_t>(table.rowCount())) {
    return {false, readFromFileReason()};
  }
  useFields(fieldsNow);
  checked_.resize(origins_.rows.size());
  const OwnCheck check = ownCheck(index);
  if (check.fault != OwnFault::None) {
    return {false, reasonFor(check)};
  }
  const RowReadings& read = origins_.rows[static_cast<std::size_t>(index)].readings;
  for (std::size_t at = 0; at < read.size(); ++at) {
    const RowReading reading = read[at];
    if (!holds(reading) || !isCurrent(table, reading.position - 1)) {
      return {false, rowChangedReason(reading.position)};
    }
  }
  return {};
}

}  // namespace numora

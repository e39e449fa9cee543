#include "ResultRecording.h"

#include <algorithm>
#include <utility>

#include "WholeNumber.h"

namespace numora {

ResultTracker::Recording::Recording(ResultTracker& tracker, const RowTable& table,
                                    const CalculationInputs& inputs,
                                    const std::vector<IndexedText>& replaced, bool all)
    : PassingListener(inputs.listener),
      tracker_(tracker),
      table_(table),
      replaced_(replaced),
      calculation_(tracker.startCalculation()),
      all_(all) {
  // x, y and z as the calculation reads them before it evaluates the first row; when a field
  // holds no whole number, no row is evaluated and the values are never looked at.
  const auto value = [](const std::string& text) { return wholeNumberIn(text).value_or(0); };
  tracker.calculations_[calculation_ - 1] = {value(inputs.x), value(inputs.y), value(inputs.z)};
  if (all) {
    const auto rows = static_cast<std::size_t>(table.rowCount());
    passed_ = std::exchange(tracker.spare_, {});
    if (passed_.size() > rows) {
      passed_.resize(rows);
    }
    passed_.reserve(rows);
  }
}

void ResultTracker::Recording::variableRead(int variable) {
  variablesRead_ |= static_cast<std::uint8_t>(1U << variable);
  PassingListener::variableRead(variable);
}

void ResultTracker::Recording::rowRead(int position) {
  readings_.push_back({position, stampAt(position - 1)});
  PassingListener::rowRead(position);
}

void ResultTracker::Recording::rowStarted(int index) {
  variablesRead_ = 0;
  readings_.clear();
  PassingListener::rowStarted(index);
}

void ResultTracker::Recording::resultWritten(int index) {
  ResultOrigin& before = tracker_.origins_.rows[static_cast<std::size_t>(index)];
  ResultOrigin origin = originOfRow(index, before);
  changedStatus_ = changedStatus_ || !sameStatus(index, before, origin);
  if (all_) {
    if (passedCount_ < static_cast<std::size_t>(index)) {
      passRowsUpTo(index);
    }
    pass(std::move(origin));
  } else {
    replacedOrigin_.rows.push_back({index, std::exchange(before, std::move(origin))});
    std::optional<StopMark>& stop = tracker_.origins_.stop;
    if (stop && stop->index == index) {
      replacedOrigin_.withStop = true;
      replacedOrigin_.stop = std::exchange(stop, std::nullopt);
      changedStatus_ = true;
    }
  }
  PassingListener::resultWritten(index);
}

// The stamp of the row's Result as it stands in this calculation: new for the rows calculate
// all has passed.
std::uint64_t ResultTracker::Recording::stampAt(int index) const {
  const auto at = static_cast<std::size_t>(index);
  return at < passedCount_ ? passed_[at].stamp : tracker_.origins_.rows[at].stamp;
}

// Calculate all moves the origins of the rows it passed without writing them (an empty Term)
// over as they are.
void ResultTracker::Recording::passRowsUpTo(int index) {
  while (passedCount_ < static_cast<std::size_t>(index)) {
    kept_.push_back(static_cast<int>(passedCount_));
    pass(std::move(tracker_.origins_.rows[passedCount_]));
  }
}

// The origin of the next row that calculate all passed, in place of an old one where the room
// holds one.
void ResultTracker::Recording::pass(ResultOrigin origin) {
  if (passedCount_ < passed_.size()) {
    passed_[passedCount_] = std::move(origin);
  } else {
    passed_.push_back(std::move(origin));
  }
  ++passedCount_;
}

// The origin of the Result just written into the row at `index`: a text the row held already
// keeps its stamp, so that rows that read it stay current.
ResultOrigin ResultTracker::Recording::originOfRow(int index, const ResultOrigin& before) {
  const bool sameText = !replaced_.empty() && replaced_.back().index == index &&
                        replaced_.back().text == table_.row(index).result;
  ResultOrigin origin;
  origin.stamp = sameText && before.stamp != 0 ? before.stamp : ++tracker_.lastStamp_;
  origin.calculation = calculation_;
  origin.variablesRead = variablesRead_;
  if (readings_.size() > 1) {
    std::sort(readings_.begin(), readings_.end(),
              [](const RowReading& a, const RowReading& b) { return a.position < b.position; });
    readings_.erase(std::unique(readings_.begin(), readings_.end()), readings_.end());
  }
  if (!readings_.empty()) {
    origin.readings = RowReadings(readings_);
  }
  return origin;
}

// Whether a row's Result, written again, has the status it had: the same text, calculated
// with the same values of the variables it reads from the same rows, and not left behind by
// a stopped calculation before.
bool ResultTracker::Recording::sameStatus(int index, const ResultOrigin& before,
                                          const ResultOrigin& after) const {
  if (before.stamp != after.stamp || before.source() != after.source() || before.termEdited ||
      before.variablesRead != after.variablesRead || tracker_.notReached(index, before) ||
      before.readings != after.readings) {
    return false;
  }
  const Variables& used = tracker_.calculations_[before.calculation - 1];
  const Variables& now = tracker_.calculations_[after.calculation - 1];
  for (std::size_t variable = 0; variable < used.size(); ++variable) {
    if ((before.variablesRead >> variable & 1U) != 0 && used[variable] != now[variable]) {
      return false;
    }
  }
  return true;
}

// Calculate all puts its new origins in place of the old ones at once, and the new stop mark
// (none when it reached every row) in place of the old one.
OriginChange ResultTracker::Recording::endOfAll(std::optional<StopMark> stop) {
  passRowsUpTo(table_.rowCount());
  changedStatus_ = changedStatus_ || stop || tracker_.origins_.stop;
  AllOrigins change;
  change.held.rows = std::exchange(tracker_.origins_.rows, std::move(passed_));
  change.held.stop = std::exchange(tracker_.origins_.stop, std::move(stop));
  change.kept = std::move(kept_);
  tracker_.changed();
  return change;
}

// Calculate row took away the stop mark already if it calculated the marked row.
OriginChange ResultTracker::Recording::finished() {
  tracker_.changed();
  return all_ ? endOfAll(std::nullopt) : OriginChange(std::move(replacedOrigin_));
}

// Calculate all that stops marks the row it stopped at, in place of any earlier mark;
// calculate row that stops leaves the mark as it was.
OriginChange ResultTracker::Recording::stopped(int index, std::string fault) {
  tracker_.changed();
  return all_ ? endOfAll(StopMark{index, calculation_, std::move(fault)})
              : OriginChange(std::move(replacedOrigin_));
}

}  // namespace numora

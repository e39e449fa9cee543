#include "ResultTracker.h"

#include <algorithm>
#include <utility>

#include "WholeNumber.h"

namespace numora {

ResultTracker::ResultTracker(const RowTable& table) { takeRowsFromOutside(table); }

void ResultTracker::follow(const RowTable& table) {
  if (origins_.rows.size() != static_cast<std::size_t>(table.rowCount())) {
    takeRowsFromOutside(table);
  }
}

void ResultTracker::takeRowsFromOutside(const RowTable& table) {
  origins_.rows.clear();
  origins_.rows.reserve(static_cast<std::size_t>(table.rowCount()));
  for (int index = 0; index < table.rowCount(); ++index) {
    origins_.rows.push_back(originFromOutside(table.row(index).result));
  }
  origins_.stop.reset();
  changed();
}

ResultOrigin ResultTracker::originFromOutside(const std::string& result) {
  ResultOrigin origin;
  if (!result.empty()) {
    origin.stamp = ++lastStamp_;
    origin.source = ResultSource::File;
  }
  return origin;
}

OriginChange ResultTracker::changeFor(const TableStep& step) {
  if (const auto* inOrOut = std::get_if<RowInOrOut>(&step)) {
    OriginInOrOut change{inOrOut->index, {}, inOrOut->held, std::nullopt};
    if (inOrOut->held) {
      change.origin = originFromOutside(inOrOut->row.result);
    }
    return change;
  }
  if (const auto* swapped = std::get_if<SwappedRows>(&step)) {
    return SwappedOrigins{swapped->first, swapped->second};
  }
  if (const auto* all = std::get_if<AllRows>(&step)) {
    AllOrigins change;
    change.held.rows.reserve(all->rows.size());
    for (const Row& row : all->rows) {
      change.held.rows.push_back(originFromOutside(row.result));
    }
    return change;
  }
  const FieldTexts& edit = std::get<FieldTexts>(step);
  if (edit.field != RowField::Term && edit.field != RowField::Result) {
    return std::monostate{};
  }
  // A Term edited keeps the row's Result and its origin, marked as written for another Term;
  // a Result given from outside a calculation counts as from outside the program.
  ChangedOrigins change;
  for (const IndexedText& text : edit.texts) {
    const auto index = static_cast<std::size_t>(text.index);
    ResultOrigin origin =
        edit.field == RowField::Term ? origins_.rows[index].copy() : originFromOutside(text.text);
    origin.termEdited = edit.field == RowField::Term;
    change.rows.push_back({text.index, std::move(origin)});
  }
  return change;
}

void ResultTracker::exchange(OriginChange& change) {
  numora::exchange(change, origins_);
  changed();
}

std::optional<StoppedCalculation> ResultTracker::stopped() const {
  if (!origins_.stop) {
    return std::nullopt;
  }
  return StoppedCalculation{origins_.stop->index, origins_.stop->fault};
}

std::uint32_t ResultTracker::startCalculation() {
  calculations_.push_back({});
  return static_cast<std::uint32_t>(calculations_.size());
}

bool ResultTracker::notReached(int index, const ResultOrigin& origin) const {
  return origins_.stop && index >= origins_.stop->index &&
         origin.calculation < origins_.stop->calculation;
}

ResultTracker::Recording::Recording(ResultTracker& tracker, const RowTable& table,
                                    const CalculationInputs& inputs,
                                    const std::vector<IndexedText>& replaced)
    : tracker_(tracker),
      table_(table),
      inputs_(inputs),
      replaced_(replaced),
      calculation_(tracker.startCalculation()) {}

void ResultTracker::Recording::variableRead(int variable) {
  variablesRead_ |= static_cast<std::uint8_t>(1U << variable);
  if (inputs_.listener != nullptr) {
    inputs_.listener->variableRead(variable);
  }
}

void ResultTracker::Recording::rowRead(int position) {
  readings_.push_back(
      {position, tracker_.origins_.rows[static_cast<std::size_t>(position - 1)].stamp});
  if (inputs_.listener != nullptr) {
    inputs_.listener->rowRead(position);
  }
}

void ResultTracker::Recording::noted(const ReadingNote& note) {
  if (inputs_.listener != nullptr) {
    inputs_.listener->noted(note);
  }
}

// The fields were read as whole numbers before the first row is evaluated; they stay as they
// are for the whole calculation.
void ResultTracker::Recording::rowStarted(int index) {
  if (!variablesKnown_) {
    const auto value = [](const std::string& text) { return wholeNumberIn(text).value_or(0); };
    tracker_.calculations_[calculation_ - 1] = {value(inputs_.x), value(inputs_.y),
                                                value(inputs_.z)};
    variablesKnown_ = true;
  }
  variablesRead_ = 0;
  readings_.clear();
  if (inputs_.listener != nullptr) {
    inputs_.listener->rowStarted(index);
  }
}

void ResultTracker::Recording::resultWritten(int index) {
  ResultOrigin origin = originOfRow(index);
  ResultOrigin& kept = tracker_.origins_.rows[static_cast<std::size_t>(index)];
  changedStatus_ = changedStatus_ || !sameStatus(index, kept, origin);
  std::swap(kept, origin);
  ended_.rows.push_back({index, std::move(origin)});
  tracker_.changed();
  if (tracker_.origins_.stop && tracker_.origins_.stop->index == index) {
    replaceStop(std::nullopt);
  }
  if (inputs_.listener != nullptr) {
    inputs_.listener->resultWritten(index);
  }
}

// The origin of the Result just written into the row at `index`: a text the row held already
// keeps its stamp, so that rows that read it stay current.
ResultOrigin ResultTracker::Recording::originOfRow(int index) {
  const ResultOrigin& before = tracker_.origins_.rows[static_cast<std::size_t>(index)];
  const bool sameText = !replaced_.empty() && replaced_.back().index == index &&
                        replaced_.back().text == table_.row(index).result;
  ResultOrigin origin;
  origin.stamp = sameText && before.stamp != 0 ? before.stamp : ++tracker_.lastStamp_;
  origin.calculation = calculation_;
  origin.source = ResultSource::Calculation;
  origin.variablesRead = variablesRead_;
  std::sort(readings_.begin(), readings_.end(),
            [](const RowReading& a, const RowReading& b) { return a.position < b.position; });
  readings_.erase(std::unique(readings_.begin(), readings_.end()), readings_.end());
  if (!readings_.empty()) {
    origin.readingCount = static_cast<std::uint32_t>(readings_.size());
    origin.readings = std::make_unique<RowReading[]>(readings_.size());
    std::copy(readings_.begin(), readings_.end(), origin.readings.get());
  }
  return origin;
}

// Whether a row's Result, written again, has the status it had: the same text, calculated
// with the same values of the variables it reads from the same rows, and not left behind by
// a stopped calculation before.
bool ResultTracker::Recording::sameStatus(int index, const ResultOrigin& before,
                                          const ResultOrigin& after) const {
  if (before.stamp != after.stamp || before.source != after.source || before.termEdited ||
      before.variablesRead != after.variablesRead || tracker_.notReached(index, before) ||
      !std::ranges::equal(before.rowsRead(), after.rowsRead())) {
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

void ResultTracker::Recording::replaceStop(std::optional<StopMark> stop) {
  stopChanged_ = true;
  if (!ended_.withStop) {
    ended_.withStop = true;
    ended_.stop = std::move(tracker_.origins_.stop);
  }
  tracker_.origins_.stop = std::move(stop);
  tracker_.changed();
}

// Calculate all that ends without a fault has reached every row: the mark of an earlier stop
// goes. Calculate row took it away already if it calculated the marked row.
ChangedOrigins ResultTracker::Recording::finished(bool all) {
  if (all && tracker_.origins_.stop) {
    replaceStop(std::nullopt);
  }
  return std::move(ended_);
}

// Calculate all that stops marks the row it stopped at, in place of any earlier mark; calculate
// row that stops leaves the mark as it was.
ChangedOrigins ResultTracker::Recording::stopped(bool all, int index, std::string fault) {
  if (all) {
    replaceStop(StopMark{index, calculation_, std::move(fault)});
  }
  return std::move(ended_);
}

}  // namespace numora

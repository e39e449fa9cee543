#include "ResultTracker.h"

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

void ResultTracker::recycle(OriginChange& change) {
  if (auto* all = std::get_if<AllOrigins>(&change);
      all != nullptr && all->held.rows.capacity() > spare_.capacity()) {
    spare_ = std::move(all->held.rows);
  }
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

}  // namespace numora

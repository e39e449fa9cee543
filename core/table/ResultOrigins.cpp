#include "ResultOrigins.h"

#include <algorithm>
#include <utility>

namespace numora {

namespace {

std::size_t bytesOf(const std::optional<StopMark>& stop) {
  return stop ? stop->fault.capacity() : 0;
}

}  // namespace

RowReadings::RowReadings(std::span<const RowReading> readings)
    : count_(static_cast<std::uint32_t>(readings.size())) {
  if (count_ == 1) {
    storage_.stamp = readings.front().stamp;
    position_ = readings.front().position;
  } else if (count_ > 1) {
    storage_.heap = new RowReading[count_];
    std::copy(readings.begin(), readings.end(), storage_.heap);
  }
}

bool RowReadings::operator==(const RowReadings& other) const {
  if (count_ != other.count_) {
    return false;
  }
  for (std::size_t at = 0; at < count_; ++at) {
    if ((*this)[at] != other[at]) {
      return false;
    }
  }
  return true;
}

RowReadings RowReadings::copy() const {
  if (count_ > 1) {
    return RowReadings(std::span<const RowReading>(storage_.heap, count_));
  }
  RowReadings made;
  made.storage_ = storage_;
  made.position_ = position_;
  made.count_ = count_;
  return made;
}

ResultOrigin ResultOrigin::copy() const {
  return {stamp, readings.copy(), calculation, variablesRead, termEdited};
}

void OriginInOrOut::exchange(Origins& origins) {
  std::optional<StopMark>& mark = origins.stop;
  if (held) {
    origins.rows.insert(origins.rows.begin() + index, std::move(origin));
    if (mark && mark->index >= index) {
      ++mark->index;
    }
    if (stop) {
      mark = std::move(stop);
      stop.reset();
    }
  } else {
    origin = std::move(origins.rows[static_cast<std::size_t>(index)]);
    origins.rows.erase(origins.rows.begin() + index);
    if (mark && mark->index == index) {
      stop = std::move(mark);
      mark.reset();
    } else if (mark && mark->index > index) {
      --mark->index;
    }
  }
  held = !held;
}

std::size_t OriginInOrOut::bytes() const { return origin.readings.bytes() + bytesOf(stop); }

void SwappedOrigins::exchange(Origins& origins) {
  std::swap(origins.rows[static_cast<std::size_t>(first)],
            origins.rows[static_cast<std::size_t>(second)]);
  if (origins.stop && origins.stop->index == first) {
    origins.stop->index = second;
  } else if (origins.stop && origins.stop->index == second) {
    origins.stop->index = first;
  }
}

void AllOrigins::exchange(Origins& origins) {
  std::swap(held, origins);
  for (const int index : kept) {
    std::swap(origins.rows[static_cast<std::size_t>(index)],
              held.rows[static_cast<std::size_t>(index)]);
  }
}

std::size_t AllOrigins::bytes() const {
  std::size_t bytes = held.rows.capacity() * sizeof(ResultOrigin) + kept.capacity() * sizeof(int) +
                      bytesOf(held.stop);
  for (const ResultOrigin& origin : held.rows) {
    bytes += origin.readings.bytes();
  }
  return bytes;
}

void ChangedOrigins::exchange(Origins& origins) {
  for (IndexedOrigin& row : rows) {
    std::swap(origins.rows[static_cast<std::size_t>(row.index)], row.origin);
  }
  if (withStop) {
    std::swap(origins.stop, stop);
  }
}

std::size_t ChangedOrigins::bytes() const {
  std::size_t bytes = rows.capacity() * sizeof(IndexedOrigin) + bytesOf(stop);
  for (const IndexedOrigin& row : rows) {
    bytes += row.origin.readings.bytes();
  }
  return bytes;
}

void exchange(OriginChange& change, Origins& origins) {
  std::visit(
      [&](auto& kind) {
        if constexpr (!std::is_same_v<std::decay_t<decltype(kind)>, std::monostate>) {
          kind.exchange(origins);
        }
      },
      change);
}

std::size_t bytesHeld(const OriginChange& change) {
  return std::visit(
      [](const auto& kind) -> std::size_t {
        if constexpr (std::is_same_v<std::decay_t<decltype(kind)>, std::monostate>) {
          return 0;
        } else {
          return kind.bytes();
        }
      },
      change);
}

}  // namespace numora

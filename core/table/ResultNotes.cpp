#include "ResultNotes.h"

#include <unordered_set>

namespace numora {

void ResultNotes::Hearing::noted(const ReadingNote& note) {
  byRow_.noted(note);
  PassingListener::noted(note);
}

void ResultNotes::Hearing::rowStarted(int index) {
  byRow_.rowStarted(index);
  unwritten_ = index;
  PassingListener::rowStarted(index);
}

void ResultNotes::Hearing::resultWritten(int index) {
  unwritten_ = -1;
  if (keepWritten_) {
    written_.push_back(index);
  }
  PassingListener::resultWritten(index);
}

// The rows written without notes lose those of an earlier evaluation that wrote the same text;
// then the rows with notes take theirs. A table without notes costs nothing here.
void ResultNotes::keep(const Hearing& hearing, const ResultTracker& tracker, int rowCount) {
  for (const int index : hearing.written()) {
    notes_.erase(tracker.stampOf(index));
  }
  for (const auto& [index, notes] : hearing.byRow().rowsWithNotes()) {
    if (index != hearing.unwritten()) {
      notes_[tracker.stampOf(index)] = notes;
    }
  }
  forgetResultsNoLongerShown(tracker, rowCount);
}

const std::vector<ReadingNote>& ResultNotes::notesOf(std::uint64_t stamp) const {
  static const std::vector<ReadingNote> none;
  const auto found = notes_.find(stamp);
  return found == notes_.end() ? none : found->second;
}

// Results that calculations replaced keep their notes for undo, but not without bound: once the
// notes are kept for more than twice as many Results as the table shows, only those it shows
// keep theirs.
void ResultNotes::forgetResultsNoLongerShown(const ResultTracker& tracker, int rowCount) {
  constexpr std::size_t Slack = 1024;
  if (notes_.size() <= 2 * static_cast<std::size_t>(rowCount) + Slack) {
    return;
  }
  std::unordered_set<std::uint64_t> shown;
  for (int index = 0; index < rowCount; ++index) {
    shown.insert(tracker.stampOf(index));
  }
  std::erase_if(notes_, [&](const auto& entry) { return !shown.contains(entry.first); });
}

}  // namespace numora

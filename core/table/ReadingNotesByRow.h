#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "Calculation.h"
#include "ReadingNotes.h"
#include "RowTable.h"

namespace numora {

// The German sentence of a note whose position counts in `term`, quoting the character there.
std::string noteText(const ReadingNote& note, std::string_view term);

// Collects the reading notes of the rows that calculations evaluate, each with its position in
// the row's Term as typed (spaces included): counted from 1 in characters, a byte that starts
// no well-formed UTF-8 character counting as one, and one past the last character for the end
// of the term. A row's notes are those of its last evaluation: they are replaced when the row
// is evaluated again, also when that evaluation fails, and kept when a calculation passes over
// a row whose Term is empty. Set it as the listener of the calculations of `table`
// (CalculationInputs::listener).
class ReadingNotesByRow : public CalculationListener {
 public:
  explicit ReadingNotesByRow(const RowTable& table) : table_(table) {}
  ReadingNotesByRow(const ReadingNotesByRow&) = delete;
  ReadingNotesByRow& operator=(const ReadingNotesByRow&) = delete;

  // The notes of the row at `index`, by position; none where it has none.
  const std::vector<ReadingNote>& notesOf(int index) const;
  // The rows that have notes, by index, each with its notes by position.
  const std::map<int, std::vector<ReadingNote>>& rowsWithNotes() const { return notes_; }

  // Forgets the notes of one row, or of all, as when a row's Term is edited or rows move.
  void clearRow(int index) { notes_.erase(index); }
  void clear() { notes_.clear(); }

  void rowStarted(int index) override;
  void noted(const ReadingNote& note) override;

 private:
  const RowTable& table_;
  std::map<int, std::vector<ReadingNote>> notes_;
  int row_ = -1;  // the row being evaluated
  // For the row being evaluated, once it has a note: the typed position of each position of
  // the evaluated Term, from 1, and of the end.
  std::vector<std::int64_t> typedPositions_;
};

}  // namespace numora

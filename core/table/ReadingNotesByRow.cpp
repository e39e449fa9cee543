#include "ReadingNotesByRow.h"

#include <algorithm>

#include "Utf8.h"

namespace numora {

namespace {

// The length in bytes of the character at the start of `text`: a byte that starts no
// well-formed UTF-8 character is one.
std::size_t characterLength(std::string_view text) {
  return std::max<std::size_t>(utf8CharacterLength(text), 1);
}

// For each byte of `typed` that is no space, in order, the position from 1 of the character it
// belongs to; then one past the last character, for the end of the term. Index 0 is unused, so
// that an evaluated position indexes it directly.
std::vector<std::int64_t> typedPositions(std::string_view typed) {
  std::vector<std::int64_t> positions{0};
  std::int64_t character = 1;
  for (std::size_t at = 0; at < typed.size(); ++character) {
    const std::size_t length = characterLength(typed.substr(at));
    for (std::size_t i = at; i < at + length; ++i) {
      if (typed[i] != ' ') {
        positions.push_back(character);
      }
    }
    at += length;
  }
  positions.push_back(character);
  return positions;
}

}  // namespace

std::string noteText(const ReadingNote& note, std::string_view term) {
  const std::size_t offset = lengthOfCharacters(term, static_cast<std::size_t>(note.at - 1));
  const std::string_view rest = term.substr(offset);
  return noteMessage(note, rest.empty() ? rest : rest.substr(0, characterLength(rest)));
}

const std::vector<ReadingNote>& ReadingNotesByRow::notesOf(int index) const {
  static const std::vector<ReadingNote> none;
  const auto found = notes_.find(index);
  return found == notes_.end() ? none : found->second;
}

void ReadingNotesByRow::rowStarted(int index) {
  notes_.erase(index);
  row_ = index;
  typedPositions_.clear();
}

void ReadingNotesByRow::noted(const ReadingNote& note) {
  if (!table_.isRowIndex(row_)) {
    return;  // told outside a calculation's row
  }
  if (typedPositions_.empty()) {
    typedPositions_ = typedPositions(table_.row(row_).term);
  }
  const auto last = static_cast<std::int64_t>(typedPositions_.size()) - 1;
  const ReadingNote typed{
      typedPositions_[static_cast<std::size_t>(std::clamp<std::int64_t>(note.at, 1, last))],
      note.rule};
  std::vector<ReadingNote>& notes = notes_[row_];
  notes.insert(
      std::upper_bound(notes.begin(), notes.end(), typed,
                       [](const ReadingNote& a, const ReadingNote& b) { return a.at < b.at; }),
      typed);
}

}  // namespace numora

#pragma once

#include <map>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "ReadingNotesByRow.h"
#include "RowTable.h"

namespace numora::calc {

// A fault as the tool reports it.
struct ReportedFault {
  std::string className;
  std::string message;  // as stored, without the message box's final period
};

// What the tool writes: every row of the table after the calculation, and the faults.
struct Report {
  const RowTable& table;
  std::map<int, ReportedFault> rowFaults;  // of the rows that have one, by row index
  // Faults that belong to no row: a file that cannot be read or written, memory running out.
  std::vector<ReportedFault> commandFaults;
  // The reading notes of the rows calculated, if any were; with `notesToErrors` each also goes
  // as a line to the errors.
  const ReadingNotesByRow* notes = nullptr;
  bool notesToErrors = false;

  bool hasFault() const;
};

// One line per row, "Nr<TAB>Name<TAB>Term<TAB>Result" with every field escaped as
// escapedText does it, on `out`; then on `errors` the lines of the rows (with notesToErrors,
// one per reading note, then a row's fault), naming the row, and a line per command fault.
void writePlain(const Report& report, std::ostream& out, std::ostream& errors);

// JSON Lines on `out`: one object per row with "nr", "name", "term", "result", "fault" (null
// or an object with "class" and "message") and "notes" (a list of objects with "at", "rule"
// and "message"), then one object {"error": {"class": ..., "message": ...}} per command fault,
// which also goes as a line to `errors`, as the notes do with notesToErrors. Bytes that are not
// valid UTF-8 are written as U+FFFD.
void writeJsonLines(const Report& report, std::ostream& out, std::ostream& errors);

// A line on `errors` for every row with a field that is not valid UTF-8, saying that its
// invalid bytes are written as U+FFFD, for the outputs that replace them.
void writeReplacementNotices(const RowTable& table, std::ostream& errors);

// "numora-calc: " and `text` escaped into one line, on `errors`.
void writeErrorLine(std::ostream& errors, std::string_view text);

// The fault's line on `errors`: its message as the message box shows it.
void writeFaultLine(std::ostream& errors, const ReportedFault& fault);

// The notes of the row at `index` in the report, by position; none where it has none.
const std::vector<ReadingNote>& notesOfRow(const Report& report, int index);

// With notesToErrors, a line "row N: Hinweis: <message>" on `errors` for each note of the row
// at `index`.
void writeNoteLines(const Report& report, int index, std::ostream& errors);

}  // namespace numora::calc

#include "Report.h"

#include "Faults.h"
#include "PlainText.h"
#include "Utf8.h"

namespace numora::calc {

namespace {

std::string rowPrefix(int index) { return "row " + std::to_string(index + 1) + ": "; }

bool hasInvalidUtf8(const Row& row) {
  return !isValidUtf8(row.nr) || !isValidUtf8(row.name) || !isValidUtf8(row.term) ||
         !isValidUtf8(row.result);
}

}  // namespace

bool Report::hasFault() const { return !commandFaults.empty() || !rowFaults.empty(); }

void writePlain(const Report& report, std::ostream& out, std::ostream& errors) {
  const RowTable& table = report.table;
  // The lines are gathered into pieces of about this size, each written at once.
  constexpr std::size_t PieceSize = 1 << 16;
  std::string piece;
  for (int i = 0; i < table.rowCount(); ++i) {
    const Row& row = table.row(i);
    appendEscapedText(piece, row.nr);
    piece += '\t';
    appendEscapedText(piece, row.name);
    piece += '\t';
    appendEscapedText(piece, row.term);
    piece += '\t';
    appendEscapedText(piece, row.result);
    piece += '\n';
    if (piece.size() >= PieceSize) {
      out.write(piece.data(), static_cast<std::streamsize>(piece.size()));
      piece.clear();
    }
  }
  out.write(piece.data(), static_cast<std::streamsize>(piece.size()));
  for (int i = 0; i < table.rowCount(); ++i) {
    writeNoteLines(report, i, errors);
    if (const auto fault = report.rowFaults.find(i); fault != report.rowFaults.end()) {
      writeErrorLine(errors, rowPrefix(i) + messageBoxText(fault->second.message));
    }
  }
  for (const ReportedFault& fault : report.commandFaults) {
    writeFaultLine(errors, fault);
  }
}

void writeNoteLines(const Report& report, int index, std::ostream& errors) {
  if (!report.notesToErrors) {
    return;
  }
  for (const ReadingNote& note : notesOfRow(report, index)) {
    writeErrorLine(errors,
                   rowPrefix(index) + "Hinweis: " + noteText(note, report.table.row(index).term));
  }
}

const std::vector<ReadingNote>& notesOfRow(const Report& report, int index) {
  static const std::vector<ReadingNote> none;
  return report.notes != nullptr ? report.notes->notesOf(index) : none;
}

void writeReplacementNotices(const RowTable& table, std::ostream& errors) {
  for (int i = 0; i < table.rowCount(); ++i) {
    if (hasInvalidUtf8(table.row(i))) {
      writeErrorLine(errors, rowPrefix(i) +
                                 "Text ist kein gültiges UTF-8; ungültige Bytes werden als "
                                 "U+FFFD geschrieben.");
    }
  }
}

void writeErrorLine(std::ostream& errors, std::string_view text) {
  errors << "numora-calc: " << escapedText(text) << '\n';
}

void writeFaultLine(std::ostream& errors, const ReportedFault& fault) {
  writeErrorLine(errors, messageBoxText(fault.message));
}

}  // namespace numora::calc

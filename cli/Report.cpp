#include "Report.h"

#include "Faults.h"
#include "PlainText.h"
#include "Utf8.h"

namespace numora::calc {

namespace {

std::string rowPrefix(std::size_t index) { return "row " + std::to_string(index + 1) + ": "; }

bool hasInvalidUtf8(const Row& row) {
  return !isValidUtf8(row.nr) || !isValidUtf8(row.name) || !isValidUtf8(row.term) ||
         !isValidUtf8(row.result);
}

}  // namespace

bool Report::hasFault() const {
  if (!commandFaults.empty()) {
    return true;
  }
  for (const std::optional<ReportedFault>& fault : rowFaults) {
    if (fault) {
      return true;
    }
  }
  return false;
}

void writePlain(const Report& report, std::ostream& out, std::ostream& errors) {
  const RowTable& table = report.table;
  for (int i = 0; i < table.rowCount(); ++i) {
    const Row& row = table.row(i);
    out << escapedText(row.nr) << '\t' << escapedText(row.name) << '\t' << escapedText(row.term)
        << '\t' << escapedText(row.result) << '\n';
  }
  for (std::size_t i = 0; i < report.rowFaults.size(); ++i) {
    if (report.rowFaults[i]) {
      writeErrorLine(errors, rowPrefix(i) + messageBoxText(report.rowFaults[i]->message));
    }
  }
  for (const ReportedFault& fault : report.commandFaults) {
    writeFaultLine(errors, fault);
  }
}

void writeReplacementNotices(const RowTable& table, std::ostream& errors) {
  for (int i = 0; i < table.rowCount(); ++i) {
    if (hasInvalidUtf8(table.row(i))) {
      writeErrorLine(errors, rowPrefix(static_cast<std::size_t>(i)) +
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

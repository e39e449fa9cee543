#include <nlohmann/json.hpp>

#include "Report.h"

namespace numora::calc {

namespace {

using Json = nlohmann::ordered_json;

Json faultObject(const ReportedFault& fault) {
  return {{"class", fault.className}, {"message", fault.message}};
}

// The row's notes, positions in its Term as typed.
Json notesList(const Report& report, int index) {
  Json notes = Json::array();
  for (const ReadingNote& note : notesOfRow(report, index)) {
    notes.push_back({{"at", note.at},
                     {"rule", std::string(ruleName(note.rule))},
                     {"message", noteText(note, report.table.row(index).term)}});
  }
  return notes;
}

// One JSON line; texts that are not valid UTF-8 are written with replacement characters.
void writeJsonLine(const Json& line, std::ostream& out) {
  out << line.dump(-1, ' ', false, Json::error_handler_t::replace) << '\n';
}

}  // namespace

void writeJsonLines(const Report& report, std::ostream& out, std::ostream& errors) {
  const RowTable& table = report.table;
  for (int i = 0; i < table.rowCount(); ++i) {
    const Row& row = table.row(i);
    Json line = {{"nr", row.nr},
                 {"name", row.name},
                 {"term", row.term},
                 {"result", row.result},
                 {"fault", nullptr}};
    if (const auto fault = report.rowFaults.find(i); fault != report.rowFaults.end()) {
      line["fault"] = faultObject(fault->second);
    }
    line["notes"] = notesList(report, i);
    writeJsonLine(line, out);
    writeNoteLines(report, i, errors);
  }
  for (const ReportedFault& fault : report.commandFaults) {
    const Json line = {{"error", faultObject(fault)}};
    writeJsonLine(line, out);
    writeFaultLine(errors, fault);
  }
}

}  // namespace numora::calc

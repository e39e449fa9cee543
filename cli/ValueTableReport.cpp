#include "ValueTableReport.h"

#include <nlohmann/json.hpp>

#include <string>
#include <vector>

#include "Faults.h"
#include "PlainText.h"
#include "Report.h"
#include "ValueTableCsv.h"
#include "WholeNumber.h"

namespace numora::calc {

namespace {

using Json = nlohmann::ordered_json;

std::vector<std::string> namesOf(const RowTable& table) {
  std::vector<std::string> names;
  names.reserve(static_cast<std::size_t>(table.rowCount()));
  for (int i = 0; i < table.rowCount(); ++i) {
    names.push_back(table.row(i).name);
  }
  return names;
}

// The fault of the line, if any, as "x=5: row 3: <message>." on `errors`; gives whether
// there was one.
bool reportFault(Variable variable, const ValueLine& line, std::ostream& errors) {
  if (!line.fault) {
    return false;
  }
  writeErrorLine(errors, std::string(1, variableLetter(variable)) + "=" +
                             wholeNumberText(line.value) + ": row " +
                             std::to_string(line.fault->row + 1) + ": " +
                             messageBoxText(line.fault->message));
  return true;
}

// The header line: the variable's letter, then the Name of every row.
void writePlainHeader(Variable variable, const RowTable& table, std::ostream& out) {
  out << variableLetter(variable);
  for (int i = 0; i < table.rowCount(); ++i) {
    out << '\t' << escapedText(table.row(i).name);
  }
  out << '\n';
}

// The value, then what every row shows for it: its Result, "Fehler", or nothing.
void writePlainLine(const ValueLine& line, std::ostream& out) {
  out << wholeNumberText(line.value);
  for (const ValueCell& cell : line.cells) {
    out << '\t' << escapedText(cellText(cell));
  }
  out << '\n';
}

// {"x": "5", "results": [...], "fault": null or {"nr": ..., "class": ..., "message": ...}},
// a result null where the row has no value, failed or was not reached.
void writeJsonLine(Variable variable, const ValueLine& line, std::ostream& out) {
  Json results = Json::array();
  for (const ValueCell& cell : line.cells) {
    results.push_back(cell.state == CellState::Value ? Json(cell.result) : Json(nullptr));
  }
  Json object = {{std::string(1, variableLetter(variable)), wholeNumberText(line.value)},
                 {"results", std::move(results)},
                 {"fault", nullptr}};
  if (line.fault) {
    object["fault"] = {{"nr", line.fault->row + 1},
                       {"class", line.fault->className},
                       {"message", line.fault->message}};
  }
  out << object.dump(-1, ' ', false, Json::error_handler_t::replace) << '\n';
}

// The CSV needs every line before it is written.
bool writeCsv(const RowTable& table, const CalculationInputs& inputs,
              const ValueTableRequest& request, std::ostream& out, std::ostream& errors) {
  const std::vector<ValueLine> lines =
      calculateValueTable(table, inputs, request.variable, request.range);
  bool faulted = false;
  for (const ValueLine& line : lines) {
    faulted = reportFault(request.variable, line, errors) || faulted;
  }
  out << valueTableCsv(request.variable, namesOf(table), lines, inputs.separator);
  return faulted;
}

}  // namespace

bool writeValueTable(const RowTable& table, const CalculationInputs& inputs,
                     const ValueTableRequest& request, ValueTableFormat format, std::ostream& out,
                     std::ostream& errors) {
  if (format == ValueTableFormat::Csv) {
    return writeCsv(table, inputs, request, out, errors);
  }
  if (format == ValueTableFormat::Plain) {
    writePlainHeader(request.variable, table, out);
  }
  ValueTableCalculator calculator(table, inputs, request.variable, request.range);
  bool faulted = false;
  for (std::size_t i = 0; i < calculator.lineCount() && out; ++i) {
    const ValueLine line = calculator.line(i);
    if (format == ValueTableFormat::Plain) {
      writePlainLine(line, out);
    } else {
      writeJsonLine(request.variable, line, out);
    }
    faulted = reportFault(request.variable, line, errors) || faulted;
  }
  return faulted;
}

}  // namespace numora::calc

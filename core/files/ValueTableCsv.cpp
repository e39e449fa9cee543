#include "ValueTableCsv.h"

#include "Utf8.h"
#include "WholeNumber.h"

namespace numora {

namespace {

constexpr std::string_view FaultCellText = "Fehler";
constexpr std::string_view RecordEnd = "\r\n";

void appendField(std::string& out, std::string_view text, char fieldSeparator) {
  const std::string field = withReplacementCharacters(text);
  if (field.find_first_of(std::string{fieldSeparator, '"', '\r', '\n'}) == std::string::npos) {
    out.append(field);
    return;
  }
  out.push_back('"');
  for (const char c : field) {
    if (c == '"') {
      out.push_back('"');
    }
    out.push_back(c);
  }
  out.push_back('"');
}

}  // namespace

std::string cellText(const ValueCell& cell) {
  switch (cell.state) {
    case CellState::Value:
      return cell.result;
    case CellState::Fault:
      return std::string(FaultCellText);
    case CellState::NoTerm:
    case CellState::NotReached:
      break;
  }
  return {};
}

std::string valueTableCsv(Variable variable, const std::vector<std::string>& names,
                          const std::vector<ValueLine>& lines, char decimalSeparator) {
  const char fieldSeparator = decimalSeparator == ',' ? ';' : ',';
  std::string out;
  out.push_back(variableLetter(variable));
  for (const std::string& name : names) {
    out.push_back(fieldSeparator);
    appendField(out, name, fieldSeparator);
  }
  out.append(RecordEnd);
  for (const ValueLine& line : lines) {
    out.append(wholeNumberText(line.value));
    for (const ValueCell& cell : line.cells) {
      out.push_back(fieldSeparator);
      appendField(out, cellText(cell), fieldSeparator);
    }
    out.append(RecordEnd);
  }
  return out;
}

}  // namespace numora

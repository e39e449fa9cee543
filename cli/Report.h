#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "RowTable.h"

namespace numora::calc {

// A fault raised while one row was calculated.
struct RowFault {
  std::string className;
  std::string message;  // as stored, without the message box's final period
};

// What the tool writes: every row of the table after the calculation, and the faults.
struct Report {
  const RowTable& table;
  std::vector<std::optional<RowFault>> faults;  // by row index
};

// One line per row, "Nr<TAB>Name<TAB>Term<TAB>Result", on `out`; then the message box text of
// every fault, naming its row, on `errors`.
void writePlain(const Report& report, std::ostream& out, std::ostream& errors);

// JSON Lines: one object per row with "nr", "name", "term", "result" and "fault" (null or an
// object with "class" and "message").
void writeJsonLines(const Report& report, std::ostream& out);

}  // namespace numora::calc

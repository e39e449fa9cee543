#pragma once

#include <string>
#include <vector>

#include "ValueTable.h"

namespace numora {

// The value table as comma-separated values (RFC 4180), UTF-8: a header row with the
// variable's letter and the Name of every row, then one row per value with the value and each
// row's Result; "Fehler" where the row failed, nothing where it has no value or was not
// reached. Fields are separated by ";" where the decimal separator is ",", else by ","; a
// field holding the separator, a quote or a line break is quoted, its quotes doubled; records
// end with CR LF. Bytes that are not UTF-8 are written as U+FFFD.
std::string valueTableCsv(Variable variable, const std::vector<std::string>& names,
                          const std::vector<ValueLine>& lines, char decimalSeparator);

// What a value table's cell shows in a grid, a CSV file or a text: the Result, "Fehler", or
// nothing.
std::string cellText(const ValueCell& cell);

}  // namespace numora

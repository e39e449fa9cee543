#pragma once

#include <ostream>

#include "Calculation.h"
#include "RowTable.h"
#include "ValueTableRequest.h"

namespace numora::calc {

enum class ValueTableFormat {
  Plain,  // a header line, then one line per value, tab-separated and escaped
  Csv,    // the CSV the window exports
  Json,   // one JSON object per value
};

// Calculates the value table `request` asks for from `table` and writes it on `out` in `format`.
// Every value is written, also after a value whose calculation faulted; each fault goes as a
// line naming the value and the row to `errors`. Calculating stops when `out` has failed,
// since nothing more could be written. Gives whether any value faulted.
bool writeValueTable(const RowTable& table, const CalculationInputs& inputs,
                     const ValueTableRequest& request, ValueTableFormat format, std::ostream& out,
                     std::ostream& errors);

}  // namespace numora::calc

#pragma once

#include <stdexcept>
#include <string_view>

#include "ValueTable.h"

namespace numora::calc {

// What --value-table asks for: the variable that runs over the range, and the range.
struct ValueTableRequest {
  Variable variable = Variable::X;
  ValueRange range;
};

// A --value-table argument that is wrong usage; what() names the argument and the problem in
// one line.
class BadValueTableRequest : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Reads "VAR=FROM:TO[:STEP]": VAR is x, y or z, and FROM, TO and STEP (1 when left out) are
// read as the value table's range fields are, so a range the value table refuses is refused
// here, with its fault's message. Anything else raises BadValueTableRequest.
ValueTableRequest readValueTableRequest(std::string_view argument);

}  // namespace numora::calc

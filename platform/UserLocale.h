#pragma once

namespace numora {

// Reads the decimal separator of the user's locale afresh (LC_ALL, LC_NUMERIC or LANG, as Qt's
// system locale sees them) and makes it the process-wide decimal separator. A locale whose
// separator is not exactly one byte gives ".". Returns the separator now in use.
char applyUserDecimalSeparator();

}  // namespace numora

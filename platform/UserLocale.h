#pragma once

namespace numora {

// The decimal separator of the user's locale (LC_ALL, LC_NUMERIC or LANG, as Qt's system
// locale sees them), read afresh on every call. A locale whose separator is not exactly one
// byte gives ".". The programs keep it as their setting and pass it into every calculation.
char userDecimalSeparator();

}  // namespace numora

#pragma once

#include <string_view>

namespace numora {

// The decimal separator of the user's locale (LC_ALL, LC_NUMERIC or LANG, as Qt's system
// locale sees them), read afresh on every call. The programs keep it as their setting and pass
// it into every calculation.
char userDecimalSeparator();

// The separator the programs use for a locale's decimal point (its UTF-8 bytes): "," or "." as
// they stand, "." for anything else. Number texts are read back with the separator, so one that
// can also stand in a number (a digit, "E", a sign) would turn "1E5" or "12" into other values;
// no real locale has such a point, but a hand-made one may, and a point of more than one byte
// cannot be used at all.
char decimalSeparatorOf(std::string_view decimalPoint);

}  // namespace numora

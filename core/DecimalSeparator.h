#pragma once

namespace numora {

// The decimal separator that number text writes and number reading accepts: one byte for the
// whole process, "." until the program sets it from the user's locale.
char decimalSeparator() noexcept;
void setDecimalSeparator(char separator) noexcept;

}  // namespace numora

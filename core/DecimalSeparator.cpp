#include "DecimalSeparator.h"

namespace numora {

namespace {
// The one process-wide setting of the program; read and written on the program's one thread.
char currentDecimalSeparator = '.';
}  // namespace

char decimalSeparator() noexcept { return currentDecimalSeparator; }

void setDecimalSeparator(char separator) noexcept { currentDecimalSeparator = separator; }

}  // namespace numora

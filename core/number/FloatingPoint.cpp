#include "FloatingPoint.h"

namespace numora::fpu {

void resetUnit() {
  x87::initialise();
  loadX87ControlWord(StandardControlWord);
  clearFlags();
}

}  // namespace numora::fpu

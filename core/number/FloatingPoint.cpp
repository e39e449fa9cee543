#include "FloatingPoint.h"

namespace numora::fpu {

void resetUnit() {
  asm volatile("fninit" ::: "memory");
  loadX87ControlWord(StandardControlWord);
  clearFlags();
}

}  // namespace numora::fpu

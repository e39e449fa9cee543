#include "CheckedMath.h"

#include <cmath>

#include "Faults.h"

namespace numora {

namespace detail {

void raiseFloatingPointFault(unsigned flags) {
  fpu::clearFlags();
  if (flags & fpu::InvalidFlag) {
    throw EInvalidOp();
  }
  if (flags & fpu::ZeroDivideFlag) {
    throw EZeroDivide();
  }
  throw EOverflow();
}

}  // namespace detail

namespace {

// Runs a library function while no fault flag is pending and tests both units' flags
// afterwards. The argument and the result are pinned to the top of the x87 stack at those points,
// so the call stays between the clearing and the test. (Pinned to memory, the argument would be
// copied to the call's argument slot in two eight-byte halves, and the second half, wider than the
// two bytes stored there, would wait for the store to complete.)
template <typename Function>
Extended checkedCallWithFlagsClear(Function function, Extended argument) {
  x87::pinToStackTopHere(argument);
  Extended result = function(argument);
  x87::pinToStackTopHere(result);
  const unsigned flags = fpu::pendingFlags();
  if (flags & fpu::FaultFlags) {
    detail::raiseFloatingPointFault(flags);
  }
  return result;
}

// The same after clearing the fault flags that other code left pending.
template <typename Function>
Extended checkedCall(Function function, Extended argument) {
  fpu::clearPendingFaults();
  return checkedCallWithFlagsClear(function, argument);
}

}  // namespace

// Each function once with the clearing of fault flags left pending by other code, once for a
// calculation that has none pending.
#define NUMORA_CHECKED_LIBRARY_FUNCTION(name, function)                          \
  Extended name(Extended a) {                                                    \
    return checkedCall([](Extended v) { return function(v); }, a);               \
  }                                                                              \
  Extended name(Extended a, FaultFlagsClear) {                                   \
    return checkedCallWithFlagsClear([](Extended v) { return function(v); }, a); \
  }

NUMORA_CHECKED_LIBRARY_FUNCTION(checkedLn, std::log)
NUMORA_CHECKED_LIBRARY_FUNCTION(checkedLog10, std::log10)
NUMORA_CHECKED_LIBRARY_FUNCTION(checkedExp, std::exp)
NUMORA_CHECKED_LIBRARY_FUNCTION(checkedSin, std::sin)
NUMORA_CHECKED_LIBRARY_FUNCTION(checkedCos, std::cos)
NUMORA_CHECKED_LIBRARY_FUNCTION(checkedTan, std::tan)

#undef NUMORA_CHECKED_LIBRARY_FUNCTION

}  // namespace numora

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

// Runs a library function with clean fault flags and tests both units' flags afterwards.
// The empty asm statements pin the argument and the result to the top of the x87 stack at
// those points, so the call stays between the clearing and the test. (Pinned to memory, the
// argument would be copied to the call's argument slot in two eight-byte halves, and the
// second half, wider than the two bytes stored there, would wait for the store to complete.)
template <typename Function>
Extended checkedCall(Function function, Extended argument) {
  if (fpu::pendingFlags() & fpu::FaultFlags) {
    fpu::clearFlags();
  }
  asm volatile("" : "+t"(argument)::"memory");
  Extended result = function(argument);
  asm volatile("" : "+t"(result)::"memory");
  const unsigned flags = fpu::pendingFlags();
  if (flags & fpu::FaultFlags) {
    detail::raiseFloatingPointFault(flags);
  }
  return result;
}

}  // namespace

Extended checkedLn(Extended a) {
  return checkedCall([](Extended v) { return std::log(v); }, a);
}

Extended checkedLog10(Extended a) {
  return checkedCall([](Extended v) { return std::log10(v); }, a);
}

Extended checkedExp(Extended a) {
  return checkedCall([](Extended v) { return std::exp(v); }, a);
}

Extended checkedSin(Extended a) {
  return checkedCall([](Extended v) { return std::sin(v); }, a);
}

Extended checkedCos(Extended a) {
  return checkedCall([](Extended v) { return std::cos(v); }, a);
}

Extended checkedTan(Extended a) {
  return checkedCall([](Extended v) { return std::tan(v); }, a);
}

}  // namespace numora

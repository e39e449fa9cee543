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
// The empty asm statements pin the argument and the result to memory at those points, so the
// call stays between the clearing and the test.
template <typename Function>
Extended checkedCall(Function function, Extended argument) {
  if (fpu::pendingFlags() & fpu::FaultFlags) {
    fpu::clearFlags();
  }
  asm volatile("" : "+m"(argument)::"memory");
  Extended result = function(argument);
  asm volatile("" : "+m"(result)::"memory");
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

std::int64_t checkedTruncate(Extended a) {
  asm volatile("" : "+m"(a));
  if (!(a >= -0x1p63L && a < 0x1p63L)) {
    detail::raiseFloatingPointFault(fpu::InvalidFlag);
  }
  return static_cast<std::int64_t>(a);
}

}  // namespace numora

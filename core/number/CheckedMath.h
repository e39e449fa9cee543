#pragma once

#include <cstdint>

#include "Extended.h"
#include "FloatingPoint.h"
#include "X87.h"

namespace numora {

// Extended-precision operations that raise the fault of the operation that failed: EOverflow
// for a result beyond the extended range, EZeroDivide for a non-zero value divided by zero and
// the logarithm of zero, EInvalidOp for an operation without a defined result. So no infinity
// and no not-a-number ever comes out of them. Underflow (a result that becomes denormal or
// zero) and inexact results are silent. After every call no fault flag is pending.
//
// The four basic operations run as one x87 instruction whose status word is read right after
// it (X87.h), so the compiler can neither move the arithmetic away from the flag test nor fold
// it at compile time. Fault flags left pending by other code are cleared first,
// so they are never mistaken for this operation's fault.
//
// Each operation has a second form for calculations during which no fault flag can be pending
// when an operation starts, taking FaultFlagsClear. It tests the flags only after itself:
// reading the status before the operation would make the processor wait for the operands once
// more, which costs about as much as the operation and its test together.

// Says that no fault flag is pending: the calculation cleared them when it began (see
// fpu::clearPendingFaults), every checked operation since has found none or raised its fault
// and cleared them, and nothing else in the calculation sets one.
struct FaultFlagsClear {};

namespace detail {

[[noreturn]] void raiseFloatingPointFault(unsigned flags);

inline void checkStatus(std::uint16_t status) {
  if (status & fpu::FaultFlags) [[unlikely]] {
    raiseFloatingPointFault(status);
  }
}

}  // namespace detail

// Defines `name(a, b)` as the x87 operation `operation`, which clears the x87 flags first when
// a fault flag is pending, and `name(a, b, FaultFlagsClear{})`, which leaves out the clearing;
// both raise the fault the status word read right after the instruction shows.
#define NUMORA_CHECKED_X87_OPERATION(name, operation)                    \
  inline Extended name(Extended a, Extended b) {                         \
    std::uint16_t status;                                                \
    const Extended result = x87::operation##ClearingFirst(a, b, status); \
    detail::checkStatus(status);                                         \
    return result;                                                       \
  }                                                                      \
  inline Extended name(Extended a, Extended b, FaultFlagsClear) {        \
    std::uint16_t status;                                                \
    const Extended result = x87::operation(a, b, status);                \
    detail::checkStatus(status);                                         \
    return result;                                                       \
  }

// a + b, a - b, a * b and a / b.
NUMORA_CHECKED_X87_OPERATION(checkedAdd, add)
NUMORA_CHECKED_X87_OPERATION(checkedSubtract, subtract)
NUMORA_CHECKED_X87_OPERATION(checkedMultiply, multiply)
NUMORA_CHECKED_X87_OPERATION(checkedDivide, divide)

#undef NUMORA_CHECKED_X87_OPERATION

// Natural logarithm, base-10 logarithm and exponential function.
Extended checkedLn(Extended a);
Extended checkedLog10(Extended a);
Extended checkedExp(Extended a);
Extended checkedLn(Extended a, FaultFlagsClear);
Extended checkedLog10(Extended a, FaultFlagsClear);
Extended checkedExp(Extended a, FaultFlagsClear);

// Sine, cosine and tangent of an angle in radians.
Extended checkedSin(Extended a);
Extended checkedCos(Extended a);
Extended checkedTan(Extended a);
Extended checkedSin(Extended a, FaultFlagsClear);
Extended checkedCos(Extended a, FaultFlagsClear);
Extended checkedTan(Extended a, FaultFlagsClear);

// Truncation toward zero to a signed 64-bit integer; a value outside that range (or not a
// number) raises EInvalidOp. Inline: a call would pass the value through memory.
inline std::int64_t checkedTruncate(Extended a) {
  x87::pinToStackTop(a);
  if (!(a >= -0x1p63L && a < 0x1p63L)) {
    detail::raiseFloatingPointFault(fpu::InvalidFlag);
  }
  return static_cast<std::int64_t>(a);
}

}  // namespace numora

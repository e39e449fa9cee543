#pragma once

#include <cstdint>

#include "Extended.h"
#include "FloatingPoint.h"

namespace numora {

// Extended-precision operations that raise the fault of the operation that failed: EOverflow
// for a result beyond the extended range, EZeroDivide for a non-zero value divided by zero and
// the logarithm of zero, EInvalidOp for an operation without a defined result. So no infinity
// and no not-a-number ever comes out of them. Underflow (a result that becomes denormal or
// zero) and inexact results are silent. After every call no fault flag is pending.
//
// The four basic operations run as one x87 instruction inside an asm statement that also
// reads the status word, so the compiler can neither move the arithmetic away from the flag
// test nor fold it at compile time. Fault flags left pending by other code are cleared first,
// so they are never mistaken for this operation's fault.

namespace detail {

[[noreturn]] void raiseFloatingPointFault(unsigned flags);

// Clears the x87 flags when a fault flag is pending, then runs one operation on st(0) and
// st(1) and stores the status word in ax.
#define NUMORA_X87_BINARY_OPERATION(instruction) \
  "fnstsw %%ax\n\t"                              \
  "testb $0x0d, %%al\n\t"                        \
  "jz 1f\n\t"                                    \
  "fnclex\n"                                     \
  "1:\n\t" instruction                           \
  "\n\t"                                         \
  "fnstsw %%ax"

inline void checkStatus(std::uint16_t status) {
  if (status & fpu::FaultFlags) [[unlikely]] {
    raiseFloatingPointFault(status);
  }
}

}  // namespace detail

inline Extended checkedAdd(Extended a, Extended b) {
  Extended result;
  std::uint16_t status;
  asm(NUMORA_X87_BINARY_OPERATION("fadd %%st(1), %%st")
      : "=t"(result), "=&a"(status)
      : "0"(a), "u"(b)
      : "cc");
  detail::checkStatus(status);
  return result;
}

inline Extended checkedSubtract(Extended a, Extended b) {
  Extended result;
  std::uint16_t status;
  asm(NUMORA_X87_BINARY_OPERATION("fsub %%st(1), %%st")
      : "=t"(result), "=&a"(status)
      : "0"(a), "u"(b)
      : "cc");
  detail::checkStatus(status);
  return result;
}

inline Extended checkedMultiply(Extended a, Extended b) {
  Extended result;
  std::uint16_t status;
  asm(NUMORA_X87_BINARY_OPERATION("fmul %%st(1), %%st")
      : "=t"(result), "=&a"(status)
      : "0"(a), "u"(b)
      : "cc");
  detail::checkStatus(status);
  return result;
}

inline Extended checkedDivide(Extended a, Extended b) {
  Extended result;
  std::uint16_t status;
  asm(NUMORA_X87_BINARY_OPERATION("fdiv %%st(1), %%st")
      : "=t"(result), "=&a"(status)
      : "0"(a), "u"(b)
      : "cc");
  detail::checkStatus(status);
  return result;
}

#undef NUMORA_X87_BINARY_OPERATION

// Natural logarithm, base-10 logarithm and exponential function.
Extended checkedLn(Extended a);
Extended checkedLog10(Extended a);
Extended checkedExp(Extended a);

// Sine, cosine and tangent of an angle in radians.
Extended checkedSin(Extended a);
Extended checkedCos(Extended a);
Extended checkedTan(Extended a);

// Truncation toward zero to a signed 64-bit integer; a value outside that range (or not a
// number) raises EInvalidOp.
std::int64_t checkedTruncate(Extended a);

}  // namespace numora

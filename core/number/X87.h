#pragma once

#include <cstdint>

#include "Extended.h"

// The x87 unit, the one place where Numora gives the processor instructions by hand. Each
// function names what its instructions do; the rest of the code calls these names and needs
// no assembly to be read.
namespace numora::x87 {

// The control word of the x87 unit.
inline std::uint16_t controlWord() {
  std::uint16_t word;
  asm volatile("fnstcw %0" : "=m"(word)::"memory");
  return word;
}

inline void loadControlWord(std::uint16_t word) {
  asm volatile("fldcw %0" : : "m"(word) : "memory");
}

// The status word of the x87 unit alone.
inline std::uint16_t statusWord() {
  std::uint16_t status;
  asm volatile("fnstsw %0" : "=m"(status)::"memory");
  return status;
}

// The status word of the x87 unit and MXCSR of the SSE unit, whose exception flags stand at
// the same bits.
inline std::uint32_t statusOfBothUnits() {
  std::uint16_t status;
  std::uint32_t mxcsr;
  asm volatile("fnstsw %0\n\tstmxcsr %1" : "=m"(status), "=m"(mxcsr)::"memory");
  return status | mxcsr;
}

// Clears the exception flags of both units.
inline void clearExceptionFlagsOfBothUnits() {
  std::uint32_t mxcsr;
  asm volatile(
      "fnclex\n\t"
      "stmxcsr %0\n\t"
      "andl $0xFFFFFFC0, %0\n\t"
      "ldmxcsr %0"
      : "=m"(mxcsr)::"memory", "cc");
}

// Puts the x87 unit into its initial state: empty stack, default control word, no flags.
inline void initialise() { asm volatile("fninit" ::: "memory"); }

// Rounds to a signed 64-bit integer under the rounding of the current control word. Volatile
// keeps it inside the scope of the control word it is meant for.
inline std::int64_t roundToInteger(Extended value) {
  std::int64_t integer;
  asm volatile("fistpll %0" : "=m"(integer) : "t"(value) : "st");
  return integer;
}

// Makes `value` stand on top of the x87 stack at this point, without an instruction: what the
// compiler computes before stays before, and a copy through memory is not made.
inline void pinToStackTop(Extended& value) { asm volatile("" : "+t"(value)); }

// The same, and no access to memory moves across this point either: a library call stays
// between the flag clearing and the flag test around it.
inline void pinToStackTopHere(Extended& value) { asm volatile("" : "+t"(value)::"memory"); }

// The stored bytes of an extended value: the eight of the significand and the two of the sign
// and the exponent, read in two loads of exactly those widths. The compiler would widen the
// two-byte read to eight bytes, and a read wider than what the x87 unit has just stored (ten
// bytes) must wait until the store is complete.
inline void loadStoredBytes(const Extended& value, std::uint64_t& significand,
                            std::uint32_t& signAndExponent) {
  asm("movq (%2), %0\n\t"
      "movzwl 8(%2), %1"
      : "=&r"(significand), "=r"(signAndExponent)
      : "r"(&value), "m"(value));
}

// Defines the operations `name(a, b, status)`, one x87 instruction on a in st(0) and b in
// st(1) with the result in st(0) and the status word read into `status` right after it, and
// `nameClearingFirst(a, b, status)`, which first clears the flags when a fault flag (invalid,
// zero divide, overflow) is pending. The instruction and the reading of the status sit in one
// asm statement, so the compiler can neither move the arithmetic away from the flag test nor
// fold it at compile time.
#define NUMORA_X87_OPERATION(name, instruction)                                        \
  inline Extended name(Extended a, Extended b, std::uint16_t& status) {                \
    Extended result;                                                                   \
    asm(instruction                                                                    \
        "\n\t"                                                                         \
        "fnstsw %%ax"                                                                  \
        : "=t"(result), "=a"(status)                                                   \
        : "0"(a), "u"(b)                                                               \
        : "cc");                                                                       \
    return result;                                                                     \
  }                                                                                    \
  inline Extended name##ClearingFirst(Extended a, Extended b, std::uint16_t& status) { \
    Extended result;                                                                   \
    asm("fnstsw %%ax\n\t"                                                              \
        "testb $0x0d, %%al\n\t"                                                        \
        "jz 1f\n\t"                                                                    \
        "fnclex\n"                                                                     \
        "1:\n\t" instruction                                                           \
        "\n\t"                                                                         \
        "fnstsw %%ax"                                                                  \
        : "=t"(result), "=&a"(status)                                                  \
        : "0"(a), "u"(b)                                                               \
        : "cc");                                                                       \
    return result;                                                                     \
  }

NUMORA_X87_OPERATION(add, "fadd %%st(1), %%st")
NUMORA_X87_OPERATION(subtract, "fsub %%st(1), %%st")
NUMORA_X87_OPERATION(multiply, "fmul %%st(1), %%st")
NUMORA_X87_OPERATION(divide, "fdiv %%st(1), %%st")

#undef NUMORA_X87_OPERATION

}  // namespace numora::x87

#pragma once

#include <cstdint>

#include "X87.h"

namespace numora {

// The processor's floating-point state. Numora runs with every floating-point exception masked
// and finds faults by testing the exception flags after each checked operation (CheckedMath.h).
// The x87 unit does all extended arithmetic; the SSE unit only matters inside library calls.
namespace fpu {

// Exception flags, at the same bits in the x87 status word and in MXCSR.
constexpr unsigned InvalidFlag = 0x01;
constexpr unsigned ZeroDivideFlag = 0x04;
constexpr unsigned OverflowFlag = 0x08;
constexpr unsigned FaultFlags = InvalidFlag | ZeroDivideFlag | OverflowFlag;
constexpr unsigned AllFlags = 0x3F;

// Every exception masked, 64-bit significand, round to nearest with ties to even.
constexpr std::uint16_t StandardControlWord = 0x037F;
// The fields of the control word that the standard word fixes: masks, precision, rounding.
constexpr std::uint16_t ControlWordFields = 0x0F3F;

inline std::uint16_t x87ControlWord() { return x87::controlWord(); }

inline void loadX87ControlWord(std::uint16_t word) { x87::loadControlWord(word); }

// The pending exception flags of both units.
inline unsigned pendingFlags() { return x87::statusOfBothUnits() & AllFlags; }

inline void clearFlags() { x87::clearExceptionFlagsOfBothUnits(); }

// Clears the flags when a fault flag is pending, so that no fault flag is pending afterwards.
inline void clearPendingFaults() {
  if (pendingFlags() & FaultFlags) {
    clearFlags();
  }
}

// Loads the standard control word and clears every flag: the state at start-up, and the state
// after a floating-point fault has been raised.
void resetUnit();

// Runs a conversion under the standard control word. The word is changed (and restored at
// the end of the scope) only when some other code has left a different one, so the common
// case costs a single store of the control word.
class StandardControlWordScope {
 public:
  StandardControlWordScope() : saved_(x87ControlWord()) {
    if ((saved_ & ControlWordFields) != (StandardControlWord & ControlWordFields)) {
      loadX87ControlWord(
          static_cast<std::uint16_t>((saved_ & ~ControlWordFields) | StandardControlWord));
      changed_ = true;
    }
  }
  ~StandardControlWordScope() {
    if (changed_) {
      loadX87ControlWord(saved_);
    }
  }
  StandardControlWordScope(const StandardControlWordScope&) = delete;
  StandardControlWordScope& operator=(const StandardControlWordScope&) = delete;

 private:
  std::uint16_t saved_;
  bool changed_ = false;
};

}  // namespace fpu
}  // namespace numora

#include "TermFunctions.h"

#include <cmath>

#include "CheckedMath.h"

namespace numora {

namespace {

// The extended value nearest to pi; its significand is C90FDAA22168C235 in hexadecimal.
constexpr Extended Pi = 0xC.90FDAA22168C235p-2L;
constexpr Extended LargestReducibleAngle = 0x1p63L;

// The angle in degrees converted to radians: divided by 180 first, then multiplied by pi.
// Inline, so that the angle does not pass through memory once more on its way.
[[gnu::always_inline]] inline Extended radians(Extended degrees) {
  return checkedMultiply(checkedDivide(degrees, 180.0L, FaultFlagsClear{}), Pi, FaultFlagsClear{});
}

// |a| is a whole multiple of 90 that is at least 90.
bool isRightAngleMultiple(Extended a) {
  const Extended magnitude = std::fabs(a);
  return magnitude >= 90 && std::fmod(magnitude, 90.0L) == 0;
}

void take(std::optional<ReadingRule>* taken, ReadingRule rule) {
  if (taken != nullptr) {
    *taken = rule;
  }
}

template <Extended (*Trigonometric)(Extended, FaultFlagsClear)>
Extended ofDegrees(Extended a, std::optional<ReadingRule>* taken) {
  const Extended angle = radians(a);
  if (std::fabs(angle) >= LargestReducibleAngle) {
    take(taken, ReadingRule::AngleTooLarge);
    return 0.0L;
  }
  return Trigonometric(angle, FaultFlagsClear{});
}

template <Extended (*Logarithm)(Extended, FaultFlagsClear)>
Extended logarithm(Extended a, bool& faultFlag, std::optional<ReadingRule>* taken) {
  if (!(a > 0)) {
    faultFlag = false;
    take(taken, ReadingRule::LogarithmNotPositive);
    return 1.0L;
  }
  return Logarithm(a, FaultFlagsClear{});
}

}  // namespace

Extended signOf(Extended a, bool&, std::optional<ReadingRule>*) {
  if (a < 0) {
    return -1.0L;
  }
  return a > 0 ? 1.0L : 0.0L;
}

Extended absoluteValue(Extended a, bool&, std::optional<ReadingRule>*) { return std::fabs(a); }

Extended sineOfDegrees(Extended a, bool&, std::optional<ReadingRule>* taken) {
  return ofDegrees<checkedSin>(a, taken);
}

Extended cosineOfDegrees(Extended a, bool&, std::optional<ReadingRule>* taken) {
  return ofDegrees<checkedCos>(a, taken);
}

Extended naturalLogarithm(Extended a, bool& faultFlag, std::optional<ReadingRule>* taken) {
  return logarithm<checkedLn>(a, faultFlag, taken);
}

Extended decimalLogarithm(Extended a, bool& faultFlag, std::optional<ReadingRule>* taken) {
  return logarithm<checkedLog10>(a, faultFlag, taken);
}

Extended tangentOfDegrees(Extended a, bool& faultFlag, std::optional<ReadingRule>* taken) {
  if (isRightAngleMultiple(a)) {
    faultFlag = false;
    take(taken, ReadingRule::TangentRightAngle);
    return 1.0L;
  }
  if (!faultFlag) {
    take(taken, ReadingRule::TangentAfterDomainRule);
    return 1.0L;
  }
  return ofDegrees<checkedTan>(a, taken);
}

}  // namespace numora

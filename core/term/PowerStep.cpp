#include "PowerStep.h"

#include <cmath>
#include <optional>

#include "CheckedMath.h"
#include "NumberRounding.h"

namespace numora {

namespace {

// e, truncated toward zero to a signed 64-bit integer and converted back, equals e.
bool isWhole(Extended e) { return static_cast<Extended>(checkedTruncate(e)) == e; }

Extended power(Extended base, Extended exponent) {
  return checkedExp(
      checkedMultiply(exponent, checkedLn(base, FaultFlagsClear{}), FaultFlagsClear{}),
      FaultFlagsClear{});
}

// Given for a domain fault.
Extended domainFault(bool& faultFlag, std::optional<ReadingRule>* taken) {
  faultFlag = false;
  if (taken != nullptr) {
    *taken = ReadingRule::PowerWithoutValue;
  }
  return 1.0L;
}

// Given for a base "0" where no other rule applies; the exponent 0, and at the top level a
// negative one, give 0 too.
Extended zeroBase(const Operand& exponent, Level level, std::optional<ReadingRule>* taken) {
  if (taken != nullptr &&
      (exponent.isZeroText() || (level == Level::Top && exponent.isNegativeText()))) {
    *taken = ReadingRule::ZeroBase;
  }
  return 0.0L;
}

// A base that is not negative with a negative whole exponent e: 1 / Power(b, e'), where e' is
// what the number text of -e reads back as.
Extended reciprocalPower(const Operand& base, Extended e, char separator) {
  const Extended positiveExponent = roundedThroughText(-e, separator);
  const Extended b = base.value(separator);
  return checkedDivide(1.0L, power(b, positiveExponent), FaultFlagsClear{});
}

// A negative base with a whole exponent e: Power(b', e) with b' what the number text of -b
// reads back as, negated when e is odd.
Extended negativeBasePower(const Operand& base, Extended e, char separator) {
  const Extended b = base.value(separator);
  const Extended result = power(roundedThroughText(-b, separator), e);
  const Extended half = checkedDivide(e, 2.0L, FaultFlagsClear{});
  const bool odd = half - std::trunc(half) != 0;
  return odd ? -result : result;
}

Extended plainPower(const Operand& base, Extended e, char separator) {
  return power(base.value(separator), e);
}

}  // namespace

Extended powerStep(const Operand& base, const Operand& exponent, Level level, char separator,
                   bool& faultFlag, std::optional<ReadingRule>* taken) {
  const bool baseNegative = base.isNegativeText();
  const bool exponentNegative = exponent.isNegativeText();
  // The exponent's value is read the first time a rule needs it.
  std::optional<Extended> e;
  const auto exponentValue = [&]() {
    if (!e) {
      e = exponent.value(separator);
    }
    return *e;
  };

  if (level == Level::Top && base.isZeroText()) {
    return zeroBase(exponent, level, taken);
  }
  if (exponentNegative && !baseNegative && isWhole(exponentValue())) {
    return reciprocalPower(base, *e, separator);
  }
  if (baseNegative && !isWhole(exponentValue())) {
    return domainFault(faultFlag, taken);
  }
  if (level == Level::Group && base.isZeroText() && exponentNegative) {
    return domainFault(faultFlag, taken);
  }
  if (baseNegative) {
    return negativeBasePower(base, *e, separator);
  }
  if (base.isZeroText()) {
    return zeroBase(exponent, level, taken);
  }
  return plainPower(base, exponentValue(), separator);
}

}  // namespace numora

#include "PowerStep.h"

#include <cmath>
#include <optional>

#include "CheckedMath.h"
#include "NumberReading.h"

namespace numora {

namespace {

bool isNegativeText(std::string_view text) { return !text.empty() && text.front() == '-'; }

bool isZeroText(std::string_view text) { return text == "0"; }

// e, truncated toward zero to a signed 64-bit integer and converted back, equals e.
bool isWhole(Extended e) { return static_cast<Extended>(checkedTruncate(e)) == e; }

Extended power(Extended base, Extended exponent) {
  return checkedExp(checkedMultiply(exponent, checkedLn(base)));
}

// Given for a domain fault.
NumberTextBuffer domainFault(bool& faultFlag) {
  faultFlag = false;
  return NumberTextBuffer("1");
}

// A base that is not negative with a negative whole exponent e: 1 / Power(b, e'), where e' is
// read back from the number text of -e.
NumberTextBuffer reciprocalPower(std::string_view base, Extended e, char separator) {
  const NumberTextBuffer negated(-e, separator);
  const Extended positiveExponent = readNumber(negated.view(), separator);
  const Extended b = readNumber(base, separator);
  return NumberTextBuffer(checkedDivide(1.0L, power(b, positiveExponent)), separator);
}

// A negative base with a whole exponent e: Power(b', e) with b' read back from the number text
// of -b, negated when e is odd.
NumberTextBuffer negativeBasePower(std::string_view base, Extended e, char separator) {
  const Extended b = readNumber(base, separator);
  const NumberTextBuffer negated(-b, separator);
  const Extended result = power(readNumber(negated.view(), separator), e);
  const Extended half = checkedDivide(e, 2.0L);
  const bool odd = half - std::trunc(half) != 0;
  return NumberTextBuffer(odd ? -result : result, separator);
}

NumberTextBuffer plainPower(std::string_view base, Extended e, char separator) {
  return NumberTextBuffer(power(readNumber(base, separator), e), separator);
}

}  // namespace

NumberTextBuffer powerStep(std::string_view base, std::string_view exponent, Level level,
                           char separator, bool& faultFlag) {
  const bool baseNegative = isNegativeText(base);
  const bool exponentNegative = isNegativeText(exponent);
  // The exponent's value is read the first time a rule needs it.
  std::optional<Extended> e;
  const auto exponentValue = [&]() {
    if (!e) {
      e = readNumber(exponent, separator);
    }
    return *e;
  };

  if (level == Level::Top && isZeroText(base)) {
    return NumberTextBuffer("0");
  }
  if (exponentNegative && !baseNegative && isWhole(exponentValue())) {
    return reciprocalPower(base, *e, separator);
  }
  if (baseNegative && !isWhole(exponentValue())) {
    return domainFault(faultFlag);
  }
  if (level == Level::Group && isZeroText(base) && exponentNegative) {
    return domainFault(faultFlag);
  }
  if (baseNegative) {
    return negativeBasePower(base, *e, separator);
  }
  if (isZeroText(base)) {
    return NumberTextBuffer("0");
  }
  return plainPower(base, exponentValue(), separator);
}

}  // namespace numora

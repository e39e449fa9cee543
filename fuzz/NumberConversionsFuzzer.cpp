// Feeds arbitrary bytes to the number readings and checks what the conversions promise:
// a reading either fails with a conversion fault or gives a finite value; the text of that
// value reads back, and reading and writing it again changes nothing. The value that reading
// a number text back gives, computed without the text, is the text's own, bit for bit and fault
// for fault: for every value read, and for the first ten bytes taken as an extended value.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "Faults.h"
#include "NumberReading.h"
#include "NumberRounding.h"
#include "NumberText.h"
#include "WholeNumber.h"

namespace {

using numora::Extended;

// The largest magnitude whose 15-digit text does not round up beyond the extended range.
constexpr Extended LargestReadableText = 1.18973149535723e4932L;

void check(bool condition) {
  if (!condition) {
    std::abort();
  }
}

// The bytes of the value that reading back the number text of `value` gives, or the fault's
// message, the text's way or the way without the text.
std::string readBack(Extended value, char separator, bool throughText) {
  try {
    const Extended read = throughText
                              ? numora::readNumber(numora::numberText(value, separator), separator)
                              : numora::roundedThroughText(value, separator);
    return std::string(reinterpret_cast<const char*>(&read), 10);
  } catch (const numora::Exception& fault) {
    return "fault: " + fault.message();
  }
}

void checkRoundingWithoutText(Extended value, char separator) {
  check(readBack(value, separator, true) == readBack(value, separator, false));
}

void checkNumberReading(std::string_view text, char separator) {
  Extended value;
  try {
    value = numora::readNumber(text, separator);
  } catch (const numora::EConvertError&) {
    return;
  }
  check(std::isfinite(value));
  checkRoundingWithoutText(value, separator);
  if (std::fabs(value) > LargestReadableText) {
    return;
  }
  const std::string written = numora::numberText(value, separator);
  const Extended again = numora::readNumber(written, separator);
  check(numora::numberText(again, separator) == written);
}

void checkWholeNumberReading(std::string_view text) {
  std::int32_t value;
  try {
    value = numora::readWholeNumber(text);
  } catch (const numora::EConvertError&) {
    return;
  }
  check(numora::readWholeNumber(numora::wholeNumberText(value)) == value);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  checkNumberReading(text, ',');
  checkNumberReading(text, '.');
  checkWholeNumberReading(text);
  if (size >= 10) {
    Extended value = 0;
    std::memcpy(&value, data, 10);
    checkRoundingWithoutText(value, ',');
    checkRoundingWithoutText(value, static_cast<char>(data[size - 1]));
  }
  return 0;
}

// Feeds arbitrary bytes to the number readings and checks what the conversions promise:
// a reading either fails with a conversion fault or gives a finite value; the text of that
// value reads back, and reading and writing it again changes nothing.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "Faults.h"
#include "NumberReading.h"
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

void checkNumberReading(std::string_view text, char separator) {
  Extended value;
  try {
    value = numora::readNumber(text, separator);
  } catch (const numora::EConvertError&) {
    return;
  }
  check(std::isfinite(value));
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
  return 0;
}

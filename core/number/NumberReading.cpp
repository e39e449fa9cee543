#include "NumberReading.h"

#include <cmath>
#include <cstdint>
#include <cstring>

#include "Faults.h"
#include "FloatingPoint.h"
#include "PowersOfTen.h"

namespace numora {

namespace {

constexpr int ExponentDigitLimit = 500;
// Up to 19 digits the gathered number stays below 2^64, where integer and extended arithmetic
// give the same exact result; from the 20th digit on the extended arithmetic rounds.
constexpr int ExactDigits = 19;

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Gathers the digits of a number left to right, each step as times ten, then plus the digit,
// both rounded in extended precision.
class DigitGatherer {
 public:
  bool canTakeEightExactly() const { return exactCount_ + 8 <= ExactDigits; }

  // Takes eight digits at once while the number is still exact.
  void takeEight(std::uint32_t value) {
    exact_ = exact_ * 100000000 + value;
    exactCount_ += 8;
  }

  void take(char digit) {
    const unsigned value = static_cast<unsigned>(digit - '0');
    if (exactCount_ < ExactDigits) {
      exact_ = exact_ * 10 + value;
      ++exactCount_;
      return;
    }
    if (exactCount_ == ExactDigits) {
      rounded_ = static_cast<Extended>(exact_);
      ++exactCount_;
    }
    // Once the number has overflowed it stays infinite; arithmetic on infinities is slow on
    // the x87 unit, so the remaining digits are only scanned.
    if (!std::isinf(rounded_)) {
      rounded_ = rounded_ * 10;
      rounded_ = rounded_ + value;
    }
  }

  Extended value() const {
    return exactCount_ <= ExactDigits ? static_cast<Extended>(exact_) : rounded_;
  }

 private:
  std::uint64_t exact_ = 0;
  int exactCount_ = 0;
  Extended rounded_ = 0;
};

// Whether all eight bytes of `word` are the digits "0" to "9".
bool allDigits(std::uint64_t word) {
  constexpr std::uint64_t High = 0xF0F0F0F0F0F0F0F0ULL;
  constexpr std::uint64_t Zeros = 0x3030303030303030ULL;
  return (word & High) == Zeros && ((word + 0x0606060606060606ULL) & High) == Zeros;
}

// The value of eight ASCII digits, the first in the lowest byte: pairs, then quadruples, then
// the whole, each step combining neighbouring lanes.
std::uint32_t valueOfEightDigits(std::uint64_t word) {
  word -= 0x3030303030303030ULL;
  word = word * 10 + (word >> 8);
  word = (((word & 0x000000FF000000FFULL) * (100 + (1000000ULL << 32))) +
          (((word >> 16) & 0x000000FF000000FFULL) * (1 + (10000ULL << 32)))) >>
         32;
  return static_cast<std::uint32_t>(word);
}

class Scanner {
 public:
  explicit Scanner(std::string_view text) : at_(text.data()), end_(text.data() + text.size()) {}

  bool atEnd() const { return at_ == end_; }
  bool take(char c) {
    if (at_ != end_ && *at_ == c) {
      ++at_;
      return true;
    }
    return false;
  }
  bool takeDigit(char& digit) {
    if (at_ != end_ && isDigit(*at_)) {
      digit = *at_++;
      return true;
    }
    return false;
  }
  // Takes the run of digits at the scan position into `gatherer`; returns how many it took.
  std::int64_t takeDigitRun(DigitGatherer& gatherer) {
    const char* start = at_;
    std::uint64_t word;
    while (end_ - at_ >= 8 && gatherer.canTakeEightExactly() &&
           (std::memcpy(&word, at_, 8), allDigits(word))) {
      gatherer.takeEight(valueOfEightDigits(word));
      at_ += 8;
    }
    char digit;
    while (takeDigit(digit)) {
      gatherer.take(digit);
    }
    return at_ - start;
  }
  void skipBlanks() {
    while (at_ != end_ && *at_ == ' ') {
      ++at_;
    }
  }

 private:
  const char* at_;
  const char* end_;
};

// The decimal exponent after "E": digits are taken while the exponent so far is below 500.
int readExponent(Scanner& scanner) {
  const bool negative = !scanner.take('+') && scanner.take('-');
  int exponent = 0;
  char digit;
  while (exponent < ExponentDigitLimit && scanner.takeDigit(digit)) {
    exponent = exponent * 10 + (digit - '0');
  }
  return negative ? -exponent : exponent;
}

int clampedPowerOfTen(int exponent, std::int64_t fractionDigits) {
  const std::int64_t power = exponent - fractionDigits;
  return power < -100000 ? -100000 : static_cast<int>(power);
}

// A short plain decimal, as number literals and most Result texts are: an optional "-", one to
// eighteen digits with at most one decimal separator among them, which has digits on both
// sides, and nothing else. Its digits form an exact whole number, so its value is that number
// divided once by the exact power of ten of its fraction digits, as the full reading gives it.
// Gives false for any other text, which the full reading takes.
bool readShortDecimal(std::string_view text, char separator, Extended& value) {
  const bool negative = !text.empty() && text.front() == '-';
  std::size_t at = negative ? 1 : 0;
  std::int64_t digits = 0;
  int count = 0;
  int fractionDigits = -1;  // -1: no separator met
  for (; at < text.size(); ++at) {
    const char c = text[at];
    if (isDigit(c)) {
      if (++count > 18) {
        return false;
      }
      digits = digits * 10 + (c - '0');
      fractionDigits += fractionDigits >= 0 ? 1 : 0;
    } else if (c == separator && fractionDigits < 0 && count > 0) {
      fractionDigits = 0;
    } else {
      return false;
    }
  }
  if (count == 0 || fractionDigits == 0) {
    return false;
  }
  fpu::StandardControlWordScope standardRounding;
  const Extended magnitude =
      scaleByPowerOfTen(static_cast<Extended>(digits), fractionDigits > 0 ? -fractionDigits : 0);
  value = negative ? -magnitude : magnitude;
  return true;
}

}  // namespace

Extended readNumber(std::string_view text, char separator) {
  Extended shortDecimal;
  if (readShortDecimal(text, separator, shortDecimal)) {
    return shortDecimal;
  }
  fpu::StandardControlWordScope standardRounding;
  Scanner scanner(text);
  scanner.skipBlanks();
  const bool negative = !scanner.take('+') && scanner.take('-');

  DigitGatherer gatherer;
  bool tookAny = scanner.takeDigitRun(gatherer) != 0;
  std::int64_t fractionDigits = 0;
  if (scanner.take(separator)) {
    tookAny = true;
    fractionDigits = scanner.takeDigitRun(gatherer);
  }
  if (!tookAny) {
    throw notANumberFault(text);
  }
  int exponent = 0;
  if (scanner.take('E') || scanner.take('e')) {
    exponent = readExponent(scanner);
  }
  scanner.skipBlanks();
  if (!scanner.atEnd()) {
    throw notANumberFault(text);
  }

  Extended value = gatherer.value();
  if (!std::isinf(value)) {
    value = scaleByPowerOfTen(value, clampedPowerOfTen(exponent, fractionDigits));
  }
  if (std::isinf(value)) {
    // The overflow left its flags behind; a reading never hands a fault flag to its caller.
    fpu::clearFlags();
    throw notANumberFault(text);
  }
  return negative ? -value : value;
}

}  // namespace numora

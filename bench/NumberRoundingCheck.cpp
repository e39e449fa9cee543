// Checks on a large sample that the value the evaluator takes for a number text without writing
// it is bit for bit what writing the text and reading it back gives, faults included, with
// "," and "." as the separator. Prints how many values it checked, how many differed and how
// long it took; exits with 1 when any differed.
//
// usage: numora_rounding_check [VALUES]   (100,000,000 unless given)

#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <random>
#include <string>

#include "ExtendedFields.h"
#include "Faults.h"
#include "NumberReading.h"
#include "NumberRounding.h"
#include "NumberText.h"
#include "PowersOfTen.h"

namespace {

using numora::Extended;
using Limits = std::numeric_limits<Extended>;

// The value's ten bytes, or the fault's message with a mark that no value's bytes can have.
struct Outcome {
  unsigned char bytes[10] = {};
  std::string fault;
  bool operator==(const Outcome& other) const {
    return std::memcmp(bytes, other.bytes, sizeof bytes) == 0 && fault == other.fault;
  }
};

template <typename Way>
Outcome outcomeOf(Way way) {
  Outcome outcome;
  try {
    const Extended value = way();
    std::memcpy(outcome.bytes, &value, sizeof outcome.bytes);
  } catch (const numora::Exception& fault) {
    outcome.fault = std::string(fault.className()) + ": " + fault.message();
  }
  return outcome;
}

Extended fromFields(bool negative, int storedExponent, std::uint64_t significand) {
  return numora::extendedFromFields({negative, storedExponent, significand});
}

// The sample: each call gives the next value, drawn in turn from five kinds.
class Sample {
 public:
  Extended next() {
    switch (count_++ % 8) {
      case 0:
      case 1:
      case 2:
        return anyNormal();
      case 3:
      case 4:
        return nearTie();
      case 5:
        return decimal();
      case 6:
        return nearTheEnds();
      default:
        return anyBits();
    }
  }

 private:
  // Any stored exponent of the normal range, any significand, either sign.
  Extended anyNormal() {
    std::uint64_t significand = random_() | (1ULL << 63);
    if (random_() % 4 == 0) {
      significand &= ~0ULL << (random_() % 64);
    }
    return fromFields(random_() & 1, static_cast<int>(1 + random_() % 0x7FFE), significand);
  }

  // A few ulps around a tie of the fifteen-digit step, a half between two eighteen-digit
  // integers, or eighteen digits from 10^18 on that end in 5, at any decimal exponent.
  Extended nearTie() {
    const std::uint64_t fifteen = 100000000000000ULL + random_() % 900000000000000ULL;
    Extended digits;
    switch (random_() % 3) {
      case 0:
        digits = static_cast<Extended>(fifteen * 1000 + 500);
        break;
      case 1:
        digits = static_cast<Extended>(fifteen * 1000 + random_() % 1000) + 0.5L;
        break;
      default:
        digits = static_cast<Extended>(1000000000000000005ULL + (random_() % 100000) * 10);
        break;
    }
    const int power = static_cast<int>(random_() % 9884) - 4951;
    Extended value = numora::scaleByPowerOfTen(digits, power - 18);
    value = step(value, static_cast<int>(random_() % 9) - 4);
    return random_() & 1 ? -value : value;
  }

  // The reading of a decimal of 1 to 15 digits at any decimal exponent.
  Extended decimal() {
    const int length = static_cast<int>(1 + random_() % 15);
    std::uint64_t digits = 1 + random_() % 9;
    for (int i = 1; i < length; ++i) {
      digits = digits * 10 + random_() % 10;
    }
    const int power = static_cast<int>(random_() % 9880) - 4950 - length;
    const Extended value = numora::scaleByPowerOfTen(static_cast<Extended>(digits), power);
    return random_() & 1 ? -value : value;
  }

  // Up to 2^20 ulps away from the largest value, the smallest normal value, the largest
  // denormal value and zero.
  Extended nearTheEnds() {
    const std::uint64_t distance = random_() % (1U << 20);
    switch (random_() % 4) {
      case 0:
        return fromFields(random_() & 1, 0x7FFE, ~0ULL - distance);
      case 1:
        return fromFields(random_() & 1, 1, (1ULL << 63) + distance);
      case 2:
        return fromFields(random_() & 1, 0, (~0ULL >> 1) - distance);
      default:
        return fromFields(random_() & 1, 0, distance);
    }
  }

  // Any ten bytes: infinities, values that are no number, unnormals and pseudo-denormals too.
  Extended anyBits() {
    return fromFields(random_() & 1, static_cast<int>(random_() % 0x8000), random_());
  }

  static Extended step(Extended value, int ulps) {
    const Extended towards = ulps < 0 ? -Limits::infinity() : Limits::infinity();
    for (int i = 0; i < std::abs(ulps); ++i) {
      value = std::nextafter(value, towards);
    }
    return value;
  }

  std::mt19937_64 random_{20261208};
  std::uint64_t count_ = 0;
};

std::string describe(Extended value) {
  const numora::ExtendedFields fields = numora::fieldsOf(value);
  char text[48];
  std::snprintf(text, sizeof text, "%s%04x:%016llx", fields.negative ? "-" : "+",
                fields.storedExponent, static_cast<unsigned long long>(fields.significand));
  return text;
}

}  // namespace

int main(int argc, char** argv) {
  const long long total = argc > 1 ? std::atoll(argv[1]) : 100'000'000LL;
  Sample sample;
  long long differences = 0;
  long long faults = 0;
  const auto start = std::chrono::steady_clock::now();
  for (long long i = 0; i < total; ++i) {
    const Extended value = sample.next();
    for (const char separator : {',', '.'}) {
      const Outcome text = outcomeOf(
          [&] { return numora::readNumber(numora::numberText(value, separator), separator); });
      const Outcome fused = outcomeOf([&] { return numora::roundedThroughText(value, separator); });
      faults += !text.fault.empty();
      if (!(text == fused)) {
        if (++differences <= 20) {
          std::printf("difference: %s with '%c'\n", describe(value).c_str(), separator);
        }
      }
    }
  }
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  std::printf(
      "checked %lld values with ',' and '.' (%lld comparisons, %lld of them faults): "
      "%lld differences, %.1f s\n",
      total, 2 * total, faults, differences, seconds);
  return differences == 0 ? 0 : 1;
}

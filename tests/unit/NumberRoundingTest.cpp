// The value that the evaluator takes for a number text without writing it, against writing the
// text and reading it back: bit for bit, fault for fault, with both separators.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <functional>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "ExtendedFields.h"
#include "Faults.h"
#include "NumberReading.h"
#include "NumberRounding.h"
#include "NumberText.h"
#include "PowersOfTen.h"

namespace numora {
namespace {

using Limits = std::numeric_limits<Extended>;

// What one way to the read-back value gives: the ten bytes of the value, or the fault.
struct Outcome {
  unsigned char bytes[10] = {};
  std::string fault;

  bool operator==(const Outcome& other) const {
    return std::memcmp(bytes, other.bytes, sizeof bytes) == 0 && fault == other.fault;
  }
};

Outcome outcomeOf(const std::function<Extended()>& way) {
  Outcome outcome;
  try {
    const Extended value = way();
    std::memcpy(outcome.bytes, &value, sizeof outcome.bytes);
  } catch (const Exception& fault) {
    outcome.fault = std::string(fault.className()) + ": " + fault.message();
  }
  return outcome;
}

Outcome throughText(Extended value, char separator) {
  return outcomeOf([=] { return readNumber(numberText(value, separator), separator); });
}

Outcome withoutText(Extended value, char separator) {
  return outcomeOf([=] { return roundedThroughText(value, separator); });
}

std::string describe(Extended value) {
  const ExtendedFields fields = fieldsOf(value);
  char text[64];
  std::snprintf(text, sizeof text, "%s%04x:%016llx (%s)", fields.negative ? "-" : "+",
                fields.storedExponent, static_cast<unsigned long long>(fields.significand),
                numberText(value, ',').c_str());
  return text;
}

// Compares both ways for each value with "," and ".", counts the values, and keeps the first
// few differences for the failure message.
class Differences {
 public:
  void check(Extended value) {
    ++checked_;
    for (const char separator : {',', '.'}) {
      if (!(throughText(value, separator) == withoutText(value, separator))) {
        if (++count_ <= 10) {
          found_ += describe(value) + " with '" + separator + "'\n";
        }
      }
    }
  }

  // The value and its neighbours up to `ulps` steps below and above it.
  void checkAround(Extended value, int ulps) {
    check(value);
    Extended below = value;
    Extended above = value;
    for (int i = 0; i < ulps; ++i) {
      below = std::nextafter(below, -Limits::infinity());
      above = std::nextafter(above, Limits::infinity());
      check(below);
      check(above);
    }
  }

  long checked() const { return checked_; }
  long count() const { return count_; }
  const std::string& found() const { return found_; }

 private:
  long checked_ = 0;
  long count_ = 0;
  std::string found_;
};

#define EXPECT_NO_DIFFERENCES(differences) \
  EXPECT_EQ((differences).count(), 0) << (differences).found()

Extended fromFields(bool negative, int storedExponent, std::uint64_t significand) {
  return extendedFromFields({negative, storedExponent, significand});
}

// The decimal exponent of the number text for a positive normal value, and its eighteen
// digits before any rounding to fifteen: used only to tell whether a sample hits a tie.
Extended scaledToEighteenDigits(Extended magnitude) {
  const int exponent = (((fieldsOf(magnitude).storedExponent - 16383) * 19728) >> 16) + 1;
  return scaleByPowerOfTen(magnitude, 18 - exponent);
}

TEST(NumberRounding, SpecialValuesReadBackAsTheirTextDoes) {
  struct Case {
    Extended value;
    const char* fault;  // nullptr: the value read back must have these bytes
    Extended expected;
  };
  const char* const InfinityFault = "EConvertError: 'INF' ist kein gültiger Gleitkommawert";
  const char* const NotANumberFault = "EConvertError: 'NAN' ist kein gültiger Gleitkommawert";
  for (const Case& c : std::initializer_list<Case>{
           {0.0L, nullptr, 0.0L},
           {-0.0L, nullptr, 0.0L},  // the text "0" reads as positive zero
           {Limits::denorm_min(), nullptr, 0.0L},
           {-Limits::denorm_min(), nullptr, 0.0L},
           {fromFields(false, 0, 0x7FFFFFFFFFFFFFFFULL), nullptr, 0.0L},  // largest denormal
           {fromFields(true, 0, 0x8000000000000000ULL), nullptr, 0.0L},   // pseudo-denormal
           {Limits::infinity(), InfinityFault, 0},
           {-Limits::infinity(), "EConvertError: '-INF' ist kein gültiger Gleitkommawert", 0},
           {Limits::quiet_NaN(), NotANumberFault, 0},
           {-Limits::quiet_NaN(), NotANumberFault, 0},
           {Limits::signaling_NaN(), NotANumberFault, 0},
           {fromFields(false, 0x3FFF, 0x4000000000000000ULL), NotANumberFault, 0},  // unnormal
           // An unnormal whose bits would make a small whole number, were its leading bit set.
           {fromFields(false, 0x3FFF + 5, 0x0400000000000000ULL), NotANumberFault, 0},
           {fromFields(true, 0x7FFF, 0), NotANumberFault, 0},  // pseudo-infinity
           {Limits::max(), nullptr, 1.18973149535723e4932L},
           {-Limits::max(), nullptr, -1.18973149535723e4932L},
           {1.0L / 3, nullptr, 0.333333333333333L},
           {-2.5L, nullptr, -2.5L},
           {999999999999999.5L, nullptr, 1e15L},
       }) {
    for (const char separator : {',', '.'}) {
      const Outcome fused = withoutText(c.value, separator);
      EXPECT_EQ(fused, throughText(c.value, separator)) << describe(c.value);
      if (c.fault != nullptr) {
        EXPECT_EQ(fused.fault, c.fault) << describe(c.value);
      } else {
        Outcome expected;
        std::memcpy(expected.bytes, &c.expected, sizeof expected.bytes);
        EXPECT_EQ(fused, expected) << describe(c.value);
      }
    }
  }
}

// Random significands at every stored exponent of the normal range, both signs.
TEST(NumberRounding, AgreesWithTheTextAtEveryBinaryExponent) {
  std::mt19937_64 random(1);
  Differences differences;
  for (int storedExponent = 1; storedExponent < 0x7FFF; ++storedExponent) {
    for (int i = 0; i < 20; ++i) {
      std::uint64_t significand = random() | (1ULL << 63);
      if (i % 4 == 0) {
        significand &= ~0ULL << (random() % 64);  // trailing zero bits: short binary fractions
      }
      differences.check(fromFields((i & 1) != 0, storedExponent, significand));
    }
  }
  EXPECT_GE(differences.checked(), 650000);
  EXPECT_NO_DIFFERENCES(differences);
}

// At every decimal exponent: values around an exact tie of the fifteen-digit step (the 16th to
// 18th digits 500), around a scaled value halfway between two integers (the ties-to-even step
// of the eighteen digits), and around eighteen digits that the estimate leaves at 10^18 or
// more (the division by ten with ties to even). The sample must really reach those ties.
TEST(NumberRounding, AgreesAtTheTiesOfEveryRoundingStep) {
  std::mt19937_64 random(2);
  Differences differences;
  int fifteenDigitTies = 0;
  int halfIntegerTies = 0;
  const auto countTies = [&](Extended value) {
    const Extended scaled = scaledToEighteenDigits(std::fabs(value));
    halfIntegerTies += scaled - std::floor(scaled) == 0.5L;
    fifteenDigitTies += std::fmod(scaled, 1000.0L) == 500.0L;
  };
  for (int power = -4951; power <= 4932; ++power) {
    const std::uint64_t fifteen = 100000000000000ULL + random() % 900000000000000ULL;
    const Extended samples[] = {
        static_cast<Extended>(fifteen * 1000 + 500),
        static_cast<Extended>(fifteen * 1000 + 499) + 0.5L,
        static_cast<Extended>(fifteen * 1000 + 500) + 0.5L,
        static_cast<Extended>(1000000000000000000ULL + (random() % 1000) * 10 + 5),
    };
    for (const Extended digits : samples) {
      const Extended value = scaleByPowerOfTen(digits, power - 18);
      if (value == 0 || std::isinf(value)) {
        continue;
      }
      const Extended signedValue = (power & 1) != 0 ? -value : value;
      countTies(signedValue);
      differences.checkAround(signedValue, 3);
    }
  }
  // Exact ties by construction: eighteen-digit whole numbers with a half, and whole numbers
  // from 10^18 on whose last digit is 5.
  for (int i = 0; i < 20000; ++i) {
    const std::uint64_t whole = 100000000000000000ULL + random() % 900000000000000000ULL;
    const Extended half = static_cast<Extended>(whole) + 0.5L;
    countTies(half);
    differences.checkAround(half, 2);
    differences.checkAround(static_cast<Extended>(1000000000000000005ULL + (whole % 1000) * 10), 2);
  }
  EXPECT_GE(differences.checked(), 250000);
  EXPECT_GE(fifteenDigitTies, 1000);
  EXPECT_GE(halfIntegerTies, 20000);
  EXPECT_NO_DIFFERENCES(differences);
}

// Values that are themselves the reading of a decimal of 1 to 15 digits at every decimal
// exponent, as the evaluator's values mostly are; their texts drop from 0 to 14 trailing zeros.
TEST(NumberRounding, AgreesForDecimalsOfEveryLength) {
  std::mt19937_64 random(3);
  Differences differences;
  for (int power = -4950; power <= 4931; ++power) {
    for (int length = 1; length <= 15; length += 1 + (power & 1)) {
      std::string text = std::to_string(1 + random() % 9) + ",";
      for (int i = 1; i < length; ++i) {
        text += static_cast<char>('0' + random() % 10);
      }
      text += "E" + std::to_string(power);
      differences.check(readNumber(text, ','));
    }
  }
  EXPECT_GE(differences.checked(), 100000);
  EXPECT_NO_DIFFERENCES(differences);
}

// Thousands of neighbours of the largest and smallest values, normal and denormal, and of the
// points where the text changes its form or the evaluator takes a short way for whole numbers.
TEST(NumberRounding, AgreesNearTheEndsOfTheRangeAndTheBoundsOfEachForm) {
  struct Anchor {
    Extended value;
    int ulps;
  };
  Differences differences;
  for (const Anchor& anchor : std::initializer_list<Anchor>{
           {Limits::max(), 20000},
           {Limits::min(), 20000},
           {fromFields(false, 0, 0x7FFFFFFFFFFFFFFFULL), 2000},  // largest denormal
           {Limits::denorm_min(), 2000},
           {1.18973149535723e4932L, 2000},   // the largest text
           {3.36210314311209e-4932L, 2000},  // the smallest normal's text
           {1e15L, 3000},
           {999999999999999.0L, 3000},
           {0x1p50L, 3000},
           {0x1p63L, 3000},
           {1e18L, 3000},
           {1e-4L, 3000},
           {9.99999999999999e-5L, 3000},
           {1.0L, 3000},
           {1e-12L, 1000},  // the ends of the exponents scaled from all fifteen digits
           {1e-13L, 1000},
           {1e27L, 1000},
           {1e28L, 1000},
       }) {
    differences.checkAround(anchor.value, anchor.ulps);
    differences.checkAround(-anchor.value, anchor.ulps / 10);
  }
  for (std::int64_t whole = -20000; whole <= 20000; ++whole) {
    differences.check(static_cast<Extended>(whole));
  }
  EXPECT_GE(differences.checked(), 200000);
  EXPECT_NO_DIFFERENCES(differences);
}

// The separator moves no digit: every separator that reads back as a separator gives the value
// of ",", bit for bit. A digit or "E" would not read back as written ("1E20" with "E" as the
// separator reads as 1,20), so for those the text is written and read.
TEST(NumberRounding, TheSeparatorDoesNotChangeTheValue) {
  std::mt19937_64 random(4);
  std::vector<Extended> values;
  for (int i = 0; i < 3000; ++i) {
    values.push_back(
        fromFields((i & 1) != 0, static_cast<int>(1 + random() % 0x7FFE), random() | (1ULL << 63)));
    values.push_back(static_cast<Extended>(random() % 100000) / 64);
  }
  values.push_back(1e20L);
  long differences = 0;
  for (int c = 0; c < 256; ++c) {
    const char separator = static_cast<char>(c);
    const bool readsAsWritten = separator != 'E' && !(separator >= '0' && separator <= '9');
    for (const Extended value : values) {
      const Outcome fused = withoutText(value, separator);
      differences += !(fused == throughText(value, separator));
      if (readsAsWritten) {
        differences += !(fused == withoutText(value, ','));
      }
    }
  }
  EXPECT_EQ(differences, 0);
  EXPECT_EQ(readNumber(numberText(1e20L, 'E'), 'E'), 1.2L);
  EXPECT_EQ(roundedThroughText(1e20L, 'E'), 1.2L);
}

}  // namespace
}  // namespace numora

#include <gtest/gtest.h>

#include <cfenv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <random>
#include <string>

#include "ExtendedFields.h"
#include "NumberReading.h"
#include "NumberText.h"
#include "TestSupport.h"

namespace numora {
namespace {

// Values that the compiler must not fold, so divisions are rounded at run time as in use.
volatile Extended One = 1.0L;

Extended fromFields(std::uint64_t significand, std::uint16_t signAndExponent) {
  return extendedFromFields(
      {(signAndExponent & 0x8000) != 0, signAndExponent & 0x7FFF, significand});
}

struct TextCase {
  Extended value;
  const char* withComma;
  const char* withFullStop;
};

TEST(NumberText, WritesFifteenSignificantDigitsWithEitherSeparator) {
  for (const TextCase& c : std::initializer_list<TextCase>{
           {0.0L, "0", "0"},
           {100.0L, "100", "100"},
           {-2.5L, "-2,5", "-2.5"},
           {One / 3, "0,333333333333333", "0.333333333333333"},
           {2 * One / 3, "0,666666666666667", "0.666666666666667"},
           {22 * One / 7, "3,14285714285714", "3.14285714285714"},
           {999999999999999.0L, "999999999999999", "999999999999999"},
           {999999999999999.5L, "1E15", "1E15"},
           {1e15L, "1E15", "1E15"},
           {1234567890123456.0L, "1,23456789012346E15", "1.23456789012346E15"},
           {35e19L, "3,5E20", "3.5E20"},
           {1e-4L, "0,0001", "0.0001"},
           {123456e-9L, "0,000123456", "0.000123456"},
           {1e-5L, "1E-5", "1E-5"},
           {15e-8L, "1,5E-7", "1.5E-7"},
           {0x1p64L, "1,84467440737096E19", "1.84467440737096E19"},
           {-0.125L, "-0,125", "-0.125"},
       }) {
    EXPECT_EQ(numberText(c.value, ','), c.withComma);
    EXPECT_EQ(numberText(c.value, '.'), c.withFullStop);
  }
}

TEST(NumberText, LayoutSwitchesToExponentOutsidePlainRange) {
  for (const TextCase& c : std::initializer_list<TextCase>{
           {99999999999999.0L, "99999999999999", ""},
           {123456789012345.0L, "123456789012345", ""},
           {1e16L, "1E16", ""},
           {0.001L, "0,001", ""},
           {0.00012L, "0,00012", ""},
           {0.00009999L, "9,999E-5", ""},
           {-1e-5L, "-1E-5", ""},
           {-1.5e300L, "-1,5E300", ""},
           {1e-300L, "1E-300", ""},
           {2.5e-10L, "2,5E-10", ""},
           {123.456L, "123,456", ""},
           {1e14L, "100000000000000", ""},
       }) {
    EXPECT_EQ(numberText(c.value, ','), c.withComma);
  }
}

TEST(NumberText, RoundsHalfUpOnTheDigitString) {
  for (const TextCase& c : std::initializer_list<TextCase>{
           // The 16th digit is exactly 5: half up, where ties to even would keep the 15th.
           {100000000000000.5L, "100000000000001", ""},
           {100000000000002.5L, "100000000000003", ""},
           {-100000000000002.5L, "-100000000000003", ""},
           {999999999999999.4375L, "999999999999999", ""},
           // The carry runs out past the first digit.
           {9999999999999995.0L, "1E16", ""},
           {0.9999999999999995L, "1", ""},
       }) {
    EXPECT_EQ(numberText(c.value, ','), c.withComma);
  }
}

// The eighteen digits are rounded with ties to even, before the half-up step looks at them.
TEST(NumberText, RoundsTheEighteenDigitsTiesToEven) {
  for (const TextCase& c : std::initializer_list<TextCase>{
           // ...499,5 goes up to the even ...500, which then rounds the 15 digits up.
           {1000000000000004995.0L, "1,00000000000001E18", ""},
           // ...498,5 stays at the even ...498.
           {1000000000000004985.0L, "1E18", ""},
           // The same when the scaled value itself lies halfway between two integers.
           {500000000000000499.5L, "5,00000000000001E17", ""},
           {500000000000000498.5L, "5E17", ""},
           {500000000000000499.25L, "5E17", ""},
       }) {
    EXPECT_EQ(numberText(c.value, ','), c.withComma);
  }
}

// The text rounds to nearest whatever rounding the caller has set.
TEST(NumberText, IsTheSameUnderEveryRoundingMode) {
  for (const int mode : {FE_DOWNWARD, FE_UPWARD, FE_TOWARDZERO}) {
    ASSERT_EQ(std::fesetround(mode), 0);
    const std::string halfway = numberText(500000000000000499.5L, ',');
    const std::string quarter = numberText(500000000000000499.25L, ',');
    const std::string third = numberText(One / 3, ',');
    std::fesetround(FE_TONEAREST);
    EXPECT_EQ(halfway, "5,00000000000001E17") << mode;
    EXPECT_EQ(quarter, "5E17") << mode;
    EXPECT_EQ(third, "0,333333333333333") << mode;
  }
}

TEST(NumberText, InfinitiesAndValuesThatAreNoNumberAreWrittenAsWords) {
  const Extended infinity = std::numeric_limits<Extended>::infinity();
  const Extended notANumber = std::numeric_limits<Extended>::quiet_NaN();
  for (const TextCase& c : std::initializer_list<TextCase>{
           {infinity, "INF", ""},
           {-infinity, "-INF", ""},
           {notANumber, "NAN", ""},
           {-notANumber, "NAN", ""},
           {fromFields(0x4000000000000000ULL, 0x3FFF), "NAN", ""},  // an unnormal
       }) {
    EXPECT_EQ(numberText(c.value, ','), c.withComma);
  }
}

TEST(NumberText, ZerosAndDenormalsAreWrittenAsZero) {
  for (const TextCase& c : std::initializer_list<TextCase>{
           {-0.0L, "0", ""},
           {std::numeric_limits<Extended>::denorm_min(), "0", ""},
           {-std::numeric_limits<Extended>::denorm_min(), "0", ""},
           {fromFields(0x7FFFFFFFFFFFFFFFULL, 0), "0", ""},  // largest denormal
       }) {
    EXPECT_EQ(numberText(c.value, ','), c.withComma);
  }
}

TEST(NumberText, TheEndsOfTheNormalRangeAreWrittenWithTheirDigits) {
  for (const TextCase& c : std::initializer_list<TextCase>{
           {std::numeric_limits<Extended>::max(), "1,18973149535723E4932", ""},
           {-std::numeric_limits<Extended>::max(), "-1,18973149535723E4932", ""},
           {std::numeric_limits<Extended>::min(), "3,36210314311209E-4932", ""},
       }) {
    EXPECT_EQ(numberText(c.value, ','), c.withComma);
  }
}

// Below about 1E-205 the decimal exponent estimate can come out one too high; the digits then
// start with a 0, which the text keeps (14 significant digits).
TEST(NumberText, KeepsTheLeadingZeroDigitOfTheEstimateForTinyValues) {
  for (const TextCase& c : std::initializer_list<TextCase>{
           {9e-3054L, "0,9E-3053", ""},
           {9e-3200L, "0,9E-3199", ""},
           {fromFields(0x9454107cbe63dcf6ULL, 0x00c3), "0,97823785623609E-4873", ""},
           {fromFields(0x82339d73bae36380ULL, 0x80d7), "-0,90040215804791E-4867", ""},
           {1e-300L, "1E-300", ""},
       }) {
    EXPECT_EQ(numberText(c.value, ','), c.withComma);
  }
}

TEST(NumberText, NeverExceedsItsCapacity) {
  const Extended longest = -std::nextafter(std::numeric_limits<Extended>::min(), 1.0L);
  char text[NumberTextCapacity];
  EXPECT_LE(writeNumberText(longest, ',', text), NumberTextCapacity);
  EXPECT_EQ(numberText(longest, ','), "-3,36210314311209E-4932");
}

// Every decimal of up to 15 significant digits in the range where the estimate is exact reads
// as a value whose number text gives the same digits back.
TEST(NumberText, FifteenDigitDecimalsSurviveTheRoundTrip) {
  std::mt19937_64 random(42);
  for (int i = 0; i < 200000; ++i) {
    const int digitCount = 1 + static_cast<int>(random() % 15);
    std::string digits;
    for (int k = 0; k < digitCount; ++k) {
      digits += static_cast<char>('0' + random() % 10);
    }
    digits[0] = static_cast<char>('1' + random() % 9);
    while (digits.size() > 1 && digits.back() == '0') {
      digits.pop_back();
    }
    const int exponent = static_cast<int>(random() % 5000) - 200;
    std::string text = digits.substr(0, 1);
    if (digits.size() > 1) {
      text += "," + digits.substr(1);
    }
    text += "E" + std::to_string(exponent);
    const std::string written = numberText(readNumber(text, ','), ',');
    const Extended again = readNumber(written, ',');
    ASSERT_EQ(again, readNumber(text, ',')) << text << " was written as " << written;
  }
}

// A Result text read back by a row reference and written again stays the same text, across
// the whole range (up to the values whose text rounds beyond the largest extended value).
TEST(NumberText, ReadingAndWritingATextAgainKeepsIt) {
  std::mt19937_64 random(7);
  for (int i = 0; i < 1000000; ++i) {
    ExtendedFields fields{(random() & 1) != 0, static_cast<int>(1 + random() % 0x7FFE),
                          random() | (1ULL << 63)};
    if (i % 3 == 0) {
      fields.storedExponent = static_cast<int>(1 + random() % 800);  // the tiny values
    }
    const Extended value = extendedFromFields(fields);
    if (std::fabs(value) > 1.18973149535723e4932L) {
      continue;
    }
    const std::string text = numberText(value, ',');
    ASSERT_EQ(numberText(readNumber(text, ','), ','), text);
  }
}

}  // namespace
}  // namespace numora

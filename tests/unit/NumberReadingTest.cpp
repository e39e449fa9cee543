#include <gtest/gtest.h>

#include <cfenv>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "FloatingPoint.h"
#include "NumberReading.h"
#include "NumberText.h"
#include "TestSupport.h"

namespace numora {
namespace {

struct ReadingCase {
  const char* text;
  const char* valueAsText;  // number text of the value read, with the same separator
};

// Texts in every form a number may take, written once with "," and read with "," and with
// "."; with "." every "," of the text is a full stop.
const ReadingCase NumberForms[] = {
    {" 12,5 ", "12,5"},   {"+3", "3"},          {",5", "0,5"},         {"5,", "5"},
    {",", "0"},           {"1E3", "1000"},      {"1e-2", "0,01"},      {"1E", "1"},
    {"1,5E20", "1,5E20"}, {"1E1000", "1E1000"}, {"-0,125", "-0,125"},  {"1E+3", "1000"},
    {"007", "7"},         {"1E-4999", "0"},     {"-1E0499", "-1E499"}, {"1E4932", "1E4932"},
};

std::string withFullStops(std::string text) {
  for (char& c : text) {
    if (c == ',') {
      c = '.';
    }
  }
  return text;
}

TEST(NumberReading, ReadsEveryFormOfNumberWithEitherSeparator) {
  for (const ReadingCase& c : NumberForms) {
    EXPECT_EQ(numberText(readNumber(c.text, ','), ','), c.valueAsText) << c.text;
    EXPECT_EQ(numberText(readNumber(withFullStops(c.text), '.'), '.'), withFullStops(c.valueAsText))
        << c.text;
  }
}

TEST(NumberReading, RejectsTextsThatAreNoNumber) {
  for (const char* text : {
           "",       "   ",    "-",       "+",    "E5",   "1,2,3", "1.5", "1 000",  "- 5",
           "1E5000", "1E4933", "0x10",    "INF",  "NAN",  "\t1",   "1\t", "1,5E2,", "1E+-2",
           "--1",    "+-1",    "1E49999", "1 E3", "1e 3", "$10",   "1x",  "12a",    "e",
       }) {
    EXPECT_EQ(test::faultOf([&] { readNumber(text, ','); }),
              std::string("EConvertError: '") + text + "' ist kein gültiger Gleitkommawert")
        << '[' << text << ']';
  }
}

TEST(NumberReading, TheSeparatorDecidesWhichTextsAreNumbers) {
  EXPECT_EQ(readNumber("0.5", '.'), 0.5L);
  EXPECT_EQ(test::faultOf([] { readNumber("0,5", '.'); }),
            "EConvertError: '0,5' ist kein gültiger Gleitkommawert");
  EXPECT_EQ(test::faultOf([] { readNumber("1.5", ','); }),
            "EConvertError: '1.5' ist kein gültiger Gleitkommawert");
}

TEST(NumberReading, MessageShowsTheWholeTextWithItsBlanks) {
  EXPECT_EQ(test::faultOf([] { readNumber("  1 2  ", ','); }),
            "EConvertError: '  1 2  ' ist kein gültiger Gleitkommawert");
  EXPECT_EQ(test::faultOf([] { readNumber(std::string("1\0", 2), ','); }),
            std::string("EConvertError: '1\0' ist kein gültiger Gleitkommawert", 53));
}

// Exponent digits are taken while the exponent is below 500, so four digits at most.
TEST(NumberReading, StopsTakingExponentDigitsAtFiveHundred) {
  EXPECT_EQ(readNumber("1E499", ','), 1e499L);
  EXPECT_EQ(readNumber("1E500", ','), 1e500L);
  EXPECT_EQ(readNumber("0E4999", ','), 0.0L);
  EXPECT_EQ(readNumber("0,000001E4937", ','), readNumber("1E4931", ','));
  EXPECT_THROW(readNumber("1E49990", ','), EConvertError);
  EXPECT_THROW(readNumber("1E5000", ','), EConvertError);
}

TEST(NumberReading, OverflowIsAConversionFault) {
  for (const std::string& text : {std::string("1E4933"), std::string("-2E4932"),
                                  std::string(5000, '9'), std::string("1E4999")}) {
    EXPECT_THROW(readNumber(text, ','), EConvertError) << text.substr(0, 20);
  }
  EXPECT_EQ(numberText(readNumber("1,18973149535723E4932", ','), ','), "1,18973149535723E4932");
}

// Digits are gathered as times ten, then plus the digit, each step rounded, so a long digit
// string can end on another value than its correctly rounded one.
TEST(NumberReading, GathersDigitsWithTwoRoundingsPerDigit) {
  EXPECT_EQ(readNumber("7988392397230311762922", ','), 7988392397230311762432.0L);
  EXPECT_NE(readNumber("7988392397230311762922", ','), 7988392397230311762944.0L);
  EXPECT_EQ(readNumber("9504905541662527402581", ','), 9504905541662527401984.0L);
  // Nineteen digits are still exact.
  EXPECT_EQ(readNumber("9999999999999999999", ','), 9999999999999999999.0L);
  EXPECT_EQ(readNumber("18446744073709551617", ','), 18446744073709551616.0L);
}

// All digits, fraction digits included, are gathered into one number before the scaling.
TEST(NumberReading, LongDigitStringsAreGatheredBeforeTheyAreScaled) {
  EXPECT_EQ(readNumber("0," + std::string(6000, '0') + "1", ','), 0.0L);
  EXPECT_EQ(numberText(readNumber("1," + std::string(4000, '0'), ','), ','), "1");
  // Six thousand digits overflow while they are gathered, whatever the scaling would give.
  EXPECT_THROW(readNumber("1," + std::string(6000, '0'), ','), EConvertError);
}

// Short plain decimals (a "-", up to eighteen digits, one separator between digits) are read
// by a shorter way; an exponent "E0" sends the same text down the full reading, which must give
// the same bits, under every rounding and precision the caller may have set.
TEST(NumberReading, ShortDecimalsReadAsTheFullReadingReadsThem) {
  std::mt19937_64 random(11);
  std::vector<std::string> texts = {"0",
                                    "-0",
                                    "-0,0",
                                    "7",
                                    "007",
                                    "0,1",
                                    "-0,75",
                                    "12,5",
                                    "5,",
                                    ",5",
                                    "-",
                                    "1,2,3",
                                    "--1",
                                    "+1",
                                    " 1",
                                    "12345678901234567,8",
                                    "999999999999999999",
                                    "9999999999999999999",
                                    "-999999999999999,999"};
  for (int i = 0; i < 20000; ++i) {
    std::string text = random() % 3 == 0 ? "-" : "";
    const int length = 1 + static_cast<int>(random() % 19);
    const int separatorAt = static_cast<int>(random() % (length + 1));
    for (int k = 0; k < length; ++k) {
      if (k == separatorAt && k > 0) {
        text += ',';
      }
      text += static_cast<char>('0' + random() % 10);
    }
    texts.push_back(text);
  }
  for (const int mode : {FE_TONEAREST, FE_DOWNWARD, FE_UPWARD, FE_TOWARDZERO}) {
    ASSERT_EQ(std::fesetround(mode), 0);
    for (const std::string& text : texts) {
      const std::string viaFullReading = test::faultOf([&] { readNumber(text + "E0", ','); });
      if (viaFullReading != "no fault") {
        EXPECT_NE(test::faultOf([&] { readNumber(text, ','); }), "no fault") << text;
        continue;
      }
      const Extended shortWay = readNumber(text, ',');
      const Extended fullWay = readNumber(text + "E0", ',');
      EXPECT_EQ(std::memcmp(&shortWay, &fullWay, 10), 0) << text << " with rounding " << mode;
    }
  }
  std::fesetround(FE_TONEAREST);
}

TEST(NumberReading, LeavesTheCallersFloatingPointStateAsItWas) {
  const std::uint16_t before = fpu::x87ControlWord();
  ASSERT_EQ(std::fesetround(FE_DOWNWARD), 0);
  const std::uint16_t downward = fpu::x87ControlWord();
  // Reading rounds to nearest whatever the caller's rounding is: one tenth rounded downward
  // would be a different value.
  const Extended tenth = readNumber("0,1", ',');
  EXPECT_EQ(fpu::x87ControlWord(), downward);
  EXPECT_THROW(readNumber("1E4933", ','), EConvertError);
  EXPECT_EQ(fpu::x87ControlWord(), downward);
  ASSERT_EQ(std::fesetround(FE_TONEAREST), 0);
  EXPECT_EQ(fpu::x87ControlWord(), before);
  EXPECT_EQ(tenth, 0.1L);

  std::feclearexcept(FE_ALL_EXCEPT);
  EXPECT_THROW(readNumber("1E4933", ','), EConvertError);
  EXPECT_EQ(std::fetestexcept(FE_OVERFLOW | FE_INVALID | FE_DIVBYZERO), 0);
}

}  // namespace
}  // namespace numora

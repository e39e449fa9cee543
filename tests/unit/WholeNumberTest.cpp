#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "TestSupport.h"
#include "WholeNumber.h"

namespace numora {
namespace {

TEST(WholeNumberReading, ReadsDecimalAndHexadecimalForms) {
  struct Case {
    const char* text;
    std::int32_t value;
  };
  for (const Case& c : std::initializer_list<Case>{
           {"42", 42},
           {" -7", -7},
           {"$1F", 31},
           {"0x10", 16},
           {"x10", 16},
           {"+x10", 16},
           {"0X10", 16},
           {"X10", 16},
           {"-$10", -16},
           {"$10", 16},
           {"007", 7},
           {"0", 0},
           {"-0", 0},
           {"$FFFFFFFF", -1},
           {"$80000000", -2147483648},
           {"-$80000000", -2147483648},
           {"$7fffffff", 2147483647},
           {"$0000000000001", 1},  // leading zeros are not significant digits
           {"-2147483648", -2147483648},
           {"2147483647", 2147483647},
           {"+2147483647", 2147483647},
           {"00000000002147483647", 2147483647},
           {"   12", 12},
       }) {
    EXPECT_EQ(readWholeNumber(c.text), c.value) << c.text;
    EXPECT_EQ(wholeNumberIn(c.text), c.value) << c.text;
  }
}

TEST(WholeNumberReading, RejectsEverythingElseWithTheWholeText) {
  for (const char* text : {
           "2147483648", "-2147483649", "21474836470", "99999999999", "",    "   ",
           "1,5",        "7 ",          "+-3",         "abc",         "$",   "0x",
           "x",          "-",           "+",           "$100000000",  "$1G", "0x-1",
           "1.5",        "1E3",         "--1",         "\t1",         "$ 1", "- 1",
       }) {
    EXPECT_EQ(test::faultOf([&] { readWholeNumber(text); }),
              std::string("EConvertError: '") + text + "' ist kein gültiger Integerwert")
        << '[' << text << ']';
    EXPECT_EQ(wholeNumberIn(text), std::nullopt) << '[' << text << ']';
  }
}

TEST(WholeNumberText, WritesDigitsWithoutLeadingZeros) {
  struct Case {
    std::int32_t value;
    const char* text;
  };
  for (const Case& c : std::initializer_list<Case>{
           {0, "0"},
           {7, "7"},
           {-7, "-7"},
           {100, "100"},
           {2147483647, "2147483647"},
           {-2147483647 - 1, "-2147483648"},
       }) {
    EXPECT_EQ(wholeNumberText(c.value), c.text);
    EXPECT_EQ(readWholeNumber(c.text), c.value);
  }
}

}  // namespace
}  // namespace numora

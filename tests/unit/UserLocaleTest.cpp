#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <string_view>

#include "NumberText.h"
#include "UserLocale.h"

namespace numora {
namespace {

// Run once per locale by CTest, with LC_ALL set and the separator that locale must give.
TEST(UserLocale, TakesTheDecimalSeparatorOfTheUsersLocale) {
  const char* expected = std::getenv("NUMORA_EXPECTED_SEPARATOR");
  ASSERT_NE(expected, nullptr) << "run through CTest, which sets the locale";
  const char separator = userDecimalSeparator();
  EXPECT_EQ(separator, expected[0]);
  EXPECT_EQ(numberText(2.5L, separator), std::string("2") + expected[0] + "5");
}

// A separator that can stand in a number would misread number texts: "5" would read "15" as
// 1.5, "E" would read "1E5" as 1.5. The Arabic decimal point is two bytes in UTF-8.
TEST(UserLocale, OnlyACommaOrAPointIsTakenAsTheSeparator) {
  const struct {
    std::string_view decimalPoint;
    char separator;
  } cases[] = {{",", ','}, {".", '.'}, {"", '.'},       {"5", '.'},
               {"E", '.'}, {"-", '.'}, {"\u066B", '.'}, {",,", '.'}};
  for (const auto& c : cases) {
    EXPECT_EQ(decimalSeparatorOf(c.decimalPoint), c.separator) << c.decimalPoint;
  }
}

}  // namespace
}  // namespace numora

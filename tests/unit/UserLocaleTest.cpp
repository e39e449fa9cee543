#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

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

}  // namespace
}  // namespace numora

#include <gtest/gtest.h>

#include <cfenv>
#include <cmath>
#include <cstring>
#include <functional>
#include <limits>
#include <numbers>
#include <string>

#include "CheckedMath.h"
#include "FloatingPoint.h"
#include "TestSupport.h"

namespace numora {
namespace {

// The test build uses the project's -O2: these run as the program runs them. The operands
// are plain constants on purpose, so a fault that the compiler could fold away would show.
constexpr Extended Largest = std::numeric_limits<Extended>::max();
constexpr Extended Smallest = std::numeric_limits<Extended>::min();

bool faultFlagPending() { return std::fetestexcept(FE_INVALID | FE_DIVBYZERO | FE_OVERFLOW) != 0; }

TEST(CheckedMath, RaisesTheFaultOfTheOperationThatFailed) {
  struct Case {
    const char* operation;
    std::function<void()> run;
    const char* fault;
  };
  for (const Case& c : std::initializer_list<Case>{
           {"max + max", [] { checkedAdd(Largest, Largest); }, "EOverflow: Gleitkommaüberlauf"},
           {"-max - max", [] { checkedSubtract(-Largest, Largest); },
            "EOverflow: Gleitkommaüberlauf"},
           {"1E4000 * 1E4000", [] { checkedMultiply(1e4000L, 1e4000L); },
            "EOverflow: Gleitkommaüberlauf"},
           {"max / 0,5", [] { checkedDivide(Largest, 0.5L); }, "EOverflow: Gleitkommaüberlauf"},
           {"1 / 0", [] { checkedDivide(1.0L, 0.0L); },
            "EZeroDivide: Gleitkommadivision durch Null"},
           {"-1 / -0", [] { checkedDivide(-1.0L, -0.0L); },
            "EZeroDivide: Gleitkommadivision durch Null"},
           {"0 / 0", [] { checkedDivide(0.0L, 0.0L); },
            "EInvalidOp: Ungültige Gleitkommaoperation"},
           {"ln 0", [] { checkedLn(0.0L); }, "EZeroDivide: Gleitkommadivision durch Null"},
           {"ln -1", [] { checkedLn(-1.0L); }, "EInvalidOp: Ungültige Gleitkommaoperation"},
           {"log 0", [] { checkedLog10(0.0L); }, "EZeroDivide: Gleitkommadivision durch Null"},
           {"log -2", [] { checkedLog10(-2.0L); }, "EInvalidOp: Ungültige Gleitkommaoperation"},
           {"exp 12000", [] { checkedExp(12000.0L); }, "EOverflow: Gleitkommaüberlauf"},
           {"exp 11357", [] { checkedExp(11357.0L); }, "EOverflow: Gleitkommaüberlauf"},
           {"trunc 2^63", [] { checkedTruncate(0x1p63L); },
            "EInvalidOp: Ungültige Gleitkommaoperation"},
           {"trunc -2^63 - 2", [] { checkedTruncate(-0x1p63L - 2); },
            "EInvalidOp: Ungültige Gleitkommaoperation"},
           {"trunc 1E300", [] { checkedTruncate(1e300L); },
            "EInvalidOp: Ungültige Gleitkommaoperation"},
       }) {
    EXPECT_EQ(test::faultOf(c.run), c.fault) << c.operation;
    EXPECT_FALSE(faultFlagPending()) << c.operation;
  }
}

// The forms for a calculation without pending fault flags raise the same faults and give the
// same values as the forms that clear such flags first.
TEST(CheckedMath, FormsWithoutPendingFlagsRaiseTheSameFaultsAndGiveTheSameValues) {
  using Operation = Extended (*)(Extended, Extended);
  using Tagged = Extended (*)(Extended, Extended, FaultFlagsClear);
  using Function = Extended (*)(Extended);
  using TaggedFunction = Extended (*)(Extended, FaultFlagsClear);
  const struct {
    Operation general;
    Tagged tagged;
  } operations[] = {{checkedAdd, checkedAdd},
                    {checkedSubtract, checkedSubtract},
                    {checkedMultiply, checkedMultiply},
                    {checkedDivide, checkedDivide}};
  const struct {
    Function general;
    TaggedFunction tagged;
  } functions[] = {{checkedLn, checkedLn},   {checkedLog10, checkedLog10},
                   {checkedExp, checkedExp}, {checkedSin, checkedSin},
                   {checkedCos, checkedCos}, {checkedTan, checkedTan}};
  const Extended operands[] = {
      0.0L,     -0.0L,     1.0L,     -2.5L,   1.0L / 3,
      Largest,  -Largest,  Smallest, 1e4000L, 1e-4000L,
      12000.0L, -20000.0L, 11357.0L, 0x1p63L, std::numbers::pi_v<Extended>};
  for (const Extended a : operands) {
    for (const Extended b : operands) {
      for (const auto& operation : operations) {
        Extended general = 0;
        Extended tagged = 0;
        EXPECT_EQ(test::faultOf([&] { general = operation.general(a, b); }),
                  test::faultOf([&] { tagged = operation.tagged(a, b, FaultFlagsClear{}); }));
        EXPECT_EQ(std::memcmp(&general, &tagged, 10), 0);
        EXPECT_FALSE(faultFlagPending());
      }
    }
    for (const auto& function : functions) {
      Extended general = 0;
      Extended tagged = 0;
      EXPECT_EQ(test::faultOf([&] { general = function.general(a); }),
                test::faultOf([&] { tagged = function.tagged(a, FaultFlagsClear{}); }));
      EXPECT_EQ(std::memcmp(&general, &tagged, 10), 0);
      EXPECT_FALSE(faultFlagPending());
    }
  }
}

TEST(CheckedMath, UnderflowAndInexactResultsAreSilent) {
  EXPECT_EQ(checkedMultiply(1e-4000L, 1e-4000L), 0.0L);
  EXPECT_EQ(checkedDivide(Smallest, 1e100L), 0.0L);
  EXPECT_EQ(checkedExp(-20000.0L), 0.0L);
  EXPECT_NO_THROW(checkedDivide(1.0L, 3.0L));
  EXPECT_EQ(checkedSubtract(Smallest, Smallest * 0.5L), Smallest * 0.5L);
  EXPECT_FALSE(faultFlagPending());
}

TEST(CheckedMath, ComputesInExtendedPrecision) {
  EXPECT_EQ(checkedAdd(2.0L, 3.0L), 5.0L);
  EXPECT_EQ(checkedSubtract(5.0L, 3.0L), 2.0L);
  EXPECT_EQ(checkedSubtract(3.0L, 5.0L), -2.0L);
  EXPECT_EQ(checkedMultiply(-4.0L, 2.5L), -10.0L);
  EXPECT_EQ(checkedDivide(1.0L, 8.0L), 0.125L);
  EXPECT_EQ(checkedDivide(8.0L, 1.0L), 8.0L);
  // 2^64 + 1 is not an extended value; 2^63 + 1 is, where a double would round it away.
  EXPECT_EQ(checkedAdd(0x1p63L, 1.0L) - 0x1p63L, 1.0L);
  EXPECT_EQ(checkedDivide(1.0L, 3.0L), 1.0L / 3);
  EXPECT_EQ(checkedLn(1.0L), 0.0L);
  EXPECT_NEAR(static_cast<double>(checkedLog10(1000.0L)), 3.0, 1e-18);
  EXPECT_EQ(checkedExp(0.0L), 1.0L);
  EXPECT_NEAR(static_cast<double>(checkedLn(std::numbers::e_v<Extended>)), 1.0, 1e-18);
  EXPECT_NEAR(static_cast<double>(checkedSin(std::numbers::pi_v<Extended> / 6)), 0.5, 1e-18);
  EXPECT_NEAR(static_cast<double>(checkedCos(std::numbers::pi_v<Extended> / 3)), 0.5, 1e-18);
  EXPECT_NEAR(static_cast<double>(checkedTan(std::numbers::pi_v<Extended> / 4)), 1.0, 1e-18);
  EXPECT_EQ(checkedTruncate(-2.9L), -2);
  EXPECT_EQ(checkedTruncate(2.9L), 2);
  EXPECT_EQ(checkedTruncate(-0x1p63L), std::numeric_limits<std::int64_t>::min());
  EXPECT_EQ(checkedTruncate(0x1p63L - 1), std::numeric_limits<std::int64_t>::max());
}

// A fault flag that other code left pending is not taken for a fault of the next operation.
TEST(CheckedMath, IgnoresFlagsThatOtherCodeLeftPending) {
  for (const int flag : {FE_OVERFLOW, FE_DIVBYZERO, FE_INVALID}) {
    std::feraiseexcept(flag);
    EXPECT_EQ(checkedAdd(1.0L, 2.0L), 3.0L);
    std::feraiseexcept(flag);
    EXPECT_EQ(checkedMultiply(2.0L, 2.0L), 4.0L);
    std::feraiseexcept(flag);
    EXPECT_EQ(checkedExp(0.0L), 1.0L);
    std::feraiseexcept(flag);
    EXPECT_EQ(checkedSin(0.0L), 0.0L);
  }
  std::feclearexcept(FE_ALL_EXCEPT);
}

TEST(CheckedMath, AFaultLeavesTheUnitReadyForTheNextCalculation) {
  EXPECT_THROW(checkedMultiply(Largest, 2.0L), EOverflow);
  EXPECT_FALSE(faultFlagPending());
  EXPECT_EQ(checkedAdd(1.0L, 1.0L), 2.0L);
  EXPECT_THROW(checkedLn(0.0L), EZeroDivide);
  EXPECT_EQ(checkedLn(1.0L), 0.0L);
  fpu::resetUnit();
  EXPECT_EQ(fpu::x87ControlWord() & fpu::ControlWordFields,
            fpu::StandardControlWord & fpu::ControlWordFields);
  EXPECT_EQ(fpu::pendingFlags(), 0u);
}

}  // namespace
}  // namespace numora

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

#include "PowersOfTen.h"

namespace numora {
namespace {

// 10^power as an exact binary integer, least significant 32-bit limb first.
std::vector<std::uint32_t> exactPowerOfTen(int power) {
  std::vector<std::uint32_t> limbs{1};
  for (int i = 0; i < power; ++i) {
    std::uint64_t carry = 0;
    for (std::uint32_t& limb : limbs) {
      const std::uint64_t product = std::uint64_t{limb} * 10 + carry;
      limb = static_cast<std::uint32_t>(product);
      carry = product >> 32;
    }
    if (carry != 0) {
      limbs.push_back(static_cast<std::uint32_t>(carry));
    }
  }
  return limbs;
}

bool bitAt(const std::vector<std::uint32_t>& limbs, int bit) {
  return (limbs[static_cast<std::size_t>(bit / 32)] >> (bit % 32)) & 1;
}

// The extended value nearest to 10^power, rounded to 64 significant bits with ties to even,
// worked out bit by bit from the exact integer.
Extended nearestExtendedPowerOfTen(int power) {
  const std::vector<std::uint32_t> limbs = exactPowerOfTen(power);
  int length = static_cast<int>(limbs.size()) * 32;
  while (!bitAt(limbs, length - 1)) {
    --length;
  }
  const int dropped = length > 64 ? length - 64 : 0;
  std::uint64_t significand = 0;
  for (int bit = length - 1; bit >= dropped; --bit) {
    significand = (significand << 1) | static_cast<std::uint64_t>(bitAt(limbs, bit));
  }
  if (dropped > 0 && bitAt(limbs, dropped - 1)) {
    bool above = false;
    for (int bit = dropped - 2; bit >= 0 && !above; --bit) {
      above = bitAt(limbs, bit);
    }
    if (above || (significand & 1) != 0) {
      ++significand;  // a carry out of 64 bits gives 0 and so is caught below
    }
  }
  if (significand == 0) {
    return std::ldexp(static_cast<Extended>(1), length);
  }
  return std::ldexp(static_cast<Extended>(significand), dropped);
}

TEST(PowersOfTen, EveryFactorIsTheNearestExtendedValue) {
  std::vector<int> powers;
  for (int p = 0; p < 32; ++p) {
    powers.push_back(p);
  }
  for (int p = 32; p <= 480; p += 32) {
    powers.push_back(p);
  }
  for (int p = 512; p <= 4608; p += 512) {
    powers.push_back(p);
  }
  for (const int power : powers) {
    // Scaling one by a single factor gives the factor itself.
    EXPECT_EQ(scaleByPowerOfTen(1.0L, power), nearestExtendedPowerOfTen(power)) << power;
  }
}

struct ScalingCase {
  Extended value;
  int power;
  Extended scaled;
};

TEST(PowersOfTen, ScalingPastTheRangeGivesInfinityOrZero) {
  const Extended infinity = std::numeric_limits<Extended>::infinity();
  for (const ScalingCase& c : std::initializer_list<ScalingCase>{
           {2.5L, 5120, infinity},
           {1.0L, 4933, infinity},
           {2.5L, -5120, 0.0L},
           {2.5L, -100000, 0.0L},
       }) {
    EXPECT_EQ(scaleByPowerOfTen(c.value, c.power), c.scaled) << c.power;
  }
}

TEST(PowersOfTen, ScalingBySmallPowersIsExact) {
  for (const ScalingCase& c : std::initializer_list<ScalingCase>{
           {2.5L, 0, 2.5L},
           {3.0L, 2, 300.0L},
           {300.0L, -2, 3.0L},
       }) {
    EXPECT_EQ(scaleByPowerOfTen(c.value, c.power), c.scaled) << c.power;
  }
}

}  // namespace
}  // namespace numora

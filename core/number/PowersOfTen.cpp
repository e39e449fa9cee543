#include "PowersOfTen.h"

#include <limits>

namespace numora {

namespace {

// 10^(32 * i); index 0 is never used.
constexpr Extended ThirtyTwosFactors[16] = {
    1e0L,   1e32L,  1e64L,  1e96L,  1e128L, 1e160L, 1e192L, 1e224L,
    1e256L, 1e288L, 1e320L, 1e352L, 1e384L, 1e416L, 1e448L, 1e480L,
};

// 10^(512 * i); index 0 is never used.
constexpr Extended FiveTwelvesFactors[10] = {
    1e0L, 1e512L, 1e1024L, 1e1536L, 1e2048L, 1e2560L, 1e3072L, 1e3584L, 1e4096L, 1e4608L,
};

constexpr int ExponentLimit = 5120;

}  // namespace

namespace detail {

Extended scaleByLargePowerOfTen(Extended value, int exponent) {
  if (exponent >= ExponentLimit) {
    return std::numeric_limits<Extended>::infinity();
  }
  if (exponent <= -ExponentLimit) {
    return 0.0L;
  }
  const unsigned magnitude = static_cast<unsigned>(exponent > 0 ? exponent : -exponent);
  const unsigned thirtyTwos = (magnitude / 32) % 16;
  const unsigned fiveTwelves = magnitude / 512;
  if (exponent > 0) {
    value *= OnesFactors[magnitude % 32];
    if (thirtyTwos != 0) {
      value *= ThirtyTwosFactors[thirtyTwos];
    }
    if (fiveTwelves != 0) {
      value *= FiveTwelvesFactors[fiveTwelves];
    }
  } else {
    value /= OnesFactors[magnitude % 32];
    if (thirtyTwos != 0) {
      value /= ThirtyTwosFactors[thirtyTwos];
    }
    if (fiveTwelves != 0) {
      value /= FiveTwelvesFactors[fiveTwelves];
    }
  }
  return value;
}

}  // namespace detail

}  // namespace numora

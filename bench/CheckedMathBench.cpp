#include <benchmark/benchmark.h>

#include <cfenv>

#include "CheckedMath.h"

namespace {

using numora::Extended;

// A dependent chain of operations, as a stack reduction makes them, plain and checked.
void PlainMultiplyAdd(benchmark::State& state) {
  Extended value = 1.0L;
  const Extended factor = 1.0000001L;
  for (auto _ : state) {
    value = value * factor;
    value = value + 1.0L;
    benchmark::DoNotOptimize(value);
  }
  state.SetItemsProcessed(2 * state.iterations());
}
BENCHMARK(PlainMultiplyAdd);

void CheckedMultiplyAdd(benchmark::State& state) {
  Extended value = 1.0L;
  const Extended factor = 1.0000001L;
  for (auto _ : state) {
    value = numora::checkedMultiply(value, factor);
    value = numora::checkedAdd(value, 1.0L);
    benchmark::DoNotOptimize(value);
  }
  state.SetItemsProcessed(2 * state.iterations());
}
BENCHMARK(CheckedMultiplyAdd);

void CheckedDivide(benchmark::State& state) {
  Extended value = 1e300L;
  const Extended divisor = 1.0000001L;
  for (auto _ : state) {
    value = numora::checkedDivide(value, divisor);
    benchmark::DoNotOptimize(value);
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(CheckedDivide);

// The same flag test through the C library, for comparison.
void FenvMultiplyAdd(benchmark::State& state) {
  Extended value = 1.0L;
  const Extended factor = 1.0000001L;
  for (auto _ : state) {
    std::feclearexcept(FE_ALL_EXCEPT);
    asm volatile("" : "+m"(value));
    value = value * factor;
    asm volatile("" : "+m"(value));
    if (std::fetestexcept(FE_OVERFLOW | FE_DIVBYZERO | FE_INVALID)) {
      state.SkipWithError("fault");
    }
    std::feclearexcept(FE_ALL_EXCEPT);
    value = value + 1.0L;
    asm volatile("" : "+m"(value));
    if (std::fetestexcept(FE_OVERFLOW | FE_DIVBYZERO | FE_INVALID)) {
      state.SkipWithError("fault");
    }
    benchmark::DoNotOptimize(value);
  }
  state.SetItemsProcessed(2 * state.iterations());
}
BENCHMARK(FenvMultiplyAdd);

void CheckedLnExp(benchmark::State& state) {
  Extended value = 2.0L;
  for (auto _ : state) {
    benchmark::DoNotOptimize(numora::checkedExp(numora::checkedLn(value) * 3));
  }
  state.SetItemsProcessed(2 * state.iterations());
}
BENCHMARK(CheckedLnExp);

}  // namespace

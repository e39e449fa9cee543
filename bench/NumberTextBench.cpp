#include <benchmark/benchmark.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "NumberReading.h"
#include "NumberText.h"

namespace {

using numora::Extended;

// Values of the kinds a table calculation produces: small whole numbers, fractions with many
// digits, large and tiny magnitudes in exponent form.
std::vector<Extended> sampleValues() {
  std::mt19937_64 random(20261207);
  std::uniform_real_distribution<double> unit(0.0, 1.0);
  std::vector<Extended> values;
  for (int i = 0; i < 1024; ++i) {
    switch (i % 4) {
      case 0:
        values.push_back(static_cast<Extended>(random() % 10000));
        break;
      case 1:
        values.push_back(static_cast<Extended>(unit(random)) * 1000 / 7);
        break;
      case 2:
        values.push_back(static_cast<Extended>(unit(random)) * 1e300L);
        break;
      default:
        values.push_back(-static_cast<Extended>(unit(random)) * 1e-30L);
        break;
    }
  }
  return values;
}

std::vector<std::string> sampleTexts() {
  std::vector<std::string> texts;
  for (const Extended value : sampleValues()) {
    texts.push_back(numora::numberText(value, ','));
  }
  return texts;
}

void NumberText(benchmark::State& state) {
  const std::vector<Extended> values = sampleValues();
  char text[numora::NumberTextCapacity];
  std::size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(numora::writeNumberText(values[i++ % values.size()], ',', text));
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(NumberText);

void NumberTextAsString(benchmark::State& state) {
  const std::vector<Extended> values = sampleValues();
  std::size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(numora::numberText(values[i++ % values.size()], ','));
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(NumberTextAsString);

void NumberReading(benchmark::State& state) {
  const std::vector<std::string> texts = sampleTexts();
  std::size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(numora::readNumber(texts[i++ % texts.size()], ','));
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(NumberReading);

void NumberReadingOfShortLiteral(benchmark::State& state) {
  const std::string texts[] = {"2", "30", "0,5", "100", "3,14"};
  std::size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(numora::readNumber(texts[i++ % 5], ','));
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(NumberReadingOfShortLiteral);

}  // namespace

// A value table of the ten-row mix over 100,000 values of x: at least the rate of calculate
// all, that is a million rows in about half a second.

#include <benchmark/benchmark.h>

#include <string>

#include "Faults.h"
#include "MixTable.h"
#include "ValueTable.h"

namespace {

const numora::CalculationInputs Inputs{"30", "3", "4", ','};
const numora::ValueRange HundredThousandValues{-50000, 49999, 1};

void ValueTableOfTheMix100000Values(benchmark::State& state) {
  const std::vector<numora::bench::MixLine> mix = numora::bench::readMix();
  const numora::RowTable table = numora::bench::mixTable(mix, static_cast<int>(mix.size()));
  std::size_t faults = 0;
  for (auto _ : state) {
    const std::vector<numora::ValueLine> lines =
        numora::calculateValueTable(table, Inputs, numora::Variable::X, HundredThousandValues);
    faults = 0;
    for (const numora::ValueLine& line : lines) {
      faults += line.fault ? 1 : 0;
    }
    benchmark::DoNotOptimize(lines.data());
  }
  const double rows = static_cast<double>(HundredThousandValues.count() * mix.size());
  state.counters["values"] = static_cast<double>(HundredThousandValues.count());
  state.counters["values_with_a_fault"] = static_cast<double>(faults);
  state.counters["rows_per_second"] = benchmark::Counter(
      static_cast<double>(state.iterations()) * rows, benchmark::Counter::kIsRate);
}
BENCHMARK(ValueTableOfTheMix100000Values)->Unit(benchmark::kMillisecond);

// The same work by hand: calculate all on the table, x set to each value in turn, the Results
// taken as they are. What a value table costs beyond that is its bookkeeping.
void CalculateAllOfTheMixFor100000Values(benchmark::State& state) {
  const std::vector<numora::bench::MixLine> mix = numora::bench::readMix();
  numora::RowTable table = numora::bench::mixTable(mix, static_cast<int>(mix.size()));
  numora::CalculationInputs inputs = Inputs;
  for (auto _ : state) {
    for (std::size_t i = 0; i < HundredThousandValues.count(); ++i) {
      inputs.x = std::to_string(HundredThousandValues.value(i));
      try {
        numora::calculateAll(table, inputs);
      } catch (const numora::Exception&) {
      }
    }
    benchmark::DoNotOptimize(table.row(0).result.data());
  }
  const double rows = static_cast<double>(HundredThousandValues.count() * mix.size());
  state.counters["rows_per_second"] = benchmark::Counter(
      static_cast<double>(state.iterations()) * rows, benchmark::Counter::kIsRate);
}
BENCHMARK(CalculateAllOfTheMixFor100000Values)->Unit(benchmark::kMillisecond);

}  // namespace

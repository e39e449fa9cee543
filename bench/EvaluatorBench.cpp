// Calculation throughput over the benchmark mix, beside muparser (double precision), which
// parses and evaluates the same calculations row by row.

#include <benchmark/benchmark.h>
#include <muParser.h>

#include <vector>

#include "Calculation.h"
#include "Evaluator.h"
#include "MixTable.h"

namespace {

using numora::Extended;

constexpr int TableRows = 100000;
const numora::CalculationInputs Inputs{"30", "3", "4", ','};

// EvaluateTerm over one pass of the mix, after the table has been calculated once so that
// every row reference has a Result to read.
void EvaluateTermOverMix(benchmark::State& state) {
  const std::vector<numora::bench::MixLine> mix = numora::bench::readMix();
  numora::RowTable table = numora::bench::mixTable(mix, static_cast<int>(mix.size()));
  numora::calculateAll(table, Inputs);
  numora::TermEvaluator evaluator(table, Inputs.separator);
  std::size_t row = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(
        evaluator.EvaluateTerm(table.row(static_cast<int>(row)).term, 30, 3, 4));
    row = (row + 1) % mix.size();
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(EvaluateTermOverMix);

void CalculateAll100000Rows(benchmark::State& state) {
  numora::RowTable table = numora::bench::mixTable(numora::bench::readMix(), TableRows);
  for (auto _ : state) {
    numora::calculateAll(table, Inputs);
  }
  state.SetItemsProcessed(state.iterations() * TableRows);
  state.counters["rows_per_second"] = benchmark::Counter(
      static_cast<double>(state.iterations()) * TableRows, benchmark::Counter::kIsRate);
}
BENCHMARK(CalculateAll100000Rows)->Unit(benchmark::kMillisecond);

// muparser parses and evaluates every row, as a table recalculation must.
void MuparserParseAndEvaluate100000Rows(benchmark::State& state) {
  const std::vector<numora::bench::MixLine> mix = numora::bench::readMix();
  mu::Parser parser;
  double x = 30, y = 3, z = 4, e = 0;
  parser.DefineVar("x", &x);
  parser.DefineVar("y", &y);
  parser.DefineVar("z", &z);
  parser.DefineVar("e", &e);
  for (auto _ : state) {
    for (int row = 0; row < TableRows; ++row) {
      parser.SetExpr(mix[static_cast<std::size_t>(row) % mix.size()].muparser);
      e = parser.Eval();
    }
    benchmark::DoNotOptimize(e);
  }
  state.SetItemsProcessed(state.iterations() * TableRows);
  state.counters["rows_per_second"] = benchmark::Counter(
      static_cast<double>(state.iterations()) * TableRows, benchmark::Counter::kIsRate);
}
BENCHMARK(MuparserParseAndEvaluate100000Rows)->Unit(benchmark::kMillisecond);

}  // namespace

// Undo on the million-row table: of a new table (the rows move back) and of calculate all (a
// million Results exchanged back). The goal is well under 0.2 s each.

#include <benchmark/benchmark.h>

#include <chrono>

#include "MixTable.h"
#include "TableHistory.h"

namespace {

constexpr int MillionRows = 1000000;
const numora::CalculationInputs Inputs{"30", "3", "4", ','};

void UndoOfANewTableOfAMillionRows(benchmark::State& state) {
  numora::RowTable table = numora::bench::mixTable(numora::bench::readMix(), MillionRows);
  numora::TableHistory history(table);
  for (auto _ : state) {
    state.PauseTiming();
    history.newTable(-1);
    state.ResumeTiming();
    history.undo(-1);
  }
  benchmark::DoNotOptimize(table.rowCount());
}
BENCHMARK(UndoOfANewTableOfAMillionRows)->Unit(benchmark::kMillisecond)->Iterations(5);

void CalculateAllAndItsUndoOnAMillionRows(benchmark::State& state) {
  numora::RowTable table = numora::bench::mixTable(numora::bench::readMix(), MillionRows);
  numora::TableHistory history(table);
  double undoSeconds = 0;
  for (auto _ : state) {
    int row = 0;
    history.calculateAll(-1, Inputs, row);
    const auto start = std::chrono::steady_clock::now();
    history.undo(-1);
    undoSeconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  }
  state.counters["undo_ms"] = 1000 * undoSeconds / static_cast<double>(state.iterations());
  state.counters["step_MB"] = static_cast<double>(history.bytes()) / (1 << 20);
}
BENCHMARK(CalculateAllAndItsUndoOnAMillionRows)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

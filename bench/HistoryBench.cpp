// Undo on the million-row table: of a new table (the rows move back) and of calculate all (a
// million Results exchanged back). The goal is well under 0.2 s each. And the status of the
// Results a window shows after x changed, which must not look at the other rows.

#include <benchmark/benchmark.h>

#include <chrono>
#include <string>

#include "MixTable.h"
#include "RowCommands.h"
#include "TableHistory.h"
#include "WholeNumber.h"

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

// x changed, then the statuses of the forty rows a window shows, asked twice as two repaints
// ask them. The goal is well under a millisecond.
void StatusOfTheShownRowsAfterXChanged(benchmark::State& state) {
  numora::RowTable table = numora::bench::mixTable(numora::bench::readMix(), MillionRows);
  numora::TableHistory history(table);
  int row = 0;
  history.calculateAll(-1, Inputs, row);
  numora::CalculationInputs fields = Inputs;
  int current = 0;
  for (auto _ : state) {
    fields.x = fields.x == "30" ? "31" : "30";
    for (int repaint = 0; repaint < 2; ++repaint) {
      for (int index = MillionRows / 2; index < MillionRows / 2 + 40; ++index) {
        current += history.statusOf(index, fields).current ? 1 : 0;
      }
    }
  }
  benchmark::DoNotOptimize(current);
}
BENCHMARK(StatusOfTheShownRowsAfterXChanged)->Unit(benchmark::kMicrosecond);

// The worst case: every row reads the one above, the first reads x. After x changed, the
// status of the last row follows the whole chain once; the rows next to it are known then.
void StatusAtTheEndOfAChainOfAMillionRowsAfterXChanged(benchmark::State& state) {
  numora::RowTable table;
  for (int index = 0; index < MillionRows; ++index) {
    numora::addRow(table, -1);
    numora::storeTerm(table, index,
                      index == 0 ? "x" : "Erg" + numora::wholeNumberText(index) + "+1");
  }
  numora::TableHistory history(table);
  int row = 0;
  history.calculateAll(-1, Inputs, row);
  numora::CalculationInputs fields = Inputs;
  int current = 0;
  for (auto _ : state) {
    fields.x = fields.x == "30" ? "31" : "30";
    for (int index = MillionRows - 1; index >= MillionRows - 40; --index) {
      current += history.statusOf(index, fields).current ? 1 : 0;
    }
  }
  benchmark::DoNotOptimize(current);
}
BENCHMARK(StatusAtTheEndOfAChainOfAMillionRowsAfterXChanged)->Unit(benchmark::kMillisecond);

}  // namespace

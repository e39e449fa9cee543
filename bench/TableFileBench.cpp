// Saving, opening and calculating a table of a million rows built from the benchmark mix.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <string>

#include "Calculation.h"
#include "FileAccess.h"
#include "MixTable.h"
#include "TableFile.h"

namespace {

constexpr int MillionRows = 1000000;

// The table file the benchmarks share; it stays in the build folder for measurements with
// numora-calc (for example its peak memory while opening).
const std::string TablePath = NUMORA_BENCH_TABLE;

const numora::RowTable& millionRowTable() {
  static const numora::RowTable table =
      numora::bench::realisticMixTable(numora::bench::readMix(), MillionRows);
  return table;
}

void SaveTableOfAMillionRows(benchmark::State& state) {
  const numora::RowTable& table = millionRowTable();
  for (auto _ : state) {
    numora::saveTable(table, TablePath);
  }
  state.SetItemsProcessed(state.iterations() * MillionRows);
}
BENCHMARK(SaveTableOfAMillionRows)->Unit(benchmark::kMillisecond)->Iterations(3);

void OpenTableOfAMillionRows(benchmark::State& state) {
  numora::saveTable(millionRowTable(), TablePath);
  for (auto _ : state) {
    numora::RowTable table;
    numora::openTable(table, TablePath);
    benchmark::DoNotOptimize(table.rowCount());
  }
  state.SetItemsProcessed(state.iterations() * MillionRows);
}
BENCHMARK(OpenTableOfAMillionRows)->Unit(benchmark::kMillisecond)->Iterations(3);

// The same table with its rows on one line, as another program may write it: read whole.
void OpenTableOfAMillionRowsOnOneLine(benchmark::State& state) {
  std::string document = numora::tableDocument(millionRowTable());
  std::replace(document.begin(), document.end(), '\n', ' ');
  const std::string path = TablePath + ".one-line.TBE";
  numora::writeWholeFile(path, document);
  for (auto _ : state) {
    numora::RowTable table;
    numora::openTable(table, path);
    benchmark::DoNotOptimize(table.rowCount());
  }
  state.SetItemsProcessed(state.iterations() * MillionRows);
}
BENCHMARK(OpenTableOfAMillionRowsOnOneLine)->Unit(benchmark::kMillisecond)->Iterations(3);

void CalculateAllOfAMillionRows(benchmark::State& state) {
  numora::RowTable table = millionRowTable();
  for (auto _ : state) {
    numora::calculateAll(table, {"30", "3", "4", ','});
  }
  state.SetItemsProcessed(state.iterations() * MillionRows);
}
BENCHMARK(CalculateAllOfAMillionRows)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

// Saving, opening and calculating tables of a million rows and more built from the benchmark mix.

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

// The saved table of `rows` rows: the shared file for a million, else one beside it.
std::string tablePathFor(int rows) {
  return rows == MillionRows
             ? TablePath
             : std::string(NUMORA_BENCH_FOLDER) + "/mix-" + std::to_string(rows) + ".TBE";
}

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

// Saves the mix table of `rows` rows, built only for it unless it is the shared million.
std::string savedMixTable(int rows) {
  const std::string path = tablePathFor(rows);
  if (rows == MillionRows) {
    numora::saveTable(millionRowTable(), path);
  } else {
    numora::saveTable(numora::bench::realisticMixTable(numora::bench::readMix(), rows), path);
  }
  return path;
}

// Opening a saved table, read line by line; "per_row" is the time of one row.
void OpenSavedTable(benchmark::State& state) {
  const int rows = static_cast<int>(state.range(0));
  const std::string path = savedMixTable(rows);
  for (auto _ : state) {
    numora::RowTable table;
    numora::openTable(table, path);
    benchmark::DoNotOptimize(table.rowCount());
  }
  state.SetItemsProcessed(state.iterations() * rows);
  state.counters["per_row"] =
      benchmark::Counter(static_cast<double>(state.iterations()) * rows,
                         benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(OpenSavedTable)
    ->Arg(MillionRows)
    ->Arg(5 * MillionRows)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

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

#include "MixTable.h"

#include <fstream>
#include <stdexcept>

#include "Calculation.h"
#include "RowCommands.h"
#include "WholeNumber.h"

namespace numora::bench {

std::vector<MixLine> readMix() {
  std::ifstream file(NUMORA_BENCH_MIX);
  if (!file) {
    throw std::runtime_error("cannot read " NUMORA_BENCH_MIX);
  }
  std::vector<MixLine> mix;
  std::string line;
  while (std::getline(file, line)) {
    if (line.empty() || line.front() == '#') {
      continue;
    }
    const std::size_t tab = line.find('\t');
    mix.push_back({line.substr(0, tab), line.substr(tab + 1)});
  }
  return mix;
}

RowTable mixTable(const std::vector<MixLine>& mix, int rows) {
  RowTable table;
  for (int i = 0; i < rows; ++i) {
    std::string term = mix[static_cast<std::size_t>(i) % mix.size()].term;
    const std::size_t at = term.find("{prev}");
    if (at != std::string::npos) {
      term.replace(at, 6, wholeNumberText(i));  // the row above has position i
    }
    addRow(table, -1);
    storeTerm(table, i, term);
  }
  return table;
}

RowTable realisticMixTable(const std::vector<MixLine>& mix, int rows) {
  static const char* const Names[] = {"Area",          "Net price",    "Discount share", "Rate",
                                      "Share of rest", "Slope",        "Direction",      "Ratio",
                                      "Mean load",     "Material cost"};
  RowTable table = mixTable(mix, rows);
  for (int i = 0; i < rows; ++i) {
    table.setName(i, std::string(Names[i % 10]) + " " + wholeNumberText(i / 10 + 1));
  }
  calculateAll(table, {"30", "3", "4", ','});
  return table;
}

}  // namespace numora::bench

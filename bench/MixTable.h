#pragma once

#include <string>
#include <vector>

#include "RowTable.h"

namespace numora::bench {

// One line of the benchmark mix: a Numora term and the same calculation for muparser.
struct MixLine {
  std::string term;      // "{prev}" stands for the position of the row above
  std::string muparser;  // "e" stands for the row above's result
};

// The lines of mix.tsv, without its comment lines.
std::vector<MixLine> readMix();

// A table of `rows` rows that repeats the mix lines in order, "{prev}" replaced.
RowTable mixTable(const std::vector<MixLine>& mix, int rows);

// The same table with names as users give them and every row calculated (x, y, z = 30, 3, 4).
RowTable realisticMixTable(const std::vector<MixLine>& mix, int rows);

}  // namespace numora::bench

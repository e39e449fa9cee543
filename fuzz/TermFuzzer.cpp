// Evaluates arbitrary bytes as a term against a small table and checks what the evaluator
// promises: it ends with a finite value or a fault, and leaves no floating-point fault flag
// pending. For the value it ends with, what its number text reads back as, computed without
// the text, is bit for bit what writing and reading the text gives.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string_view>

#include "Evaluator.h"
#include "Faults.h"
#include "FloatingPoint.h"
#include "NumberReading.h"
#include "NumberRounding.h"
#include "NumberText.h"

namespace {

numora::RowTable smallTable() {
  numora::RowTable table;
  table.appendRow({"first", "x", "2", "1"});
  table.appendRow({"second", "", "", "2"});
  table.appendRow({"third", "", "-1,5", "3"});
  table.appendRow({"fourth", "", "1E4000", "4"});
  return table;
}

void check(bool condition) {
  if (!condition) {
    std::abort();
  }
}

bool x87FaultFlagPending() { return (numora::x87::statusWord() & numora::fpu::FaultFlags) != 0; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const numora::RowTable table = smallTable();
  numora::TermEvaluator evaluator(table, ',');
  try {
    const numora::Extended value = evaluator.EvaluateTerm(
        std::string_view(reinterpret_cast<const char*>(data), size), 2, 3, 4);
    check(std::isfinite(value));
    check(!numora::numberText(value, ',').empty());
    const numora::Extended throughText = numora::readNumber(numora::numberText(value, ','), ',');
    const numora::Extended withoutText = numora::roundedThroughText(value, ',');
    check(std::memcmp(&throughText, &withoutText, 10) == 0);
  } catch (const numora::Exception& fault) {
    check(!fault.message().empty());
  }
  check(!x87FaultFlagPending());
  return 0;
}

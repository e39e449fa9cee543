// Evaluates arbitrary bytes as a term against a small table and checks what the evaluator
// promises: it ends with a finite value or a fault, and leaves no floating-point fault flag
// pending. For the value it ends with, what its number text reads back as, computed without
// the text, is bit for bit what writing and reading the text gives. Each term is evaluated
// once with a listener and once without: the value (all ten bytes), the number text and the
// fault (class and message) are the same, and every reading note points into the term or just
// past its end.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "Evaluator.h"
#include "Faults.h"
#include "FloatingPoint.h"
#include "NumberReading.h"
#include "NumberRounding.h"
#include "NumberText.h"
#include "ReadingNotes.h"

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

// Checks every note against the length of the term it was told for, and every rule's name.
class NoteChecker : public numora::TermListener {
 public:
  explicit NoteChecker(std::int64_t termLength) : termLength_(termLength) {}
  void noted(const numora::ReadingNote& note) override {
    check(note.at >= 1 && note.at <= termLength_ + 1);
    check(static_cast<std::size_t>(note.rule) < numora::ReadingRuleCount);
    check(!numora::ruleName(note.rule).empty());
  }

 private:
  std::int64_t termLength_;
};

// What one evaluation gave: the value's ten bytes and its number text, or the fault.
struct Outcome {
  bool faulted = false;
  unsigned char bytes[10] = {};
  std::string text;  // the number text, or the fault's class and message
};

Outcome evaluate(numora::TermEvaluator& evaluator, std::string_view term) {
  Outcome outcome;
  try {
    const numora::Extended value = evaluator.EvaluateTerm(term, 2, 3, 4);
    check(std::isfinite(value));
    std::memcpy(outcome.bytes, &value, sizeof outcome.bytes);
    outcome.text = numora::numberText(value, ',');
    check(!outcome.text.empty());
    const numora::Extended throughText = numora::readNumber(outcome.text, ',');
    const numora::Extended withoutText = numora::roundedThroughText(value, ',');
    check(std::memcmp(&throughText, &withoutText, 10) == 0);
  } catch (const numora::Exception& fault) {
    check(!fault.message().empty());
    outcome.faulted = true;
    outcome.text = std::string(fault.className()) + ": " + fault.message();
  }
  check(!x87FaultFlagPending());
  return outcome;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const numora::RowTable table = smallTable();
  const std::string_view term(reinterpret_cast<const char*>(data), size);
  numora::TermEvaluator plain(table, ',');
  const Outcome unheard = evaluate(plain, term);
  numora::TermEvaluator listened(table, ',');
  NoteChecker checker(static_cast<std::int64_t>(size));
  listened.setListener(&checker);
  const Outcome heard = evaluate(listened, term);
  check(heard.faulted == unheard.faulted);
  check(std::memcmp(heard.bytes, unheard.bytes, sizeof heard.bytes) == 0);
  check(heard.text == unheard.text);
  check(listened.faultFlag() == plain.faultFlag());
  return 0;
}

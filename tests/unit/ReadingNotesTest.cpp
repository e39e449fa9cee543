#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "Evaluator.h"
#include "Faults.h"
#include "NumberText.h"
#include "ReadingNotes.h"
#include "TestSupport.h"

namespace numora {
namespace {

// Keeps what an evaluation notes.
class NoteRecorder : public TermListener {
 public:
  void noted(const ReadingNote& note) override { notes.push_back(note); }
  std::vector<ReadingNote> notes;
};

// Evaluates terms with x, y, z = 2, 3, 4 and "," against the table of the evaluator's tests
// (row 1 holds "6", row 2 nothing yet, row 3 "-0,5"), once with a listener and once without.
class NotedEvaluation {
 public:
  NotedEvaluation() {
    table_.appendRow({"first", "", "6", "1"});
    table_.appendRow({"second", "", "", "2"});
    table_.appendRow({"third", "", "-0,5", "3"});
  }

  // The notes as "rule@position", by position, separated by blanks; the evaluation with the
  // listener must give the same number text or fault as the one without.
  std::string operator()(const std::string& term) {
    NoteRecorder recorder;
    listened_.setListener(&recorder);
    const std::string heard = outcome(listened_, term);
    EXPECT_EQ(heard, outcome(plain_, term)) << term;
    std::stable_sort(recorder.notes.begin(), recorder.notes.end(),
                     [](const ReadingNote& a, const ReadingNote& b) { return a.at < b.at; });
    std::string notes;
    for (const ReadingNote& note : recorder.notes) {
      notes += (notes.empty() ? "" : " ") + std::string(ruleName(note.rule)) + "@" +
               std::to_string(note.at);
    }
    return notes;
  }

 private:
  static std::string outcome(TermEvaluator& evaluator, const std::string& term) {
    std::string text;
    const std::string fault =
        test::faultOf([&] { text = numberText(evaluator.EvaluateTerm(term, 2, 3, 4), ','); });
    return fault == "no fault" ? text + " flag " + std::to_string(evaluator.faultFlag()) : fault;
  }

  RowTable table_;
  TermEvaluator listened_{table_, ','};
  TermEvaluator plain_{table_, ','};
};

struct NoteCase {
  const char* term;
  const char* notes;  // "rule@position ...", by position; empty for none
};

void expectNotes(std::initializer_list<NoteCase> cases) {
  NotedEvaluation notesOf;
  for (const NoteCase& c : cases) {
    EXPECT_EQ(notesOf(c.term), c.notes) << c.term;
  }
}

TEST(ReadingNotes, TermsReadAsTheyLookHaveNone) {
  expectNotes({
      {"(x^(2)*5)/6", ""},
      {"sin(x)*Erg1+2", ""},
      {"log(1000)+abs(-2,5)*y", ""},
      {"2^(-2)*z-1", ""},
      {"((x+1)^(2)+1)/Erg1", ""},
      {"10-6/2+1", ""},
      {"x-y", ""},
      {"2*-3", ""},
  });
}

TEST(ReadingNotes, TheFirstCharacterThatIsNoOperatorEndsItsLevel) {
  expectNotes({
      {"2.5", "ends-term-early@2"},
      {"2E3", "ends-term-early@2"},
      {"x2", "ends-term-early@2"},
      {"2)+3", "ends-term-early@2"},
      {"x\t+1", "ends-term-early@2"},
      {"(2.5)+1", "ends-term-early@3"},  // the group ends early, the term goes on
      {"2.5.3", "ends-term-early@2"},    // only the first one ends the term
      {"2.5+3.1", "ends-term-early@2"},
      {"2(3)", "bracket-after-operand@2"},
      {"(1)(2)", "bracket-after-operand@4"},
      {"(2)", ""},                     // a ")" ends its group as it should
      {"2.6/0", "ends-term-early@2"},  // the division is never reached
  });
}

TEST(ReadingNotes, AFormRightAfterAnOperandReplacesIt) {
  expectNotes({
      {"2x", "operand-replaced@2"},
      {"xy", "operand-replaced@2"},
      {"-x", "operand-replaced@2"},
      {"2*-x", "operand-replaced@4"},
      {"2sin(30)", "operand-replaced@2"},
      {"xErg1", "operand-replaced@2"},
      {"sin(30)cos(60)", "operand-replaced@8"},
      {"xyz", "operand-replaced@2 operand-replaced@3"},
  });
}

TEST(ReadingNotes, AMissingOperandReusesThePreviousOneOrFails) {
  expectNotes({
      {"2*+3", "two-operators@3"},
      {"2//4", "two-operators@3"},
      {"(2+)", "operand-used-again@4"},
      {"(2+", "bracket-not-closed@1 operand-used-again@4"},
      {"2+q", "operand-used-again@3 ends-term-early@3"},
      {"+1", "missing-operand@1"},
      {"()", "missing-operand@2"},
      {"(3)*+1", "missing-operand@5"},  // a group leaves the operand text empty
      {"2.5+*3", "ends-term-early@2"},  // after the end nothing counts
  });
}

TEST(ReadingNotes, AnOperatorAtTheEndTakesZero) {
  expectNotes({
      {"2+", "operator-at-end@2"},
      {"2*", "operator-at-end@2"},
      {"1+2*", "operator-at-end@4"},
      {"(2)-", "operator-at-end@4"},
      {"2/", "operator-at-end@2 zero-divisor@2"},
      {"2.5+", "ends-term-early@2"},
  });
}

TEST(ReadingNotes, ErgWithoutDigitsIsPassedOver) {
  expectNotes({
      {"2+Erg", "erg-without-number@3"},
      {"Erg+1", "erg-without-number@1"},
      {"2Erg", "erg-without-number@2"},
      {"2Erg1", "operand-replaced@2"},
      {"Erg1*2", ""},
  });
}

TEST(ReadingNotes, TheCharacterWhereABracketIsExpectedIsPassedOver) {
  expectNotes({
      {"sin30)", "function-without-bracket@4"},
      {"sin", "function-without-bracket@4 missing-operand@4"},  // 4: the end of the term
      {"x^23", "caret-without-bracket@3 bracket-not-closed@3"},
      {"x^2", "caret-without-bracket@3 missing-operand@4"},
      {"x^", "caret-without-bracket@3 missing-operand@3"},
      {"(1+2", "bracket-not-closed@1"},
      {"2*(3", "bracket-not-closed@3"},
      {"sin(30", "bracket-not-closed@4"},
      {"((1)", "bracket-not-closed@1"},
      {"sin(30)+x^(2)", ""},
  });
}

TEST(ReadingNotes, PowersTellTheRulesThatGiveTheirValue) {
  expectNotes({
      {"2^(3)^(2)", "powers-left-to-right@6"},
      {"x^(2)^(2)^(2)", "powers-left-to-right@6 powers-left-to-right@10"},
      {"-2^(2)", "minus-in-base@1"},
      {"-2^(3)", "minus-in-base@1"},
      {"(0-2)^(2)", ""},
      {"Erg3^(2)", ""},  // a negative Result is no literal
      {"(-2)^(0,5)", "power-without-value@5"},
      {"-2^(0,5)", "minus-in-base@1 power-without-value@3"},
      {"-^(0,5)", "power-without-value@2"},
      {"(0^(-0,5))", "power-without-value@3"},
      {"0^(-2)", "zero-base@2"},
      {"0^(0)", "zero-base@2"},
      {"0^(-0,5)", "zero-base@2"},
      {"(0^(0))", "zero-base@3"},
      {"0^(2)", ""},
      {"(0^(2))", ""},
  });
}

TEST(ReadingNotes, FunctionsTellTheRulesThatGiveTheirValue) {
  expectNotes({
      {"ln(0)", "logarithm-not-positive@1"},
      {"2*log(-1)", "logarithm-not-positive@3"},
      {"tan(180)", "tangent-right-angle@1"},
      {"tan(-270)", "tangent-right-angle@1"},
      {"ln(0)+tan(30)", "logarithm-not-positive@1 tangent-after-domain-rule@7"},
      {"(1/0)+tan(30)", "zero-divisor@3 tangent-after-domain-rule@7"},
      {"tan(30)+ln(0)", "logarithm-not-positive@9"},  // tan came first
      {"sin(10^(30))", "angle-too-large@1"},
      {"cos(0-10^(30))", "angle-too-large@1"},
      {"tan(x^(70))", "angle-too-large@1"},
      {"tan(9*10^(20))", "tangent-right-angle@1"},
      {"sign(0)+abs(-1)", ""},
  });
}

// Each "/" that meets a zero divisor is told once, at its own position, wherever the
// reduction has moved it by then.
TEST(ReadingNotes, AZeroDivisorIsToldAtItsDivision) {
  expectNotes({
      {"6/0+1", "zero-divisor@2"},
      {"2*3/0-1", "zero-divisor@4"},
      {"2*3*4/0", "zero-divisor@6"},
      {"1+6/0", "zero-divisor@4"},
      {"10-6/0+3", "zero-divisor@5"},
      {"1+2*3/0*5", "zero-divisor@6"},
      {"1/0/0", "zero-divisor@2"},
      {"x/(x-2)", "zero-divisor@2"},
      {"(1/0)+(2/0)", "zero-divisor@3 zero-divisor@9"},
      {"1-8/2/2", ""},
  });
}

TEST(ReadingNotes, EveryRuleHasANameAndASentenceOfItsOwn) {
  std::set<std::string> names;
  std::set<std::string> messages;
  const std::string unknown = readingNoteMessage("no-such-rule", 7, "x");
  for (std::size_t i = 0; i < ReadingRuleCount; ++i) {
    const ReadingNote note{7, static_cast<ReadingRule>(i)};
    const std::string name(ruleName(note.rule));
    const std::string message = noteMessage(note, "x");
    EXPECT_TRUE(names.insert(name).second) << name;
    EXPECT_TRUE(messages.insert(message).second) << message;
    EXPECT_NE(message, unknown) << name;
    EXPECT_EQ(message.rfind("Stelle 7: ", 0), 0U) << message;
    EXPECT_EQ(message.back(), '.') << message;
  }
}

}  // namespace
}  // namespace numora

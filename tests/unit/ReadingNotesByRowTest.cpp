#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "Calculation.h"
#include "ReadingNotesByRow.h"
#include "RowCommands.h"
#include "TableHistory.h"
#include "TestSupport.h"
#include "ValueTable.h"

namespace numora {
namespace {

using test::tableOfTerms;

// The notes as "rule@position" separated by blanks.
std::string shown(const std::vector<ReadingNote>& notes) {
  std::string text;
  for (const ReadingNote& note : notes) {
    text += (text.empty() ? "" : " ") + std::string(ruleName(note.rule)) + "@" +
            std::to_string(note.at);
  }
  return text;
}

CalculationInputs inputsTo(ReadingNotesByRow& notes) {
  CalculationInputs inputs{"2", "3", "4", ','};
  inputs.listener = &notes;
  return inputs;
}

// Positions count the characters of the Term as the user typed it, spaces and all; a
// multi-byte character is one, and the end of the term is one past its last character.
TEST(ReadingNotesByRow, PositionsCountInTheTermAsTyped) {
  struct Case {
    const char* term;
    const char* notes;
  };
  for (const Case& c : std::initializer_list<Case>{
           {"2.5", "ends-term-early@2"},
           {" 2 . 5", "ends-term-early@4"},
           {"2   x", "operand-replaced@5"},
           {"sin 30)", "function-without-bracket@5"},
           {"sin  ", "function-without-bracket@6 missing-operand@6"},
           {"x ^ 2 3", "caret-without-bracket@5 bracket-not-closed@5"},
           {"2 + ", "operator-at-end@3"},
           {"2×3", "ends-term-early@2"},
           {"( 2 × 3 ) + 4 x", "ends-term-early@5 operand-replaced@15"},
           {"(1 / 0) + tan(30)", "zero-divisor@4 tangent-after-domain-rule@11"},
       }) {
    RowTable table = tableOfTerms({c.term});
    ReadingNotesByRow notes(table);
    test::faultOf([&] { calculateRow(table, 0, inputsTo(notes)); });
    EXPECT_EQ(shown(notes.notesOf(0)), c.notes) << c.term;
  }
}

TEST(ReadingNotesByRow, TheSentenceQuotesTheCharacterAsTyped) {
  struct Case {
    const char* term;
    std::int64_t at;
    ReadingRule rule;
    const char* text;
  };
  for (const Case& c : std::initializer_list<Case>{
           {"2 × 3", 3, ReadingRule::EndsTermEarly,
            "Stelle 3: \"×\" ist kein Rechenzeichen und beendet hier den Term (oder die "
            "Klammer); der Rest darin zählt nicht."},
           {"x ^ 2", 5, ReadingRule::CaretWithoutBracket,
            "Stelle 5: Nach \"^\" wird \"(\" erwartet; \"2\" wird übersprungen."},
           {"x ^", 4, ReadingRule::CaretWithoutBracket,
            "Stelle 4: Nach \"^\" endet der Term; \"(\" fehlt."},
           {"sin\xff", 4, ReadingRule::FunctionWithoutBracket,
            "Stelle 4: Nach dem Funktionsnamen wird \"(\" erwartet; \"\xff\" wird übersprungen."},
       }) {
    EXPECT_EQ(noteText({c.at, c.rule}, c.term), c.text) << c.term;
  }
}

// A row's notes are those of its last evaluation, kept also when it failed, and they belong
// to the row that was being evaluated.
TEST(ReadingNotesByRow, ARowKeepsTheNotesOfItsLastEvaluation) {
  RowTable table = tableOfTerms({"2x", "  ", "Erg+1", "x+1"});
  ReadingNotesByRow notes(table);
  const CalculationInputs inputs = inputsTo(notes);
  EXPECT_EQ(test::faultOf([&] { calculateAll(table, inputs); }),
            "EConvertError: '' ist kein gültiger Gleitkommawert");
  const auto allNotes = [&] {
    std::vector<std::string> all;
    for (int i = 0; i < table.rowCount(); ++i) {
      all.push_back(shown(notes.notesOf(i)));
    }
    return all;
  };
  EXPECT_EQ(allNotes(),
            (std::vector<std::string>{"operand-replaced@2", "", "erg-without-number@1", ""}));
  EXPECT_EQ(notes.rowsWithNotes().size(), 2U);

  storeTerm(table, 0, "x");
  storeTerm(table, 2, "1.5");
  storeTerm(table, 3, "2+");
  calculateAll(table, inputs);
  EXPECT_EQ(allNotes(),
            (std::vector<std::string>{"", "", "ends-term-early@2", "operator-at-end@2"}));

  // A Term that became empty is passed over, and its row keeps what it had until the window
  // forgets it.
  storeTerm(table, 2, " ");
  calculateRow(table, 2, inputs);
  EXPECT_EQ(shown(notes.notesOf(2)), "ends-term-early@2");
  notes.clearRow(2);
  EXPECT_EQ(allNotes(), (std::vector<std::string>{"", "", "", "operator-at-end@2"}));
  notes.clear();
  EXPECT_TRUE(notes.rowsWithNotes().empty());
}

// Each line of a value table keeps the notes of its own cells; cells without notes have none.
TEST(ReadingNotesByRow, AValueTableKeepsTheNotesOfEachCell) {
  const RowTable table = tableOfTerms({"6 / (x-2)", "x", "2 x", "Erg9"});
  const std::vector<ValueLine> lines =
      calculateValueTable(table, {"1", "3", "4", ','}, Variable::X, readValueRange("1", "3", "1"));
  ASSERT_EQ(lines.size(), 3U);
  struct Case {
    std::size_t line;
    int row;
    const char* notes;
  };
  for (const Case& c : std::initializer_list<Case>{
           {0, 0, ""},
           {1, 0, "zero-divisor@3"},
           {2, 0, ""},
           {0, 1, ""},
           {0, 2, "operand-replaced@3"},
           {2, 2, "operand-replaced@3"},
           {1, 3, ""},  // the row that failed
       }) {
    EXPECT_EQ(shown(notesOfCell(lines[c.line], c.row)), c.notes) << c.line << " " << c.row;
  }
  EXPECT_EQ(lines[0].notes.size(), 1U);
  EXPECT_EQ(lines[1].notes.size(), 2U);
}

// The history keeps each Result's notes with the Result: they move with its row, are not shown
// while the Term read is edited, go when the row writes a Result without notes, and come back
// with the Result on undo.
TEST(ReadingNotesByRow, TheHistoryKeepsTheNotesWithTheirResults) {
  RowTable table = tableOfTerms({"2x", "1+1"});
  TableHistory history(table);
  const CalculationInputs inputs{"2", "3", "4", ','};
  int row = 0;
  const auto notesOfRows = [&] {
    return shown(history.notesOf(0)) + "|" + shown(history.notesOf(1));
  };
  struct Step {
    std::function<void()> command;
    const char* notes;
  };
  for (const Step& step : std::initializer_list<Step>{
           {[&] { history.calculateAll(-1, inputs, row); }, "operand-replaced@2|"},
           {[&] { history.moveRowDown(0); }, "|operand-replaced@2"},
           {[&] { history.undo(-1); }, "operand-replaced@2|"},
           {[&] { history.storeTerm(0, "2*x"); }, "|"},
           {[&] { history.undo(-1); }, "operand-replaced@2|"},
           {[&] { history.redo(-1); }, "|"},
           {[&] { history.calculateRow(0, inputs); }, "|"},
           {[&] { history.undo(-1); }, "|"},
           {[&] { history.undo(-1); }, "operand-replaced@2|"},
       }) {
    step.command();
    EXPECT_EQ(notesOfRows(), step.notes) << table.row(0).term;
  }
}

}  // namespace
}  // namespace numora

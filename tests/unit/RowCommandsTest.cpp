#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "RowCommands.h"
#include "RowTable.h"
#include "TestSupport.h"

namespace numora {
namespace {

constexpr int NoSelection = -1;

using test::linesOf;
using test::RecordingObserver;

using Lines = std::vector<std::string>;

// Rows named A, B, C ... with terms a, b, c ... and results 1, 2, 3 ...
RowTable lettersTable(int count) {
  RowTable table;
  for (int i = 0; i < count; ++i) {
    addRow(table, NoSelection);
    table.setName(i, std::string(1, static_cast<char>('A' + i)));
    table.setTerm(i, std::string(1, static_cast<char>('a' + i)));
    table.setResult(i, std::to_string(i + 1));
  }
  return table;
}

TEST(RowCommands, AddRowAppendsNewElementsNumberedByPosition) {
  RowTable table;
  int selected = NoSelection;
  for (int i = 0; i < 3; ++i) {
    selected = addRow(table, selected);
  }
  EXPECT_EQ(linesOf(table), (Lines{"New element|||1", "New element|||2", "New element|||3"}));
  EXPECT_EQ(selected, NoSelection);
  EXPECT_EQ(addRow(table, 1), 1);  // a selection stays where it was
  EXPECT_EQ(table.rowCount(), 4);
}

TEST(RowCommands, DeleteLeavesGapsAndALaterAddRepeatsANumber) {
  RowTable table;
  for (int i = 0; i < 3; ++i) {
    addRow(table, NoSelection);
  }
  table.setName(2, "third");
  EXPECT_EQ(deleteRow(table, 1), NoSelection);
  EXPECT_EQ(linesOf(table), (Lines{"New element|||1", "third|||3"}));
  addRow(table, NoSelection);
  EXPECT_EQ(linesOf(table), (Lines{"New element|||1", "third|||3", "New element|||3"}));
  // Row position 2 is the row shown with Nr 3 above the new one.
  EXPECT_EQ(table.row(2 - 1).name, "third");
}

TEST(RowCommands, MovesExchangeNameTermAndResultAndRenumberEverything) {
  struct Case {
    const char* move;
    int (*command)(RowTable&, int);
    int selected;
    Lines after;
  };
  for (const Case& c : std::initializer_list<Case>{
           {"up from the second row", moveRowUp, 1, {"B|b|2|1", "A|a|1|2", "C|c|3|3"}},
           {"up from the bottom row", moveRowUp, 2, {"A|a|1|1", "C|c|3|2", "B|b|2|3"}},
           {"down from the top row", moveRowDown, 0, {"B|b|2|1", "A|a|1|2", "C|c|3|3"}},
           {"down from the second row", moveRowDown, 1, {"A|a|1|1", "C|c|3|2", "B|b|2|3"}},
       }) {
    RowTable table = lettersTable(3);
    EXPECT_EQ(c.command(table, c.selected), c.selected) << c.move;
    EXPECT_EQ(linesOf(table), c.after) << c.move;
  }
}

TEST(RowCommands, MovesAtTheEdgesOrWithoutSelectionChangeNothing) {
  struct Case {
    const char* move;
    int (*command)(RowTable&, int);
    int rows;
    int selected;
    int selectedAfter;
  };
  for (const Case& c : std::initializer_list<Case>{
           {"up on the top row", moveRowUp, 3, 0, 0},
           {"down on the bottom row", moveRowDown, 3, 2, 2},
           {"up on a one-row table", moveRowUp, 1, 0, 0},
           {"down on a one-row table", moveRowDown, 1, 0, 0},
           {"up without selection", moveRowUp, 3, NoSelection, NoSelection},
           {"down without selection", moveRowDown, 3, NoSelection, NoSelection},
           {"up with an index past the end", moveRowUp, 3, 3, NoSelection},
           {"down on an empty table", moveRowDown, 0, NoSelection, NoSelection},
       }) {
    RowTable table = lettersTable(c.rows);
    const Lines before = linesOf(table);
    EXPECT_EQ(c.command(table, c.selected), c.selectedAfter) << c.move;
    EXPECT_EQ(linesOf(table), before) << c.move;
  }
}

TEST(RowCommands, AMoveRenumbersGapsAndRepeats) {
  RowTable table = lettersTable(4);
  deleteRow(table, 1);
  addRow(table, NoSelection);
  ASSERT_EQ(linesOf(table), (Lines{"A|a|1|1", "C|c|3|3", "D|d|4|4", "New element|||4"}));
  EXPECT_EQ(moveRowDown(table, 1), 1);
  EXPECT_EQ(linesOf(table), (Lines{"A|a|1|1", "D|d|4|2", "C|c|3|3", "New element|||4"}));
  // Moving back restores the contents; the numbers stay the positions.
  EXPECT_EQ(moveRowDown(table, 1), 1);
  EXPECT_EQ(linesOf(table), (Lines{"A|a|1|1", "C|c|3|2", "D|d|4|3", "New element|||4"}));
}

TEST(RowCommands, StoreTermKeepsTheTextAndTheOldResult) {
  struct Case {
    int selected;
    std::string term;
    Lines after;
  };
  for (const Case& c : std::initializer_list<Case>{
           {1, " sin(x) * Erg1 ", {"A|a|1|1", "B| sin(x) * Erg1 |2|2"}},
           {0, "", {"A||1|1", "B|b|2|2"}},
           {NoSelection, "x", {"A|a|1|1", "B|b|2|2"}},
           {2, "x", {"A|a|1|1", "B|b|2|2"}},
       }) {
    RowTable table = lettersTable(2);
    storeTerm(table, c.selected, c.term);
    EXPECT_EQ(linesOf(table), c.after) << c.selected;
  }
}

TEST(RowCommands, CommandsWithoutSelectionDoNothing) {
  RowTable table = lettersTable(3);
  const Lines before = linesOf(table);
  EXPECT_EQ(deleteRow(table, NoSelection), NoSelection);
  EXPECT_EQ(storeTerm(table, NoSelection, "y"), NoSelection);
  EXPECT_EQ(moveRowUp(table, NoSelection), NoSelection);
  EXPECT_EQ(moveRowDown(table, NoSelection), NoSelection);
  EXPECT_EQ(linesOf(table), before);
}

TEST(RowCommands, NewTableRemovesEveryRow) {
  RowTable table = lettersTable(3);
  EXPECT_EQ(newTable(table, 2), NoSelection);
  EXPECT_EQ(table.rowCount(), 0);
  EXPECT_EQ(newTable(table, NoSelection), NoSelection);
  EXPECT_EQ(table.rowCount(), 0);
  addRow(table, NoSelection);
  EXPECT_EQ(linesOf(table), (Lines{"New element|||1"}));
}

TEST(RowTable, TellsItsObserverOfEveryChange) {
  RowTable table = lettersTable(3);
  RecordingObserver observer;
  table.setObserver(&observer);
  addRow(table, NoSelection);
  deleteRow(table, 3);
  storeTerm(table, 1, "x");
  moveRowUp(table, 2);  // the Nrs are the row positions already: only the two rows change
  newTable(table, NoSelection);
  EXPECT_EQ(observer.events,
            (std::vector<std::string>{"insert 3-3", "inserted", "remove 3-3", "removed",
                                      "changed 1-1", "changed 1-2", "reset", "was reset"}));
  table.setObserver(nullptr);
  addRow(table, NoSelection);
  EXPECT_EQ(observer.events.size(), 8u);
}

}  // namespace
}  // namespace numora

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "Calculation.h"
#include "RowCommands.h"
#include "TableFile.h"
#include "TableHistory.h"
#include "TestSupport.h"

namespace numora {
namespace {

using test::faultOf;
using test::linesOf;
using test::tableOf;

const CalculationInputs Inputs{"3", "4", "5", ','};

// Three rows with Nrs as a file may hold them, Results from an earlier pass.
const std::vector<Row> ThreeRows = {
    {"a", "x*2", "old a", "7"}, {"b", "Erg1+1", "old b", "x"}, {"c", "Erg9", "old c", "9"}};

// Two rows as two add rows make them, alike but for their Nrs; and as add, add, delete the
// first, add make them, Nrs alike too.
const std::vector<Row> TwoNewRows = {{"New element", "", "", "1"}, {"New element", "", "", "2"}};
const std::vector<Row> TwoNewRowsBothNr2 = {{"New element", "", "", "2"},
                                            {"New element", "", "", "2"}};

struct Case {
  const char* what;
  std::vector<Row> rows;
  int selected;
  // The command through the history, and the same command on its own.
  std::function<int(TableHistory&, int)> throughHistory;
  std::function<int(RowTable&, int)> onItsOwn;
  bool changes;  // whether the command changes the table, and so makes a step
};

int calculateAllFrom(RowTable& table, int selected) {
  int row = 0;
  try {
    calculateAll(table, Inputs, row);
  } catch (const Exception&) {
  }
  return selected;
}

std::vector<Case> commands(const std::string& tablePath) {
  const auto calculateAllThrough = [](TableHistory& history, int selected) {
    int row = 0;
    try {
      history.calculateAll(selected, Inputs, row);
    } catch (const Exception&) {
    }
    return selected;
  };
  return {
      {"add row", ThreeRows, 1, &TableHistory::addRow, addRow, true},
      {"add row to an empty table", {}, -1, &TableHistory::addRow, addRow, true},
      {"delete row", ThreeRows, 1, &TableHistory::deleteRow, deleteRow, true},
      {"delete without a selection", ThreeRows, -1, &TableHistory::deleteRow, deleteRow, false},
      {"move up", ThreeRows, 1, &TableHistory::moveRowUp, moveRowUp, true},
      {"move up the top row", ThreeRows, 0, &TableHistory::moveRowUp, moveRowUp, false},
      {"move down", ThreeRows, 0, &TableHistory::moveRowDown, moveRowDown, true},
      {"move down the bottom row", ThreeRows, 2, &TableHistory::moveRowDown, moveRowDown, false},
      {"move over an equal row", TwoNewRows, 0, &TableHistory::moveRowDown, moveRowDown, false},
      {"move over an equal row, renumbering", TwoNewRowsBothNr2, 1, &TableHistory::moveRowUp,
       moveRowUp, true},
      {"new table", ThreeRows, 2, &TableHistory::newTable, newTable, true},
      {"new table of no rows", {}, -1, &TableHistory::newTable, newTable, false},
      {"edit term", ThreeRows, 2,
       [](TableHistory& history, int selected) { return history.storeTerm(selected, " y / 2"); },
       [](RowTable& table, int selected) { return storeTerm(table, selected, " y / 2"); }, true},
      {"edit name", ThreeRows, 0,
       [](TableHistory& history, int selected) {
         history.storeName(selected, "Fläche");
         return selected;
       },
       [](RowTable& table, int selected) {
         table.setName(selected, "Fläche");
         return selected;
       },
       true},
      {"calculate row", ThreeRows, 0,
       [](TableHistory& history, int selected) {
         history.calculateRow(selected, Inputs);
         return selected;
       },
       [](RowTable& table, int selected) {
         calculateRow(table, selected, Inputs);
         return selected;
       },
       true},
      // The third row fails: the two above keep their new Results, and undo takes them back.
      {"calculate all up to a fault", ThreeRows, 1, calculateAllThrough, calculateAllFrom, true},
      {"open", ThreeRows, 1,
       [&](TableHistory& history, int selected) {
         return history.openTable(selected, readTable(tablePath));
       },
       [&](RowTable& table, int) { return openTable(table, tablePath); }, true},
  };
}

TEST(TableHistory, EveryCommandIsUndoneAndRedoneByteForByte) {
  const test::TemporaryFolder folder("numora-history-test");
  const std::string tablePath = folder.path("opened.TBE");
  saveTable(tableOf({{"opened", "z", "1", "1"}}), tablePath);
  for (const Case& c : commands(tablePath)) {
    RowTable byItself = tableOf(c.rows);
    const int selectedAfter = c.onItsOwn(byItself, c.selected);
    RowTable table = tableOf(c.rows);
    TableHistory history(table);
    EXPECT_EQ(c.throughHistory(history, c.selected), selectedAfter) << c.what;
    EXPECT_EQ(linesOf(table), linesOf(byItself)) << c.what;
    EXPECT_EQ(history.canUndo(), c.changes) << c.what;
    if (!c.changes) {
      continue;
    }
    for (int round = 0; round < 2; ++round) {
      EXPECT_EQ(history.undo(-5), c.selected) << c.what;
      EXPECT_EQ(linesOf(table), linesOf(tableOf(c.rows))) << c.what;
      EXPECT_FALSE(history.canUndo()) << c.what;
      EXPECT_EQ(history.redo(-5), selectedAfter) << c.what;
      EXPECT_EQ(linesOf(table), linesOf(byItself)) << c.what;
      EXPECT_FALSE(history.canRedo()) << c.what;
    }
  }
}

// Undo and redo can say what they take back or do again: the command of each step.
TEST(TableHistory, UndoAndRedoNameTheCommandOfTheirStep) {
  using Command = TableHistory::Command;
  RowTable table = tableOf(ThreeRows);
  TableHistory history(table);
  int row = 0;
  const std::vector<std::pair<std::function<void()>, Command>> steps = {
      {[&] { history.addRow(0); }, Command::AddRow},
      {[&] { history.deleteRow(3); }, Command::DeleteRow},
      {[&] { history.moveRowUp(1); }, Command::MoveRowUp},
      {[&] { history.moveRowDown(0); }, Command::MoveRowDown},
      {[&] { history.storeTerm(0, "z"); }, Command::EditTerm},
      {[&] { history.storeName(0, "n"); }, Command::EditName},
      {[&] { history.calculateRow(0, Inputs); }, Command::CalculateRow},
      {[&] { faultOf([&] { history.calculateAll(0, Inputs, row); }); }, Command::CalculateAll},
      {[&] { history.openTable(0, ThreeRows); }, Command::OpenTable},
      {[&] { history.newTable(0); }, Command::NewTable},
  };
  for (const auto& [command, made] : steps) {
    command();
    EXPECT_EQ(history.commandToUndo(), made);
  }
  for (auto step = steps.rbegin(); step != steps.rend(); ++step) {
    history.undo(-1);
    EXPECT_EQ(history.commandToRedo(), step->second);
  }
  EXPECT_FALSE(history.canUndo());
}

TEST(TableHistory, WhatCannotBeDoneMakesNoStepAndUndoOfNothingDoesNothing) {
  RowTable table = tableOf(ThreeRows);
  TableHistory history(table);
  EXPECT_EQ(faultOf([&] { history.openTable(0, readTable("/nonexistent/t.TBE")); }),
            "Exception: Datei \"/nonexistent/t.TBE\" kann nicht geöffnet werden. No such file "
            "or directory");
  EXPECT_EQ(faultOf([&] { history.calculateRow(2, Inputs); }),
            "Exception: Zeile 9 existiert nicht");
  history.storeName(0, "a");
  EXPECT_EQ(history.undo(4), 4);
  EXPECT_EQ(history.redo(4), 4);
  EXPECT_EQ(history.stepCount(), 0u);
  EXPECT_EQ(linesOf(table), linesOf(tableOf(ThreeRows)));
}

TEST(TableHistory, ANewCommandEndsWhatCouldBeRedone) {
  RowTable table = tableOf(ThreeRows);
  TableHistory history(table);
  history.addRow(-1);
  history.deleteRow(0);
  history.undo(-1);
  ASSERT_TRUE(history.canRedo());
  history.moveRowDown(0);
  EXPECT_FALSE(history.canRedo());
  EXPECT_EQ(history.stepCount(), 2u);
  history.undo(-1);
  history.undo(-1);
  EXPECT_EQ(linesOf(table), linesOf(tableOf(ThreeRows)));
}

TEST(TableHistory, KeepsAtMostItsStepsAndBytesDroppingTheOldest) {
  struct LimitCase {
    const char* what;
    TableHistory::Limits limits;
    std::size_t steps;  // kept after the commands below
  };
  for (const LimitCase& c : std::vector<LimitCase>{
           {"the usual limits", {}, 6},
           {"three steps", {3, std::size_t{256} << 20}, 3},
           // A new table of 100 long rows holds more than the limit: it is kept as the newest
           // step, and dropped as soon as another step comes.
           {"a few kilobytes", {100, 4096}, 1},
       }) {
    RowTable table = tableOf(std::vector<Row>(100, Row{std::string(100, 'n'), "x", "", "1"}));
    TableHistory history(table, c.limits);
    for (int i = 0; i < 4; ++i) {
      history.addRow(-1);
    }
    history.newTable(-1);
    EXPECT_EQ(history.canUndo(), true) << c.what;
    history.addRow(-1);
    EXPECT_EQ(history.stepCount(), c.steps) << c.what;
    EXPECT_LE(history.stepCount() == 1 ? 0 : history.bytes(), c.limits.mostBytes) << c.what;
    std::size_t undone = 0;
    while (history.canUndo()) {
      history.undo(-1);
      ++undone;
    }
    EXPECT_EQ(undone, c.steps) << c.what;
  }
}

// A view sees an undone new table as one reset, not a row at a time.
TEST(TableHistory, UndoOfANewTableIsOneReset) {
  RowTable table = tableOf(ThreeRows);
  TableHistory history(table);
  history.newTable(0);
  test::RecordingObserver observer;
  table.setObserver(&observer);
  history.undo(-1);
  EXPECT_EQ(observer.events, (std::vector<std::string>{"reset", "was reset"}));
}

}  // namespace
}  // namespace numora

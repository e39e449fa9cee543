#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "Calculation.h"
#include "TableHistory.h"
#include "TestSupport.h"
#include "WholeNumber.h"

namespace numora {
namespace {

// A table worked on through its history, with the texts of the fields x, y and z.
struct Session {
  explicit Session(const std::vector<std::string>& terms)
      : table(test::tableOfTerms(terms)), history(table) {}

  RowTable table;
  TableHistory history;
  CalculationInputs fields{"1", "1", "1", ','};

  // Each row's status as one character: C current, S not current, - no Result.
  std::string flags() const {
    std::string flags;
    for (int index = 0; index < table.rowCount(); ++index) {
      const bool current = history.statusOf(index, fields).current;
      flags += table.row(index).result.empty() ? '-' : current ? 'C' : 'S';
    }
    return flags;
  }

  // Where calculate all stopped, as "position: fault", or nothing.
  std::string stop() const {
    const auto stopped = history.stopped();
    return stopped ? std::to_string(stopped->index + 1) + ": " + stopped->fault : "";
  }
};

using Command = std::function<void(Session&)>;

Command calculateAll() {
  return [](Session& s) {
    int row = 0;
    test::faultOf([&] { s.history.calculateAll(-1, s.fields, row); });
  };
}
Command calculateRow(int index) {
  return [=](Session& s) { test::faultOf([&] { s.history.calculateRow(index, s.fields); }); };
}
Command setField(std::string CalculationInputs::*field, const char* text) {
  return [=](Session& s) { s.fields.*field = text; };
}
Command setX(const char* text) { return setField(&CalculationInputs::x, text); }
Command setY(const char* text) { return setField(&CalculationInputs::y, text); }
Command setZ(const char* text) { return setField(&CalculationInputs::z, text); }
Command editTerm(int index, const char* term) {
  return [=](Session& s) { s.history.storeTerm(index, term); };
}
Command editName(int index) {
  return [=](Session& s) { s.history.storeName(index, "Fläche"); };
}
Command rowCommand(int (TableHistory::*command)(int), int index) {
  return [=](Session& s) { (s.history.*command)(index); };
}
Command moveUp(int index) { return rowCommand(&TableHistory::moveRowUp, index); }
Command moveDown(int index) { return rowCommand(&TableHistory::moveRowDown, index); }
Command deleteRow(int index) { return rowCommand(&TableHistory::deleteRow, index); }
Command addRow() { return rowCommand(&TableHistory::addRow, -1); }
Command newTable() { return rowCommand(&TableHistory::newTable, -1); }
Command undo() { return rowCommand(&TableHistory::undo, -1); }
Command redo() { return rowCommand(&TableHistory::redo, -1); }
// A row put into the table without the history, as a table opened at the start is.
Command appendWithoutHistory(Row row) {
  return [=](Session& s) { s.table.appendRow(row); };
}
Command open(std::vector<Row> rows) {
  return [=](Session& s) { s.history.openTable(-1, rows); };
}

struct Step {
  Command command;
  const char* flags;
  // The reasons of chosen rows by index, and where calculate all stopped (nullptr: not looked at).
  std::vector<std::pair<int, const char*>> reasons = {};
  const char* stop = nullptr;
};

struct Case {
  const char* what;
  std::vector<std::string> terms;
  std::vector<Step> steps;
};

const char* const FromFile = "aus der Datei gelesen";
const char* const TermEdited = "Term wurde seither geändert";
const char* const Row1Changed = "Zeile 1 wurde seither geändert";
const char* const Row2Changed = "Zeile 2 wurde seither geändert";
const char* const NotReachedAt3 = "nicht erreicht: Berechnung in Zeile 3 abgebrochen";

const std::vector<Case> Cases = {
    {"x edited, and back; a field that is no whole number is quoted as typed",
     {"x", "y", ""},
     {{calculateAll(), "CC-"},
      {setX("2"), "SC-", {{0, "berechnet mit x = 1; x ist jetzt 2"}, {1, ""}, {2, ""}}},
      {setX("1"), "CC-", {{0, ""}}},
      {setX("1,5"), "SC-", {{0, "berechnet mit x = 1; x ist jetzt 1,5"}}},
      {setX("$1"), "CC-"}}},
    {"a row that never read y stays current when y changes",
     {"x*2", "z+abs(-1)"},
     {{calculateAll(), "CC"},
      {setY("7"), "CC"},
      {setZ("-3"), "CS", {{1, "berechnet mit z = 1; z ist jetzt -3"}}}}},
    {"an edited Term, the rows that read it, calculated again, undone and redone",
     {"x", "Erg1+1"},
     {{calculateAll(), "CC"},
      {editName(0), "CC"},
      {editTerm(0, "x*3"), "SS", {{0, TermEdited}, {1, Row1Changed}}},
      {calculateRow(0), "CS", {{1, Row1Changed}}},
      {calculateRow(1), "CC"},
      {undo(), "CS"},
      {undo(), "SS", {{0, TermEdited}}},
      {undo(), "CC"},
      {redo(), "SS"},
      {redo(), "CS"}}},
    {"a row read by another moves away; a row moves under one that reads neither",
     {"x", "y*2", "Erg1+1"},
     {{calculateAll(), "CCC"},
      {moveDown(0), "CCS", {{2, Row1Changed}}},
      {undo(), "CCC"},
      {moveUp(2), "CCC"},
      {calculateRow(0), "CCC"}}},
    {"a row deleted above the row read; the deleted row comes back with its status",
     {"2", "3", "Erg2*10"},
     {{calculateAll(), "CCC"},
      {deleteRow(0), "CS", {{1, Row2Changed}}},
      {undo(), "CCC"},
      {redo(), "CS"},
      // The row reads itself now: its new Result differs from the one it read.
      {calculateAll(), "CS", {{1, Row2Changed}}},
      {addRow(), "CS-"}}},
    {"being out of date carries along the rows read, and goes as each is calculated again",
     {"x", "Erg1", "Erg2", "5"},
     {{calculateAll(), "CCCC"},
      {setX("4"), "SSSC", {{1, Row1Changed}, {2, Row2Changed}}},
      {calculateRow(0), "CSSC"},
      {calculateRow(1), "CCSC"},
      {calculateRow(2), "CCCC"}}},
    {"a row deleted comes back with its status, current again once x is back",
     {"x", "Erg1+1", "5"},
     {{calculateAll(), "CCC"},
      {setX("2"), "SSC"},
      {deleteRow(1), "SC"},
      {setX("1"), "CC"},
      {undo(), "CCC"},
      {redo(), "CC"},
      {undo(), "CCC"}}},
    {"undo of calculate all brings back the old Results with their old statuses",
     {"x", "Erg1*2"},
     {{calculateAll(), "CC"},
      {setX("3"), "SS"},
      {calculateAll(), "CC"},
      {undo(), "SS", {{0, "berechnet mit x = 1; x ist jetzt 3"}}},
      {setX("1"), "CC"},
      {redo(), "SS", {{0, "berechnet mit x = 3; x ist jetzt 1"}}}}},
    {"calculate all that writes the same Results after x changed makes a step of the statuses",
     {"x*0"},
     {{calculateAll(), "C"}, {setX("5"), "S"}, {calculateAll(), "C"}, {undo(), "S"}}},
    {"calculate all stopped at a fault, a row below calculated, the stopped row mended",
     {"x", "Erg1+1", "y", "z", "Erg4"},
     {{calculateAll(), "CCCCC", {}, ""},
      {setX("2"), "SSCCC"},
      {editTerm(2, "Erg9"), "SSSCC"},
      {calculateAll(),
       "CCSSS",
       {{2, NotReachedAt3}, {4, NotReachedAt3}},
       "3: Zeile 9 existiert nicht"},
      {calculateRow(3), "CCSCS", {}, "3: Zeile 9 existiert nicht"},
      {editTerm(2, "y+1"), "CCSCS"},
      {calculateRow(2), "CCCCC", {}, ""},
      {undo(), "CCSCS", {}, "3: Zeile 9 existiert nicht"},
      {undo(), "CCSCS"},
      {undo(), "CCSSS"},
      {undo(), "SSSCC", {}, ""},
      {redo(), "CCSSS", {}, "3: Zeile 9 existiert nicht"}}},
    {"the stop mark moves with its row and goes and comes back with it",
     {"x", "Erg1+1", "Erg9", "z", "Erg4"},
     {{calculateAll(), "CC---", {}, "3: Zeile 9 existiert nicht"},
      {editTerm(2, "1"), "CC---"},
      {calculateAll(), "CCCCC", {}, ""},
      {editTerm(2, "Erg9"), "CCSCC"},
      {calculateAll(), "CCSSS", {}, "3: Zeile 9 existiert nicht"},
      {moveUp(2),
       "CSCSS",
       {{1, "nicht erreicht: Berechnung in Zeile 2 abgebrochen"}},
       "2: Zeile 9 existiert nicht"},
      {undo(), "CCSSS", {}, "3: Zeile 9 existiert nicht"},
      {deleteRow(2), "CCCS", {{3, "Zeile 4 wurde seither geändert"}}, ""},
      {undo(), "CCSSS", {{4, NotReachedAt3}}, "3: Zeile 9 existiert nicht"},
      {calculateRow(0), "CCSSS", {}, "3: Zeile 9 existiert nicht"}}},
    {"a row read below is written again with the same Result: the row above stays current",
     {"Erg2", "5"},
     {{calculateAll(), "--", {}, "1: '' ist kein gültiger Gleitkommawert"},
      {calculateRow(1), "-C"},
      {calculateAll(), "CC", {}, ""},
      {calculateAll(), "CC"}}},
    {"rows that read each other are current together, and out of date together",
     {"Erg2*1", "Erg1*1", "Erg1+1"},
     {{open({{"a", "Erg2*1", "3", "1"}, {"b", "Erg1*1", "3", "2"}, {"c", "Erg1+1", "4", "3"}}),
       "SSS",
       {{0, FromFile}, {2, FromFile}}},
      {calculateAll(), "CCC"},
      {editTerm(1, "Erg1*2"), "SSS", {{0, Row2Changed}, {1, TermEdited}, {2, Row1Changed}}},
      {undo(), "CCC"}}},
    // The walk from row 1 passes row 2 and 3, which read each other, before it finds row 4
    // out of date: row 3 is out of date too, as row 5, which reads it, shows.
    {"rows in a circle are settled together once every row they reach is known",
     {"Erg2", "Erg3*0+Erg4", "Erg2*1", "x", "Erg3"},
     {{open({{"e", "Erg2", "1", "1"},
             {"a", "Erg3*0+Erg4", "1", "2"},
             {"b", "Erg2*1", "1", "3"},
             {"c", "x", "1", "4"},
             {"d", "Erg3", "1", "5"}}),
       "SSSSS"},
      {calculateAll(), "CCCCC"},
      {setX("2"), "SSSSS", {{4, "Zeile 3 wurde seither geändert"}}}}},
    {"a row that reads itself is out of date once its Result changed",
     {"Erg1+1", "Erg2*1"},
     {{open({{"a", "Erg1+1", "1", "1"}, {"b", "Erg2*1", "4", "2"}}), "SS"},
      {calculateAll(), "SC", {{0, Row1Changed}}}}},
    {"rows put into the table without the history count as read from a file",
     {"x"},
     {{calculateAll(), "C"},
      {appendWithoutHistory({"b", "y", "7", "2"}), "SS", {{0, FromFile}, {1, FromFile}}},
      {addRow(), "SS-"},
      {calculateAll(), "CC-"}}},
    {"open, new table and their undo",
     {"x", ""},
     {{calculateAll(), "C-"},
      {open({{"a", "x", "5", "1"}, {"b", "", "", "2"}}), "S-", {{0, FromFile}}, ""},
      {calculateAll(), "C-"},
      {undo(), "S-"},
      {undo(), "C-"},
      {newTable(), ""},
      {undo(), "C-"}}},
};

TEST(ResultStatus, FollowsEveryCommandUndoAndRedo) {
  for (const Case& c : Cases) {
    Session session(c.terms);
    for (std::size_t at = 0; at < c.steps.size(); ++at) {
      const Step& step = c.steps[at];
      step.command(session);
      const std::string where = std::string(c.what) + ", step " + std::to_string(at + 1);
      EXPECT_EQ(session.flags(), step.flags) << where;
      for (const auto& [index, reason] : step.reasons) {
        EXPECT_EQ(session.history.statusOf(index, session.fields).reason, reason) << where;
      }
      if (step.stop != nullptr) {
        EXPECT_EQ(session.stop(), step.stop) << where;
      }
    }
  }
}

// The fields, with "9" in place of a text that is no whole number: a row current with such a
// field does not read it, so any value gives its Result.
CalculationInputs wholeFields(CalculationInputs fields) {
  for (std::string* text : {&fields.x, &fields.y, &fields.z}) {
    if (!wholeNumberIn(*text)) {
      *text = "9";
    }
  }
  return fields;
}

// A Result shown as current is what calculating its row now writes, whatever the commands
// before were; and a status is the same whichever rows were asked for first.
TEST(ResultStatus, ACurrentResultIsWhatCalculatingItsRowWritesNow) {
  const std::vector<std::string> terms = {"x",      "y+1",       "Erg1",        "Erg2*2", "Erg3+x",
                                          "Erg1*1", "z*Erg3",    "Erg4-1",      "5",      "",
                                          "Erg2+y", "Erg5+Erg1", "sin(x)*Erg2", "Erg9"};
  const std::vector<const char*> values = {"1", "2", "1,5"};
  std::mt19937 random(20261208);
  const auto pick = [&](std::size_t count) {
    return static_cast<int>(std::uniform_int_distribution<std::size_t>(0, count - 1)(random));
  };
  const auto any = [&](const auto& list) -> const auto& {
    return list[static_cast<std::size_t>(pick(list.size()))];
  };
  for (int sequence = 0; sequence < 150; ++sequence) {
    Session session({terms[0], terms[1], terms[2], terms[3], terms[4]});
    for (int command = 0; command < 30; ++command) {
      const int row = pick(static_cast<std::size_t>(session.table.rowCount() + 1));
      const std::vector<Command> commands = {calculateAll(),
                                             calculateAll(),
                                             calculateRow(row),
                                             setX(any(values)),
                                             setY(any(values)),
                                             editTerm(row, any(terms).c_str()),
                                             moveUp(row),
                                             moveDown(row),
                                             deleteRow(row),
                                             addRow(),
                                             undo(),
                                             undo(),
                                             redo()};
      any(commands)(session);
      std::vector<ResultStatus> topDown;
      for (int index = 0; index < session.table.rowCount(); ++index) {
        topDown.push_back(session.history.statusOf(index, session.fields));
      }
      session.history.statusOf(0, {"7", "7", "7", ','});
      for (int index = session.table.rowCount() - 1; index >= 0; --index) {
        const ResultStatus status = session.history.statusOf(index, session.fields);
        const auto& first = topDown[static_cast<std::size_t>(index)];
        ASSERT_EQ(status.current, first.current) << sequence << " " << command << " " << index;
        ASSERT_EQ(status.reason, first.reason) << sequence << " " << command << " " << index;
        if (status.current && !session.table.row(index).result.empty()) {
          RowTable again = session.table;
          calculateRow(again, index, wholeFields(session.fields));
          ASSERT_EQ(again.row(index).result, session.table.row(index).result)
              << sequence << " " << command << " " << index;
        }
      }
    }
  }
}

// A calculation that writes every Result again as it was makes no step, unless the status of
// one changed (a variable it read has another value now) or calculate all stopped.
TEST(ResultStatus, ACalculationIsAStepWhenItChangesAResultOrAStatus) {
  struct Case {
    const char* what;
    std::vector<Command> before;
    Command calculation;
    bool step;
  };
  for (const Case& c : std::initializer_list<Case>{
           {"calculate all again", {calculateAll()}, calculateAll(), false},
           {"calculate row again", {calculateAll()}, calculateRow(0), false},
           {"x changed, read by a row whose Result stays",
            {calculateAll(), setX("2")},
            calculateAll(),
            true},
           {"x changed, calculate row", {calculateAll(), setX("2")}, calculateRow(0), true},
           {"z changed, read by no row", {calculateAll(), setZ("2")}, calculateAll(), false},
           {"calculate all stopped before any row",
            {calculateAll(), setY("a")},
            calculateAll(),
            true},
           {"calculate row stopped", {calculateAll(), setY("a")}, calculateRow(1), false},
           {"the Term edited and changed back",
            {calculateAll(), editTerm(2, "6"), editTerm(2, "5")},
            calculateRow(2),
            true},
       }) {
    Session session({"x*0", "y", "5"});
    for (const Command& command : c.before) {
      command(session);
    }
    const std::size_t steps = session.history.stepCount();
    c.calculation(session);
    EXPECT_EQ(session.history.stepCount(), steps + (c.step ? 1 : 0)) << c.what;
  }
}

// The calculation's own listener hears through the history what it hears without it.
TEST(ResultStatus, TheCalculationsOwnListenerHearsEverything) {
  struct Counting : CalculationListener {
    std::string heard;
    void variableRead(int variable) override { heard += "v" + std::to_string(variable); }
    void rowRead(int position) override { heard += "r" + std::to_string(position); }
    void noted(const ReadingNote&) override { heard += "n"; }
    void rowStarted(int index) override { heard += "s" + std::to_string(index); }
    void resultWritten(int index) override { heard += "w" + std::to_string(index); }
  };
  const std::vector<std::string> terms = {"x", "y+Erg1", "", "Erg9"};
  Counting alone;
  RowTable table = test::tableOfTerms(terms);
  test::faultOf([&] { calculateAll(table, {"1", "2", "3", ',', &alone}); });
  Counting throughHistory;
  Session session(terms);
  int row = 0;
  test::faultOf([&] {
    session.history.calculateAll(-1, {"1", "2", "3", ',', &throughHistory}, row);
  });
  EXPECT_EQ(throughHistory.heard, alone.heard);
  EXPECT_EQ(throughHistory.heard, "s0v0w0s1v1r1w1s3");
}

}  // namespace
}  // namespace numora

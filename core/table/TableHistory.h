#pragma once

#include <cstddef>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "Calculation.h"
#include "ResultNotes.h"
#include "ResultTracker.h"
#include "RowCommands.h"
#include "RowTable.h"
#include "TableSteps.h"

namespace numora {

// The commands that change a table, run so that each can be taken back (undo) and done again
// (redo) as a whole. Every command does exactly what its row command or calculation does and
// returns, where it has one, the selection afterwards; what it changed becomes one step. A
// command that changes nothing makes no step; a new step ends what could be redone.
//
// Steps keep only what their command changed: the rows a new table or an open replaced
// (moved, not copied), the Results a calculation overwrote, the one text an edit replaced.
// Each is the TableStep its row command plans (or a calculation's Results); undo and redo
// exchange what it keeps with the table's, so either restores the table byte for byte. At
// most `mostSteps` steps are kept, and the oldest are dropped while the steps hold more than
// `mostBytes`; the newest step is always kept.
//
// The history also knows whether each row's Result is current (ResultTracker): every step
// keeps the origins of the Results it changed beside them, so undo and redo bring back each
// Result with its status, and each calculation is heard as it writes. A calculation that
// changes no Result but the status of one (a variable changed, a stop marked) makes a step
// too, so that undo brings the old status back.
class TableHistory {
 public:
  // The command each step was made by, so that undo and redo can say what they take back.
  enum class Command {
    AddRow,
    DeleteRow,
    MoveRowUp,
    MoveRowDown,
    NewTable,
    OpenTable,
    EditName,
    EditTerm,
    CalculateRow,
    CalculateAll
  };

  struct Limits {
    std::size_t mostSteps = 100;
    std::size_t mostBytes = std::size_t{256} << 20;
  };

  explicit TableHistory(RowTable& table) : TableHistory(table, Limits{}) {}
  TableHistory(RowTable& table, Limits limits) : table_(table), limits_(limits), tracker_(table) {}

  int addRow(int selected);
  int deleteRow(int selected);
  int moveRowUp(int selected);
  int moveRowDown(int selected);
  int newTable(int selected);
  int storeTerm(int selected, std::string term);
  // The Name typed into the row at `index`.
  void storeName(int index, std::string name);
  // As calculateRow and calculateAll, with the selection they are run from; a fault is raised
  // as they raise it, after the Results written before it became a step. Calculate all that
  // stops marks the row it stopped at (stopped()).
  void calculateRow(int selected, const CalculationInputs& inputs);
  void calculateAll(int selected, const CalculationInputs& inputs, int& rowInProgress);
  // Open table with the rows read from the file: replaces every row with `opened` and returns
  // the selection afterwards (none).
  int openTable(int selected, std::vector<Row> opened);

  bool canUndo() const { return done_ > 0; }
  bool canRedo() const { return done_ < steps_.size(); }
  // Take back the last step done, or do again the last one taken back; each gives the
  // selection: the one the step's command started from (undo) or left (redo). Without a step
  // to take back or do again, nothing happens and the selection given is `nothingDone`.
  int undo(int nothingDone);
  int redo(int nothingDone);
  // The command of the step undo would take back (canUndo) or redo would do again (canRedo).
  Command commandToUndo() const { return steps_[done_ - 1].command; }
  Command commandToRedo() const { return steps_[done_].command; }

  // Whether the Result of the row at `index` is current, with `fieldsNow` the texts the fields
  // x, y and z hold now, and if not, why. Worked out when asked and kept until the table or the
  // fields change, so a view asks for the rows it shows as often as it likes.
  ResultStatus statusOf(int index, const CalculationInputs& fieldsNow) const {
    return tracker_.statusOf(table_, index, fieldsNow);
  }
  // Where the last calculate all stopped at a fault, until a calculation of that row or of all
  // succeeds; undo and redo bring the mark back with the rows.
  std::optional<StoppedCalculation> stopped() const { return tracker_.stopped(); }
  // The reading notes of the evaluation that wrote the Result of the row at `index`, by
  // position in its Term as typed; they move and come back with the Result. None while the
  // Term has been edited since: the positions name places in the Term that was read.
  const std::vector<ReadingNote>& notesOf(int index) const {
    return notes_.notesOf(tracker_.termEditedSince(index) ? 0 : tracker_.stampOf(index));
  }

  std::size_t stepCount() const { return steps_.size(); }
  // What the steps hold, in bytes, as counted for the limit.
  std::size_t bytes() const { return bytes_; }

 private:
  struct Step {
    Command command;
    TableStep change;
    OriginChange origins;
    int selectedBefore = -1;
    int selectedAfter = -1;
    std::size_t bytes = 0;
  };

  int run(Command command, int selected, PlannedCommand planned);
  using Calculate = std::function<void(const CalculationInputs&, std::vector<IndexedText>&)>;
  void calculate(Command command, int selected, const CalculationInputs& inputs,
                 const int& rowInProgress, const Calculate& calculation);
  void exchangeStep(Step& step);
  void record(Step step);

  RowTable& table_;
  Limits limits_;
  std::deque<Step> steps_;
  std::size_t done_ = 0;  // the steps done; those after them can be redone
  std::size_t bytes_ = 0;
  ResultTracker tracker_;
  ResultNotes notes_;
};

}  // namespace numora

#pragma once

#include <optional>
#include <string>
#include <vector>

#include "RowTable.h"
#include "TableSteps.h"

namespace numora {

// The commands that create, edit, reorder and remove rows. Each takes the index of the
// selected row (-1 for none) and returns the index that is selected afterwards. A command
// that needs a selected row does nothing without one, silently; an index that names no row
// counts as no selection.
//
// Each command is written once, as its plan: the step that does it, worked out on the table as
// it is. The commands below do the step and drop it; the history (TableHistory) does it and
// keeps it, to take it back.

// Appends a row "New element" with empty Term and Result and its position as Nr.
int addRow(RowTable& table, int selected);

// Removes the selected row; no other row is renumbered and none is selected afterwards.
int deleteRow(RowTable& table, int selected);

// Stores `term` as the selected row's Term, exactly as given; the Result stays as it was.
int storeTerm(RowTable& table, int selected, std::string term);

// Exchanges Name, Term and Result of the selected row with the row above (below), then sets
// every Nr to its row position. The selection stays at the same index. Nothing happens on the
// top (bottom) row, nor when the two rows have the same Name, Term and Result and every Nr is
// its row position already.
int moveRowUp(RowTable& table, int selected);
int moveRowDown(RowTable& table, int selected);

// Removes every row, without asking.
int newTable(RowTable& table, int selected);

// Open table with the rows read from the file (readTable): replaces every row with `opened`;
// none is selected afterwards.
int openTable(RowTable& table, int selected, std::vector<Row> opened);

// A command planned on the table as it is and not yet done: the step that does it, none when
// the command would leave the table as it was, and the selection afterwards.
struct PlannedCommand {
  std::optional<TableStep> step;
  int selected = -1;
};

PlannedCommand planAddRow(const RowTable& table, int selected);
PlannedCommand planDeleteRow(const RowTable& table, int selected);
PlannedCommand planStoreTerm(const RowTable& table, int selected, std::string term);
// The Name typed into the row at `index`, which stays selected.
PlannedCommand planStoreName(const RowTable& table, int index, std::string name);
PlannedCommand planMoveRowUp(const RowTable& table, int selected);
PlannedCommand planMoveRowDown(const RowTable& table, int selected);
PlannedCommand planNewTable(const RowTable& table, int selected);
// Open table with the rows read from the file: every row replaced with `opened`, none selected.
PlannedCommand planOpenTable(const RowTable& table, int selected, std::vector<Row> opened);

}  // namespace numora

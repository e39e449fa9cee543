#pragma once

#include <string>

#include "RowTable.h"

namespace numora {

// The commands that create, edit, reorder and remove rows. Each takes the index of the
// selected row (-1 for none) and returns the index that is selected afterwards. A command
// that needs a selected row does nothing without one, silently; an index that names no row
// counts as no selection.

// Appends a row "New element" with empty Term and Result and its position as Nr.
int addRow(RowTable& table, int selected);

// Removes the selected row; no other row is renumbered and none is selected afterwards.
int deleteRow(RowTable& table, int selected);

// Stores `term` as the selected row's Term, exactly as given; the Result stays as it was.
int storeTerm(RowTable& table, int selected, std::string term);

// Exchanges Name, Term and Result of the selected row with the row above (below), then sets
// every Nr to its row position. The selection stays at the same index. Nothing happens on the
// top (bottom) row.
int moveRowUp(RowTable& table, int selected);
int moveRowDown(RowTable& table, int selected);

// Removes every row, without asking.
int newTable(RowTable& table, int selected);

}  // namespace numora

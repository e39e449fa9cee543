#include "RowCommands.h"

#include <utility>

#include "WholeNumber.h"

namespace numora {

namespace {

constexpr int NoSelection = -1;

int validSelection(const RowTable& table, int selected) {
  return table.isRowIndex(selected) ? selected : NoSelection;
}

int moveRow(RowTable& table, int selected, int neighbour) {
  selected = validSelection(table, selected);
  if (selected == NoSelection || !table.isRowIndex(neighbour)) {
    return selected;
  }
  table.exchangeContents(selected, neighbour);
  table.renumber();
  return selected;
}

}  // namespace

int addRow(RowTable& table, int selected) {
  selected = validSelection(table, selected);
  table.appendRow(Row{"New element", "", "", wholeNumberText(table.rowCount() + 1)});
  return selected;
}

int deleteRow(RowTable& table, int selected) {
  selected = validSelection(table, selected);
  if (selected != NoSelection) {
    table.removeRow(selected);
  }
  return NoSelection;
}

int storeTerm(RowTable& table, int selected, std::string term) {
  selected = validSelection(table, selected);
  if (selected != NoSelection) {
    table.setTerm(selected, std::move(term));
  }
  return selected;
}

int moveRowUp(RowTable& table, int selected) { return moveRow(table, selected, selected - 1); }

int moveRowDown(RowTable& table, int selected) { return moveRow(table, selected, selected + 1); }

int newTable(RowTable& table, int /*selected*/) {
  if (table.rowCount() != 0) {
    table.removeAllRows();
  }
  return NoSelection;
}

}  // namespace numora

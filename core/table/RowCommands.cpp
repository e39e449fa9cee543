#include "RowCommands.h"

#include <utility>

#include "WholeNumber.h"

namespace numora {

namespace {

constexpr int NoSelection = -1;

int validSelection(const RowTable& table, int selected) {
  return table.isRowIndex(selected) ? selected : NoSelection;
}

// The Nrs the rows are to have, their row positions, where they have another now.
std::vector<IndexedText> rowPositionNrs(const RowTable& table) {
  std::vector<IndexedText> nrs;
  for (int i = 0; i < table.rowCount(); ++i) {
    std::string position = wholeNumberText(i + 1);
    if (table.row(i).nr != position) {
      nrs.push_back({i, std::move(position)});
    }
  }
  return nrs;
}

PlannedCommand planMoveRow(const RowTable& table, int selected, int neighbour) {
  selected = validSelection(table, selected);
  if (selected == NoSelection || !table.isRowIndex(neighbour)) {
    return {std::nullopt, selected};
  }
  SwappedRows move{selected, neighbour, rowPositionNrs(table)};
  const Row& row = table.row(selected);
  const Row& other = table.row(neighbour);
  if (move.nrs.empty() && row.name == other.name && row.term == other.term &&
      row.result == other.result) {
    return {std::nullopt, selected};
  }
  return {std::move(move), selected};
}

PlannedCommand planStoreText(const RowTable& table, int selected, RowField field,
                             std::string text) {
  selected = validSelection(table, selected);
  if (selected == NoSelection || table.text(selected, field) == text) {
    return {std::nullopt, selected};
  }
  FieldTexts edit{field, {}};
  edit.texts.push_back({selected, std::move(text)});
  return {std::move(edit), selected};
}

// Does the planned command and drops its step.
int run(RowTable& table, PlannedCommand command) {
  if (command.step) {
    exchange(*command.step, table);
  }
  return command.selected;
}

}  // namespace

PlannedCommand planAddRow(const RowTable& table, int selected) {
  const int index = table.rowCount();
  return {RowInOrOut{index, Row{"New element", "", "", wholeNumberText(index + 1)}, true},
          validSelection(table, selected)};
}

PlannedCommand planDeleteRow(const RowTable& table, int selected) {
  if (!table.isRowIndex(selected)) {
    return {std::nullopt, NoSelection};
  }
  return {RowInOrOut{selected, Row{}, false}, NoSelection};
}

PlannedCommand planStoreTerm(const RowTable& table, int selected, std::string term) {
  return planStoreText(table, selected, RowField::Term, std::move(term));
}

PlannedCommand planStoreName(const RowTable& table, int index, std::string name) {
  return planStoreText(table, index, RowField::Name, std::move(name));
}

PlannedCommand planMoveRowUp(const RowTable& table, int selected) {
  return planMoveRow(table, selected, selected - 1);
}

PlannedCommand planMoveRowDown(const RowTable& table, int selected) {
  return planMoveRow(table, selected, selected + 1);
}

PlannedCommand planNewTable(const RowTable& table, int /*selected*/) {
  if (table.rowCount() == 0) {
    return {std::nullopt, NoSelection};
  }
  return {AllRows{}, NoSelection};
}

PlannedCommand planOpenTable(const RowTable& /*table*/, int /*selected*/, std::vector<Row> opened) {
  return {AllRows{std::move(opened)}, NoSelection};
}

int addRow(RowTable& table, int selected) { return run(table, planAddRow(table, selected)); }

int deleteRow(RowTable& table, int selected) { return run(table, planDeleteRow(table, selected)); }

int storeTerm(RowTable& table, int selected, std::string term) {
  return run(table, planStoreTerm(table, selected, std::move(term)));
}

int moveRowUp(RowTable& table, int selected) { return run(table, planMoveRowUp(table, selected)); }

int moveRowDown(RowTable& table, int selected) {
  return run(table, planMoveRowDown(table, selected));
}

int newTable(RowTable& table, int selected) { return run(table, planNewTable(table, selected)); }

int openTable(RowTable& table, int selected, std::vector<Row> opened) {
  return run(table, planOpenTable(table, selected, std::move(opened)));
}

}  // namespace numora

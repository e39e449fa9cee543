#pragma once

#include <cstddef>
#include <variant>
#include <vector>

#include "RowTable.h"

namespace numora {

// The kinds of change the commands make to a table, each a step of its own that can be taken
// back and done again. A step holds what it exchanges with the table: `exchange` puts what the
// step holds into the table and keeps what was there instead, so the first exchange does the
// change, the next takes it back, the next does it again. `bytes` is what the step holds
// besides itself, as the history counts it.

// A row that is either in the table at `index` or held by the step: add row, delete row.
struct RowInOrOut {
  int index = 0;
  Row row;            // the row while the step holds it
  bool held = false;  // whether the step holds the row

  void exchange(RowTable& table);
  std::size_t bytes() const;
};

// The Name, Term and Result of two rows exchanged, and the Nrs that differ from their row
// positions on one side: a move. `nrs` holds the Nr texts the table does not, by rising index.
struct SwappedRows {
  int first = 0;
  int second = 0;
  std::vector<IndexedText> nrs;

  void exchange(RowTable& table);
  std::size_t bytes() const;
};

// Every row at once: new table, open. `rows` holds the rows the table does not.
struct AllRows {
  std::vector<Row> rows;

  void exchange(RowTable& table);
  std::size_t bytes() const;
};

// One field's texts of some rows: an edited Name or Term, the Results a calculation wrote.
// `texts` holds the texts the table does not, by rising index.
struct FieldTexts {
  RowField field = RowField::Result;
  std::vector<IndexedText> texts;

  void exchange(RowTable& table);
  std::size_t bytes() const;
  // Whether an exchange would change the table: one of the texts differs from the table's.
  bool changes(const RowTable& table) const;
};

using TableStep = std::variant<RowInOrOut, SwappedRows, AllRows, FieldTexts>;

inline void exchange(TableStep& step, RowTable& table) {
  std::visit([&](auto& kind) { kind.exchange(table); }, step);
}

inline std::size_t bytesHeld(const TableStep& step) {
  return std::visit([](const auto& kind) { return kind.bytes(); }, step);
}

}  // namespace numora

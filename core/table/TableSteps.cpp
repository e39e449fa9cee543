#include "TableSteps.h"

#include <algorithm>
#include <utility>

namespace numora {

namespace {

std::size_t bytesOf(const Row& row) {
  return sizeof(Row) + row.name.capacity() + row.term.capacity() + row.result.capacity() +
         row.nr.capacity();
}

std::size_t bytesOf(const std::vector<IndexedText>& texts) {
  std::size_t bytes = texts.capacity() * sizeof(IndexedText);
  for (const IndexedText& text : texts) {
    bytes += text.text.capacity();
  }
  return bytes;
}

}  // namespace

void RowInOrOut::exchange(RowTable& table) {
  if (held) {
    table.insertRow(index, std::move(row));
  } else {
    row = table.takeRow(index);
  }
  held = !held;
}

std::size_t RowInOrOut::bytes() const { return bytesOf(row); }

void SwappedRows::exchange(RowTable& table) {
  table.exchangeContents(first, second);
  table.exchangeTexts(RowField::Nr, nrs);
}

std::size_t SwappedRows::bytes() const { return bytesOf(nrs); }

void AllRows::exchange(RowTable& table) { rows = table.exchangeAllRows(std::move(rows)); }

std::size_t AllRows::bytes() const {
  std::size_t bytes = (rows.capacity() - rows.size()) * sizeof(Row);
  for (const Row& row : rows) {
    bytes += bytesOf(row);
  }
  return bytes;
}

void FieldTexts::exchange(RowTable& table) { table.exchangeTexts(field, texts); }

std::size_t FieldTexts::bytes() const { return bytesOf(texts); }

bool FieldTexts::changes(const RowTable& table) const {
  return std::any_of(texts.begin(), texts.end(), [&](const IndexedText& text) {
    return table.text(text.index, field) != text.text;
  });
}

}  // namespace numora

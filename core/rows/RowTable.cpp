#include "RowTable.h"

#include <algorithm>
#include <utility>

namespace numora {

void RowTable::changed(int first, int last) {
  if (observer_ != nullptr) {
    observer_->rowsChanged(first, last);
  }
}

void RowTable::setName(int index, std::string name) {
  mutableRow(index).name = std::move(name);
  changed(index, index);
}

void RowTable::setTerm(int index, std::string term) {
  mutableRow(index).term = std::move(term);
  changed(index, index);
}

void RowTable::setResult(int index, std::string_view result) {
  mutableRow(index).result.assign(result);
  changed(index, index);
}

const std::string& RowTable::text(int index, RowField field) const {
  return row(index).*RowTexts[static_cast<std::size_t>(field)];
}

std::string& RowTable::mutableText(int index, RowField field) {
  return const_cast<std::string&>(std::as_const(*this).text(index, field));
}

std::string RowTable::exchangeText(int index, RowField field, std::string text) {
  std::swap(mutableText(index, field), text);
  changed(index, index);
  return text;
}

void RowTable::exchangeTexts(RowField field, std::vector<IndexedText>& texts) {
  for (IndexedText& text : texts) {
    std::swap(mutableText(text.index, field), text.text);
  }
  if (!texts.empty()) {
    changed(texts.front().index, texts.back().index);
  }
}

void RowTable::appendRow(Row row) {
  const int index = rowCount();
  if (observer_ != nullptr) {
    observer_->rowsAboutToBeInserted(index, index);
  }
  rows_.push_back(std::move(row));
  if (observer_ != nullptr) {
    observer_->rowsInserted();
  }
}

void RowTable::insertRow(int index, Row row) {
  if (observer_ != nullptr) {
    observer_->rowsAboutToBeInserted(index, index);
  }
  rows_.insert(rows_.begin() + index, std::move(row));
  if (observer_ != nullptr) {
    observer_->rowsInserted();
  }
}

Row RowTable::takeRow(int index) {
  if (observer_ != nullptr) {
    observer_->rowsAboutToBeRemoved(index, index);
  }
  Row row = std::move(mutableRow(index));
  rows_.erase(rows_.begin() + index);
  if (observer_ != nullptr) {
    observer_->rowsRemoved();
  }
  return row;
}

void RowTable::replaceAllRows(std::vector<Row> rows) {
  if (observer_ != nullptr) {
    observer_->tableAboutToBeReset();
  }
  rows_ = std::move(rows);
  if (observer_ != nullptr) {
    observer_->tableReset();
  }
}

std::vector<Row> RowTable::exchangeAllRows(std::vector<Row> rows) {
  if (observer_ != nullptr) {
    observer_->tableAboutToBeReset();
  }
  std::swap(rows_, rows);
  if (observer_ != nullptr) {
    observer_->tableReset();
  }
  return rows;
}

void RowTable::exchangeContents(int first, int second) {
  Row& a = mutableRow(first);
  Row& b = mutableRow(second);
  for (std::size_t field = 0; field < RowFieldCount; ++field) {
    if (field != static_cast<std::size_t>(RowField::Nr)) {
      std::swap(a.*RowTexts[field], b.*RowTexts[field]);
    }
  }
  changed(std::min(first, second), std::max(first, second));
}

}  // namespace numora

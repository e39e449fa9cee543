#pragma once

#include <simdjson.h>

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "RowTable.h"

namespace numora {

// Reads the rows of a table from the JSON parser's on-demand values, and checks the values a
// table does not use. Every value is read to its end, never skipped, so that the parser checks
// all of it. Any answer but true means the document is not a plain valid table, or holds
// something this reader leaves to a more careful one (a number it cannot read exactly, nesting
// deeper than the parser follows).
class TableRowsReader {
 public:
  using Value = simdjson::ondemand::value;

  void reserve(std::size_t rows) { rows_.reserve(rows); }
  std::size_t rowCount() const { return rows_.size(); }
  // How many rows there is room for before the rows must move.
  std::size_t room() const { return rows_.capacity(); }

  // A list of rows: appended to those read before.
  bool readRows(Value value);
  bool readRows(simdjson::ondemand::array& rows);

  // A value the table does not use: ignored, but it must be valid JSON all through. Nesting
  // deeper than MostNestedLevels is left to the careful reading, which follows any depth
  // without a call per level.
  bool isValidJson(Value value, int level = 0);

  // The characters of a string value: a view into the document where it has no escapes, else
  // into `decoded`, which holds them read. False for any other value.
  static bool readStringValue(Value& value, std::string& decoded, std::string_view& text);

  // The text of a scalar value without the blanks after it. The parser stays at the value:
  // reading it moves on.
  static bool scalarToken(Value& value, std::string_view& token);

  // The characters of a field's key, in place of `key`'s.
  static bool readKey(simdjson::ondemand::field& field, std::string& key);

  std::vector<Row> takeRows() { return std::move(rows_); }

 private:
  bool readRow(simdjson::ondemand::object& object);
  static constexpr int MostNestedLevels = 256;

  bool isValidObject(Value value, int level);
  bool isValidArray(Value value, int level);

  std::vector<Row> rows_;
  std::string fieldKey_;
  std::array<std::string, RowFieldCount> decoded_;  // a row's texts that held escapes, by field
  std::string ignored_;
};

}  // namespace numora

#include "TableRowsReader.h"

#include <array>
#include <cstdint>
#include <cstring>
#include <string_view>
#include <utility>

#include "JsonTokens.h"
#include "TableFormat.h"

namespace numora {

namespace ondemand = simdjson::ondemand;

namespace {

// The bits that mark every field of a row seen.
constexpr unsigned AllFields = (1u << RowFieldCount) - 1;

// The text of a scalar without the blanks that follow it.
std::string_view withoutTrailingBlanks(std::string_view token) {
  while (!token.empty() && (token.back() == ' ' || token.back() == '\n' || token.back() == '\r' ||
                            token.back() == '\t')) {
    token.remove_suffix(1);
  }
  return token;
}

// Whether any byte of `word` is zero.
constexpr bool hasZeroByte(std::uint64_t word) {
  constexpr std::uint64_t Ones = 0x0101010101010101;
  constexpr std::uint64_t HighBits = 0x8080808080808080;
  return ((word - Ones) & ~word & HighBits) != 0;
}

// Whether a string's content holds a backslash or a quote, looked for eight bytes at a time:
// such a byte leaves a zero byte after an exclusive or with eight copies of it.
bool hasEscapeOrQuote(std::string_view content) {
  constexpr std::uint64_t Ones = 0x0101010101010101;
  std::size_t i = 0;
  for (; i + sizeof(std::uint64_t) <= content.size(); i += sizeof(std::uint64_t)) {
    std::uint64_t word = 0;
    std::memcpy(&word, content.data() + i, sizeof word);
    if (hasZeroByte(word ^ (Ones * '\\')) || hasZeroByte(word ^ (Ones * '"'))) {
      return true;
    }
  }
  for (; i < content.size(); ++i) {
    if (content[i] == '\\' || content[i] == '"') {
      return true;
    }
  }
  return false;
}

// Whether the key at `key` is the `Index`th row key written plainly, followed by its closing
// quote. The key's length is known when compiling, so the comparison is compiled inline.
template <std::size_t Index>
bool isPlainRowKey(const char* key) {
  constexpr std::string_view name = RowKeys[Index].key;
  return std::memcmp(key, name.data(), name.size()) == 0 && key[name.size()] == '"';
}

template <std::size_t... Index>
std::size_t plainRowFieldKey(const char* key, std::index_sequence<Index...>) {
  std::size_t field = RowFieldCount;
  static_cast<void>(((isPlainRowKey<Index>(key) &&
                      (field = static_cast<std::size_t>(RowKeys[Index].field), true)) ||
                     ...));
  return field;
}

// The row field named by a key written plainly, as the program writes them: `key` points at
// its characters, and the parser's padding lets a few bytes past a short key be compared.
// RowFieldCount for a key that names no field.
std::size_t plainRowFieldKey(const char* key) {
  return plainRowFieldKey(key, std::make_index_sequence<RowKeys.size()>());
}

// The row field a key names, or none; a key written in any other way than plainly is read in
// full into `decoded` first. False for a key JSON forbids.
bool rowFieldOfKey(const char* key, std::string& decoded, std::size_t& index) {
  index = plainRowFieldKey(key);
  if (index != RowFieldCount) {
    return true;
  }
  decoded.clear();
  if (!appendJsonStringCharacters(key, decoded)) {
    return false;
  }
  index = rowFieldIndexOfKey(decoded);
  return true;
}

// The row of `texts`, by field, each text built where it stays. Row's fields are declared in
// the order of RowField, as RowTexts lists them; the reading tests check that every text
// lands in its field.
template <std::size_t... Field>
Row rowOfTexts(const std::array<std::string_view, RowFieldCount>& texts,
               std::index_sequence<Field...>) {
  return Row{std::string(texts[Field])...};
}

}  // namespace

bool TableRowsReader::scalarToken(Value& value, std::string_view& token) {
  token = withoutTrailingBlanks(value.raw_json_token());
  return !token.empty();
}

bool TableRowsReader::readKey(ondemand::field& field, std::string& key) {
  key.clear();
  return appendJsonStringCharacters(field.key().raw(), key);
}

// A string without escapes, by far the most common, is taken whole from between its quotes:
// the parser has found its end and refused control characters in strings.
bool TableRowsReader::readStringValue(Value& value, std::string& decoded, std::string_view& text) {
  const std::string_view token = withoutTrailingBlanks(value.raw_json_token());
  ondemand::raw_json_string raw;
  if (value.get_raw_json_string().get(raw) != simdjson::SUCCESS) {
    return false;
  }
  if (token.size() >= 2 && token.back() == '"') {
    const std::string_view content = token.substr(1, token.size() - 2);
    if (!hasEscapeOrQuote(content)) {
      text = content;
      return true;
    }
  }
  decoded.clear();
  if (!appendJsonStringCharacters(raw.raw(), decoded)) {
    return false;
  }
  text = decoded;
  return true;
}

bool TableRowsReader::readRows(Value value) {
  ondemand::array rows;
  return value.get_array().get(rows) == simdjson::SUCCESS && readRows(rows);
}

bool TableRowsReader::readRows(ondemand::array& rows) {
  for (auto element : rows) {
    ondemand::object row;
    if (element.get_object().get(row) != simdjson::SUCCESS || !readRow(row)) {
      return false;
    }
  }
  return true;
}

// One row: each of its fields a text, as often as it comes, the last one counting; other keys
// are ignored.
bool TableRowsReader::readRow(ondemand::object& object) {
  std::array<std::string_view, RowFieldCount> texts;
  unsigned seen = 0;
  for (auto field : object) {
    ondemand::raw_json_string key;
    std::size_t index = RowFieldCount;
    Value value;
    if (field.key().get(key) != simdjson::SUCCESS || !rowFieldOfKey(key.raw(), fieldKey_, index) ||
        field.value().get(value) != simdjson::SUCCESS) {
      return false;
    }
    if (index == RowFieldCount) {
      if (!isValidJson(value)) return false;
      continue;
    }
    seen |= 1u << index;
    if (!readStringValue(value, decoded_[index], texts[index])) {
      return false;
    }
  }
  if (seen != AllFields) {
    return false;
  }
  rows_.push_back(rowOfTexts(texts, std::make_index_sequence<RowFieldCount>()));
  return true;
}

bool TableRowsReader::isValidJson(Value value, int level) {
  ondemand::json_type type;
  if (value.type().get(type) != simdjson::SUCCESS) {
    return false;
  }
  std::string_view token;
  switch (type) {
    case ondemand::json_type::object:
      return level < MostNestedLevels && isValidObject(value, level + 1);
    case ondemand::json_type::array:
      return level < MostNestedLevels && isValidArray(value, level + 1);
    case ondemand::json_type::string:
      return readStringValue(value, ignored_, token);
    case ondemand::json_type::number: {
      double number = 0;
      return scalarToken(value, token) && isPlainJsonNumber(token) &&
             value.get_double().get(number) == simdjson::SUCCESS;
    }
    case ondemand::json_type::boolean: {
      bool truth = false;
      return scalarToken(value, token) && (token == "true" || token == "false") &&
             value.get_bool().get(truth) == simdjson::SUCCESS;
    }
    case ondemand::json_type::null: {
      bool isNull = false;
      return scalarToken(value, token) && token == "null" &&
             value.is_null().get(isNull) == simdjson::SUCCESS && isNull;
    }
  }
  return false;
}

bool TableRowsReader::isValidObject(Value value, int level) {
  ondemand::object object;
  if (value.get_object().get(object) != simdjson::SUCCESS) {
    return false;
  }
  for (auto member : object) {
    ondemand::field field;
    if (std::move(member).get(field) != simdjson::SUCCESS || !readKey(field, ignored_) ||
        !isValidJson(field.value(), level)) {
      return false;
    }
  }
  return true;
}

bool TableRowsReader::isValidArray(Value value, int level) {
  ondemand::array array;
  if (value.get_array().get(array) != simdjson::SUCCESS) {
    return false;
  }
  for (auto element : array) {
    Value item;
    if (std::move(element).get(item) != simdjson::SUCCESS || !isValidJson(item, level)) {
      return false;
    }
  }
  return true;
}

}  // namespace numora

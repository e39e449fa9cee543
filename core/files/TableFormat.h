#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <string_view>

#include "RowTable.h"

namespace numora {

// The table file's format, the one place that names it: the writer and every reader take the
// keys, the format's name and version, and the lines of the program's layout from here.

// The document's own keys.
inline constexpr std::string_view FormatKey = "format";
inline constexpr std::string_view VersionKey = "version";
inline constexpr std::string_view RowsKey = "rows";

inline constexpr std::string_view TableFormatName = "numora-table";
inline constexpr int TableFormatVersion = 1;
inline constexpr std::string_view TableFormatVersionText = "1";

// A row's key in the file and the row field its text fills.
struct RowKey {
  std::string_view key;
  RowField field;
};

// The keys of a row, in the order the writer writes them.
inline constexpr std::array<RowKey, RowFieldCount> RowKeys = {{
    {"name", RowField::Name},
    {"term", RowField::Term},
    {"result", RowField::Result},
    {"nr", RowField::Nr},
}};

// The row field a key names; RowFieldCount for a key that names none.
constexpr std::size_t rowFieldIndexOfKey(std::string_view key) {
  for (const RowKey& rowKey : RowKeys) {
    if (rowKey.key == key) {
      return static_cast<std::size_t>(rowKey.field);
    }
  }
  return RowFieldCount;
}

namespace table_format_detail {

// The texts joined into one, at compile time.
template <const std::string_view&... Parts>
struct Joined {
  static constexpr std::array<char, (Parts.size() + ...)> characters = [] {
    std::array<char, (Parts.size() + ...)> joined{};
    auto out = joined.begin();
    ((out = std::copy(Parts.begin(), Parts.end(), out)), ...);
    return joined;
  }();
  static constexpr std::string_view text{characters.data(), characters.size()};
};

inline constexpr std::string_view OpenObjectAndQuote = "{\"";
inline constexpr std::string_view KeyEndAndQuote = "\": \"";
inline constexpr std::string_view QuoteCommaQuote = "\", \"";
inline constexpr std::string_view KeyEnd = "\": ";
inline constexpr std::string_view CommaQuote = ", \"";
inline constexpr std::string_view OpenList = "\": [\n";

// Whether every row field has exactly one key.
constexpr bool eachFieldHasOneKey() {
  std::array<int, RowFieldCount> keys{};
  for (const RowKey& rowKey : RowKeys) {
    ++keys[static_cast<std::size_t>(rowKey.field)];
  }
  return std::all_of(keys.begin(), keys.end(), [](int count) { return count == 1; });
}

constexpr bool isVersionText(int version, std::string_view text) {
  int value = 0;
  for (const char digit : text) {
    value = value * 10 + (digit - '0');
  }
  return !text.empty() && value == version;
}

// The bytes of a row with empty texts written as tightly as JSON allows, and the comma after
// it: {"name":"","term":"",...},
constexpr std::size_t tightestRowLength() {
  std::size_t length = 2 + 1;  // the braces and the comma
  for (const RowKey& rowKey : RowKeys) {
    length += rowKey.key.size() + 2 + 1 + 2;  // the quoted key, the colon, the empty text
  }
  return length + RowKeys.size() - 1;  // the commas between the fields
}

// The texts that stand before each field's text in a row as the program writes it, one after
// the other: {"name": , "term": ...
constexpr std::size_t rowPrefixesLength() {
  std::size_t length = OpenObjectAndQuote.size() + (RowKeys.size() - 1) * CommaQuote.size();
  for (const RowKey& rowKey : RowKeys) {
    length += rowKey.key.size() + KeyEnd.size();
  }
  return length;
}

inline constexpr std::array<char, rowPrefixesLength()> RowPrefixCharacters = [] {
  std::array<char, rowPrefixesLength()> characters{};
  auto out = characters.begin();
  std::string_view before = OpenObjectAndQuote;
  for (const RowKey& rowKey : RowKeys) {
    out = std::copy(before.begin(), before.end(), out);
    out = std::copy(rowKey.key.begin(), rowKey.key.end(), out);
    out = std::copy(KeyEnd.begin(), KeyEnd.end(), out);
    before = CommaQuote;
  }
  return characters;
}();

}  // namespace table_format_detail

// What the program writes before each field's text in a row, in the order of RowKeys: the
// opening brace or the comma after the text before, and the key.
inline constexpr std::array<std::string_view, RowFieldCount> RowValuePrefixes = [] {
  std::array<std::string_view, RowFieldCount> prefixes{};
  std::size_t at = 0;
  std::size_t before = table_format_detail::OpenObjectAndQuote.size();
  for (std::size_t i = 0; i < RowKeys.size(); ++i) {
    const std::size_t length = before + RowKeys[i].key.size() + table_format_detail::KeyEnd.size();
    prefixes[i] = std::string_view(table_format_detail::RowPrefixCharacters.data() + at, length);
    at += length;
    before = table_format_detail::CommaQuote.size();
  }
  return prefixes;
}();
static_assert(RowValuePrefixes.back().data() + RowValuePrefixes.back().size() ==
              table_format_detail::RowPrefixCharacters.data() +
                  table_format_detail::RowPrefixCharacters.size());

static_assert(table_format_detail::eachFieldHasOneKey(), "every row field has one key");
static_assert(table_format_detail::isVersionText(TableFormatVersion, TableFormatVersionText));

// The table file's layout as the program writes it: the header line, one row per line with a
// comma after all but the last, and the closing line.
inline constexpr std::string_view TableHeader = table_format_detail::Joined<
    table_format_detail::OpenObjectAndQuote, FormatKey, table_format_detail::KeyEndAndQuote,
    TableFormatName, table_format_detail::QuoteCommaQuote, VersionKey, table_format_detail::KeyEnd,
    TableFormatVersionText, table_format_detail::CommaQuote, RowsKey,
    table_format_detail::OpenList>::text;
inline constexpr std::string_view TableFooter = "]}\n";

// The fewest bytes a row and the comma after it take in a table document in any layout, which
// bounds the rows a text of a given size can hold.
inline constexpr std::size_t SmallestRowLength = table_format_detail::tightestRowLength();

}  // namespace numora

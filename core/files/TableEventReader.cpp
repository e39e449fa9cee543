#include "TableEventReader.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cstdint>
#include <optional>
#include <utility>

#include "Faults.h"
#include "JsonTokens.h"
#include "TableFormat.h"

namespace numora {

namespace {

using Json = nlohmann::json;

// Reads a table document event by event into rows, without building the whole document in
// memory. Problems with the content are collected and judged at the end, so that a file of a
// newer version is reported as such even when its rows look different.
//
// Depths: 1 inside the document's object, 2 inside its "rows" array, 3 inside one row.
class TableReader : public nlohmann::json_sax<Json> {
 public:
  explicit TableReader(std::size_t expectedRows) { rows_.reserve(expectedRows); }

  bool null() override { return plainValue(); }
  bool boolean(bool) override { return plainValue(); }
  bool number_integer(number_integer_t number) override {
    return number >= 0 ? number_unsigned(static_cast<number_unsigned_t>(number)) : plainValue();
  }
  bool number_unsigned(number_unsigned_t number) override {
    if (depth_ == 1 && topKey_ == VersionKey) {
      version_ = number;
      newerVersionText_.reset();
      return true;
    }
    return plainValue();
  }
  // A version written with a fraction or an exponent is the whole number it stands for, read
  // exactly from its digits: "1.0" is version 1, "2.0" and "1E23" newer ones, "1.5" none.
  bool number_float(number_float_t, const string_t& text) override {
    if (depth_ != 1 || topKey_ != VersionKey) {
      return plainValue();
    }
    switch (wholeNumberOf(text)) {
      case WholeNumber::Zero:
        return number_unsigned(0);
      case WholeNumber::One:
        return number_unsigned(1);
      case WholeNumber::AboveOne:
        newerVersionText_ = text;
        return true;
      case WholeNumber::None:
      case WholeNumber::Negative:
        break;
    }
    return plainValue();
  }
  bool binary(binary_t&) override { return plainValue(); }
  bool string(string_t& text) override {
    if (depth_ == 1 && topKey_ == FormatKey) {
      format_ = text;
      return true;
    }
    if (inRowFields()) {
      if (const std::size_t field = rowFieldIndexOfKey(fieldKey_); field != RowFieldCount) {
        rows_.back().*RowTexts[field] = std::move(text);
        seenFields_ |= 1u << field;
      }
      return true;
    }
    return plainValue();
  }

  bool start_object(std::size_t) override {
    if (depth_ == 0) {
      topIsObject_ = true;
    } else if (inRowsArray() && depth_ == 2) {
      ++elements_;
      rows_.emplace_back();
      seenFields_ = 0;
      rowOpen_ = true;
    } else {
      misplacedValue();
    }
    ++depth_;
    return true;
  }
  bool end_object() override {
    --depth_;
    if (rowOpen_ && depth_ == 2) {
      rowOpen_ = false;
      checkRowFields();
    }
    return true;
  }
  bool start_array(std::size_t) override {
    if (depth_ == 1 && topKey_ == RowsKey) {
      rowsPresent_ = true;
      rowsArrayOpen_ = true;
    } else {
      misplacedValue();
    }
    ++depth_;
    return true;
  }
  bool end_array() override {
    --depth_;
    if (depth_ == 1) {
      rowsArrayOpen_ = false;
    }
    return true;
  }
  bool key(string_t& name) override {
    if (depth_ == 1) {
      topKey_ = std::move(name);
    } else if (inRowFields()) {
      fieldKey_ = std::move(name);
    }
    return true;
  }
  bool parse_error(std::size_t position, const std::string&,
                   const nlohmann::detail::exception&) override {
    syntaxErrorAt_ = position;
    return false;
  }

  std::optional<std::size_t> syntaxErrorAt() const { return syntaxErrorAt_; }

  // What is wrong with the document's content, or nothing.
  std::optional<std::string> problem() const {
    if (!topIsObject_) {
      return notAnObjectProblem();
    }
    if (format_ != TableFormatName) {
      return notTheFormatProblem(FormatKey, TableFormatName);
    }
    if (newerVersionText_) {
      return newerVersionProblem(*newerVersionText_, TableFormatVersionText);
    }
    if (!version_) {
      return noWholeVersionProblem(VersionKey);
    }
    if (*version_ > static_cast<std::uint64_t>(TableFormatVersion)) {
      return newerVersionProblem(std::to_string(*version_), TableFormatVersionText);
    }
    if (*version_ < 1) {
      return versionZeroProblem();
    }
    if (!rowsPresent_) {
      return noRowListProblem(RowsKey);
    }
    return rowProblem_;
  }

  std::vector<Row> takeRows() { return std::move(rows_); }

 private:
  bool inRowsArray() const { return rowsArrayOpen_; }
  bool inRowFields() const { return rowOpen_ && depth_ == 3; }

  // A value other than those taken above, where it stands.
  bool plainValue() {
    if (depth_ == 0) {
      topIsObject_ = false;
    } else {
      misplacedValue();
    }
    return true;
  }

  // A value, object or array where the document wants another kind: for one of its own keys,
  // in place of a row, or in place of a row's text.
  void misplacedValue() {
    if (depth_ == 1) {
      valueForTopKey();
    } else if (inRowsArray() && depth_ == 2) {
      ++elements_;
      noteRowProblem(entryNotAnObjectProblem(elements_, RowsKey));
    } else if (inRowFields() && rowFieldIndexOfKey(fieldKey_) != RowFieldCount) {
      noteRowProblem(fieldNotATextProblem(elements_, RowsKey, fieldKey_));
    }
  }

  // A value of the wrong kind for one of the document's own keys.
  void valueForTopKey() {
    if (topKey_ == FormatKey) {
      format_.clear();
    } else if (topKey_ == VersionKey) {
      version_.reset();
      newerVersionText_.reset();
    } else if (topKey_ == RowsKey) {
      rowsPresent_ = false;
    }
  }

  void checkRowFields() {
    for (const RowKey& rowKey : RowKeys) {
      if ((seenFields_ & (1u << static_cast<std::size_t>(rowKey.field))) == 0) {
        noteRowProblem(fieldMissingProblem(elements_, RowsKey, rowKey.key));
        return;
      }
    }
  }

  void noteRowProblem(std::string problem) {
    if (!rowProblem_) {
      rowProblem_ = std::move(problem);
    }
  }

  std::vector<Row> rows_;
  std::size_t depth_ = 0;
  std::size_t elements_ = 0;
  std::string topKey_;
  std::string fieldKey_;
  unsigned seenFields_ = 0;
  bool topIsObject_ = false;
  bool rowsArrayOpen_ = false;
  bool rowOpen_ = false;
  bool rowsPresent_ = false;
  std::string format_;
  std::optional<std::uint64_t> version_;
  std::optional<std::string> newerVersionText_;
  std::optional<std::string> rowProblem_;
  std::optional<std::size_t> syntaxErrorAt_;
};

// The syntax fault at a byte position: its line and column, both counted from 1.
std::string syntaxErrorAt(std::string_view document, std::size_t position) {
  position = std::min(position, document.size());
  const std::string_view before = document.substr(0, position);
  const std::size_t line =
      static_cast<std::size_t>(std::count(before.begin(), before.end(), '\n')) + 1;
  const std::size_t lineStart = before.rfind('\n');
  const std::size_t column =
      lineStart == std::string_view::npos ? position + 1 : position - lineStart;
  return syntaxErrorProblem(line, column);
}

}  // namespace

std::vector<Row> rowsReadEventByEvent(std::string_view document, const std::string& fileName,
                                      std::size_t expectedRows) {
  TableReader reader(expectedRows);
  Json::sax_parse(document.begin(), document.end(), &reader);
  if (const std::optional<std::size_t> position = reader.syntaxErrorAt()) {
    throw notATableFileFault(fileName, syntaxErrorAt(document, *position - 1));
  }
  // The parser takes a NUL byte for the end of its input and refuses one inside a text, so one
  // it let pass stands after the document, where it is a fault like any byte but white space.
  if (const std::size_t nul = document.find('\0'); nul != std::string_view::npos) {
    throw notATableFileFault(fileName, syntaxErrorAt(document, nul));
  }
  if (const std::optional<std::string> problem = reader.problem()) {
    throw notATableFileFault(fileName, *problem);
  }
  return reader.takeRows();
}

}  // namespace numora

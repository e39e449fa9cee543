#include "TableDocumentReader.h"

#include <simdjson.h>

#include <string>
#include <utility>

#include "JsonTokens.h"
#include "TableFormat.h"
#include "TableRowsReader.h"

namespace numora {

namespace {

namespace ondemand = simdjson::ondemand;

static_assert(TableDocumentPadding >= simdjson::SIMDJSON_PADDING);
// The version is taken when it is 1; a newer format would have to be taken here too.
static_assert(TableFormatVersion == 1);

// Reads a table document's object into rows, or finds that it is not a plain valid table.
class ValidTableReader {
 public:
  explicit ValidTableReader(std::size_t expectedRows) { rows_.reserve(expectedRows); }

  bool readDocument(ondemand::document& document) {
    ondemand::object top;
    if (document.get_object().get(top) != simdjson::SUCCESS) {
      return false;
    }
    for (auto member : top) {
      ondemand::field field;
      if (std::move(member).get(field) != simdjson::SUCCESS ||
          !TableRowsReader::readKey(field, topKey_) || !readTopValue(field.value())) {
        return false;
      }
    }
    // Anything after the object is a fault.
    const char* after = nullptr;
    return document.current_location().get(after) == simdjson::OUT_OF_BOUNDS && formatSeen_ &&
           versionSeen_ && rowsSeen_;
  }

  std::vector<Row> takeRows() { return rows_.takeRows(); }

 private:
  // The value of one of the document's keys: "format" must name the format, "version" must be
  // 1 and "rows" a list of rows, wherever the key stands last.
  bool readTopValue(ondemand::value value) {
    if (topKey_ == FormatKey) {
      formatSeen_ = true;
      std::string_view format;
      return TableRowsReader::readStringValue(value, format_, format) && format == TableFormatName;
    }
    if (topKey_ == VersionKey) {
      versionSeen_ = true;
      std::string_view token;
      double version = 0;
      return TableRowsReader::scalarToken(value, token) &&
             wholeNumberOf(token) == WholeNumber::One &&
             value.get_double().get(version) == simdjson::SUCCESS;
    }
    if (topKey_ == RowsKey) {
      rowsSeen_ = true;
      return rows_.readRows(value);
    }
    return rows_.isValidJson(value);
  }

  TableRowsReader rows_;
  std::string topKey_;
  std::string format_;
  bool formatSeen_ = false;
  bool versionSeen_ = false;
  bool rowsSeen_ = false;
};

std::optional<std::vector<Row>> rowsOfPaddedDocument(simdjson::padded_string_view document,
                                                     std::size_t expectedRows) {
  ondemand::parser parser;
  ondemand::document parsed;
  if (parser.iterate(document).get(parsed) != simdjson::SUCCESS) {
    return std::nullopt;
  }
  ValidTableReader reader(expectedRows);
  if (!reader.readDocument(parsed)) {
    return std::nullopt;
  }
  return reader.takeRows();
}

}  // namespace

std::optional<std::vector<Row>> rowsOfValidTableDocument(std::string_view document,
                                                         std::size_t readableBytes,
                                                         std::size_t expectedRows) {
  if (readableBytes >= document.size() + TableDocumentPadding) {
    return rowsOfPaddedDocument(simdjson::padded_string_view(document, readableBytes),
                                expectedRows);
  }
  const simdjson::padded_string copy(document);
  return rowsOfPaddedDocument(copy, expectedRows);
}

}  // namespace numora

// The fast readings of table documents against the careful one: every document either gives
// exactly the rows the careful reading gives, or is left to it.

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "Faults.h"
#include "TableDocumentReader.h"
#include "TableEventReader.h"
#include "TableFile.h"
#include "TableLineReader.h"

namespace numora {
namespace {

// Whether a fast reading is expected to take a document itself.
enum class Taken { Yes, No, Either };

// The rows of the careful reading, or nothing where it refuses the document.
std::optional<std::vector<Row>> carefulRows(const std::string& document) {
  try {
    return rowsReadEventByEvent(document, "t.TBE", 0);
  } catch (const Exception&) {
    return std::nullopt;
  }
}

std::optional<std::vector<Row>> rowsReadLineByLine(const std::string& document,
                                                   std::size_t blockSize) {
  return rowsOfLineByLineDocument(bytesOfDocument(document), document.size(), blockSize);
}

void expectTaken(const std::optional<std::vector<Row>>& rows, Taken taken,
                 const std::optional<std::vector<Row>>& careful, const std::string& where) {
  if (taken != Taken::Either) {
    EXPECT_EQ(rows.has_value(), taken == Taken::Yes) << where;
  }
  if (rows) {
    EXPECT_EQ(rows, careful) << where;
  }
}

const std::string Header = "{\"format\": \"numora-table\", \"version\": 1, \"rows\": [\n";
const std::string Footer = "]}\n";

std::string rowLine(const std::string& name, const std::string& nr) {
  return "{\"name\": \"" + name + "\", \"term\": \"x*2\", \"result\": \"4\", \"nr\": \"" + nr +
         "\"}";
}

TEST(TableReading, FastReadingsGiveTheCarefulReadingsRowsOrLeaveTheDocumentToIt) {
  const std::string a = rowLine("a", "1");
  const std::string b = rowLine("b", "2");
  const std::vector<Row> ab{{"a", "x*2", "4", "1"}, {"b", "x*2", "4", "2"}};
  const auto nested = [](std::size_t levels) {
    return std::string(levels, '[') + std::string(levels, ']');
  };
  struct Case {
    const char* what;
    std::string document;
    std::optional<std::vector<Row>> rows;  // what the careful reading gives; none: refused
    Taken byLines;
    Taken whole;
  };
  for (const Case& c : std::vector<Case>{
           {"as the program writes it", Header + a + ",\n" + b + "\n" + Footer, ab, Taken::Yes,
            Taken::Yes},
           {"no rows", Header + Footer, std::vector<Row>{}, Taken::Yes, Taken::Yes},
           {"escapes, other key order, unknown keys",
            Header +
                "{\"nr\": \"\\u00e9\\ud83d\\ude00\", \"x\": [1, {\"y\": null}, true, -2.5e3],"
                " \"name\": \"q\\\"\\\\\\/\\b\\f\\n\\r\\t\", \"term\": \"\", \"result\": \"\"}\n" +
                Footer,
            std::vector<Row>{{"q\"\\/\b\f\n\r\t", "", "", "\xC3\xA9\xF0\x9F\x98\x80"}}, Taken::Yes,
            Taken::Yes},
           {"escapes after the first eight bytes and in the last few",
            Header + "{\"name\": \"abcdefghij\\tklmnopq\", \"term\": \"x*2\", \"result\": \"4\"," +
                " \"nr\": \"12345678\\\"\"}\n" + Footer,
            std::vector<Row>{{"abcdefghij\tklmnopq", "x*2", "4", "12345678\""}}, Taken::Yes,
            Taken::Yes},
           {"a key written with an escape",
            Header +
                "{\"n\\u0061me\": \"a\", \"term\": \"x*2\", \"result\": \"4\", \"nr\": \"1\"}\n" +
                Footer,
            std::vector<Row>{ab[0]}, Taken::Yes, Taken::Yes},
           {"a field twice: the last counts",
            Header + "{\"name\": \"z\", \"name\": \"a\", \"term\": \"x*2\", \"result\": \"4\"," +
                " \"nr\": \"1\"}\n" + Footer,
            std::vector<Row>{ab[0]}, Taken::Yes, Taken::Yes},
           {"two rows on one line", Header + a + ", " + b + "\n" + Footer, ab, Taken::Yes,
            Taken::Yes},
           {"a row over two lines",
            Header + "{\"name\": \"a\",\n\"term\": \"x*2\", \"result\": \"4\", \"nr\": \"1\"}\n" +
                Footer,
            std::vector<Row>{ab[0]}, Taken::Either, Taken::Yes},
           {"all on one line",
            "{\"format\": \"numora-table\", \"version\": 1, \"rows\": [" + a + "]}",
            std::vector<Row>{ab[0]}, Taken::No, Taken::Yes},
           {"lines ended by CR LF",
            "{\"format\": \"numora-table\", \"version\": 1, \"rows\": [\r\n" + a + "\r\n]}\r\n",
            std::vector<Row>{ab[0]}, Taken::No, Taken::Yes},
           {"no line break at the end", Header + a + "\n]}", std::vector<Row>{ab[0]}, Taken::No,
            Taken::Yes},
           {"a blank line after the end", Header + a + "\n" + Footer + "\n",
            std::vector<Row>{ab[0]}, Taken::No, Taken::Yes},
           {"rows twice: both read",
            "{\"rows\": [" + a + "], \"format\": \"numora-table\", \"version\": 1, \"rows\": [" +
                b + "]}",
            ab, Taken::No, Taken::Yes},
           {"version 1.0",
            "{\"format\": \"numora-table\", \"version\": 1.0, \"rows\": [" + a + "]}",
            std::vector<Row>{ab[0]}, Taken::No, Taken::Yes},
           {"version 10E-1 and 0.1e1",
            "{\"format\": \"numora-table\", \"version\": 10E-1, \"version\": 0.1e1, "
            "\"rows\": []}",
            std::vector<Row>{}, Taken::No, Taken::Yes},
           {"version twice, the last 1",
            "{\"format\": \"numora-table\", \"version\": 2, \"version\": 1, \"rows\": []}",
            std::vector<Row>{}, Taken::No, Taken::No},
           {"a number too large for a double in an unknown key",
            Header + "{\"x\": 1e400, " + a.substr(1) + "\n" + Footer, std::nullopt, Taken::No,
            Taken::No},
           {"a number too small for a double in an unknown key",
            Header + "{\"x\": 1e-400, " + a.substr(1) + "\n" + Footer, std::vector<Row>{ab[0]},
            Taken::No, Taken::No},
           {"nesting a few levels deep in an unknown key",
            Header + "{\"x\": " + nested(50) + ", " + a.substr(1) + "\n" + Footer,
            std::vector<Row>{ab[0]}, Taken::Yes, Taken::Yes},
           {"nesting a million levels deep in an unknown key",
            Header + "{\"x\": " + nested(1000000) + ", " + a.substr(1) + "\n" + Footer,
            std::vector<Row>{ab[0]}, Taken::No, Taken::No},
           {"a byte-order mark", "\xEF\xBB\xBF" + Header + a + "\n" + Footer,
            std::vector<Row>{ab[0]}, Taken::No, Taken::Either},
           {"a colon after a value",
            "{\"c\": \"o\": [1, 2]}, \"format\": \"numora-table\", \"version\": 1, \"rows\": []}",
            std::nullopt, Taken::No, Taken::No},
           {"a colon after a row's value",
            Header + "{\"name\": \"a\": 1, \"term\": \"\", \"result\": \"\", \"nr\": \"\"}\n" +
                Footer,
            std::nullopt, Taken::No, Taken::No},
           {"a comma after the last row", Header + a + ",\n" + Footer, std::nullopt, Taken::No,
            Taken::No},
           {"a comma and a blank line after the last row", Header + a + ",\n\n" + Footer,
            std::nullopt, Taken::No, Taken::No},
           {"a comma before the first row", Header + ",\n" + a + "\n" + Footer, std::nullopt,
            Taken::No, Taken::No},
           {"a comma after blank lines before the first row",
            Header + "\n \n,\n" + a + ",\n" + b + "\n" + Footer, std::nullopt, Taken::No,
            Taken::No},
           {"only a comma", Header + ",\n" + Footer, std::nullopt, Taken::No, Taken::No},
           {"only a comma between blank lines", Header + "\n,\n\n" + Footer, std::nullopt,
            Taken::No, Taken::No},
           {"two commas between rows", Header + a + ",\n,\n" + b + "\n" + Footer, std::nullopt,
            Taken::No, Taken::No},
           {"blank lines among the rows", Header + "\n" + a + ",\n\n\t\n" + b + "\n" + Footer, ab,
            Taken::Either, Taken::Yes},
           {"only blank lines", Header + "\n \n" + Footer, std::vector<Row>{}, Taken::Yes,
            Taken::Yes},
           {"a NUL byte and more after the end", Header + a + "\n" + Footer + std::string("\0x", 2),
            std::nullopt, Taken::No, Taken::No},
           {"a NUL byte after the end", Header + Footer + std::string(1, '\0'), std::nullopt,
            Taken::No, Taken::No},
           {"a comma missing between rows", Header + a + "\n" + b + "\n" + Footer, std::nullopt,
            Taken::No, Taken::No},
           {"a line break inside a text",
            Header + "{\"name\": \"a\nb\", \"term\": \"\", \"result\": \"\", \"nr\": \"\"}\n" +
                Footer,
            std::nullopt, Taken::No, Taken::No},
           {"a tab inside a text",
            Header + "{\"name\": \"a\tb\", \"term\": \"\", \"result\": \"\", \"nr\": \"\"}\n" +
                Footer,
            std::nullopt, Taken::No, Taken::No},
           {"an unknown escape",
            Header + "{\"name\": \"\\x\", \"term\": \"\", \"result\": \"\", \"nr\": \"\"}\n" +
                Footer,
            std::nullopt, Taken::No, Taken::No},
           {"a lone surrogate",
            Header + "{\"name\": \"\\ud800\", \"term\": \"\", \"result\": \"\", \"nr\": \"\"}\n" +
                Footer,
            std::nullopt, Taken::No, Taken::No},
           {"bytes that are not UTF-8",
            Header + "{\"name\": \"\xC3\", \"term\": \"\", \"result\": \"\", \"nr\": \"\"}\n" +
                Footer,
            std::nullopt, Taken::No, Taken::No},
           {"something after the end", Header + a + "\n" + Footer + "x\n", std::nullopt, Taken::No,
            Taken::No},
           {"a field missing",
            Header + "{\"name\": \"a\", \"term\": \"\", \"nr\": \"\"}\n" + Footer, std::nullopt,
            Taken::No, Taken::No},
           {"a row that is no object", Header + a + ",\n1\n" + Footer, std::nullopt, Taken::No,
            Taken::No},
           {"a field that is no text",
            Header + "{\"name\": 1, \"term\": \"\", \"result\": \"\", \"nr\": \"\"}\n" + Footer,
            std::nullopt, Taken::No, Taken::No},
           {"true misspelt in an unknown key",
            Header + "{\"x\": tru, " + a.substr(1) + "\n" + Footer, std::nullopt, Taken::No,
            Taken::No},
           {"a number with a leading zero", Header + "{\"x\": 01, " + a.substr(1) + "\n" + Footer,
            std::nullopt, Taken::No, Taken::No},
       }) {
    const std::optional<std::vector<Row>> careful = carefulRows(c.document);
    ASSERT_EQ(careful, c.rows) << c.what;
    // Every place where a block can end, and the block the files are read in.
    std::vector<std::size_t> blockSizes{TableBlockSize};
    for (std::size_t size = 1; size <= std::min<std::size_t>(c.document.size(), 400); ++size) {
      blockSizes.push_back(size);
    }
    for (const std::size_t blockSize : blockSizes) {
      expectTaken(rowsReadLineByLine(c.document, blockSize), c.byLines, careful,
                  std::string(c.what) + ", line by line in blocks of " + std::to_string(blockSize));
    }
    expectTaken(rowsOfValidTableDocument(c.document, c.document.size(), 0), c.whole, careful,
                std::string(c.what) + ", whole");
    EXPECT_EQ(carefulRows(c.document) ? std::optional(rowsOfTableDocument(c.document, "t.TBE"))
                                      : std::nullopt,
              careful)
        << c.what;
  }
}

}  // namespace
}  // namespace numora

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "Calculation.h"
#include "FileAccess.h"
#include "RowCommands.h"
#include "TableFile.h"
#include "TableFormat.h"
#include "TableLineReader.h"
#include "TestSupport.h"

namespace numora {
namespace {

namespace fs = std::filesystem;

using test::contentOf;
using test::RecordingObserver;
using test::tableOf;
using test::writeFile;

std::vector<Row> rowsOf(const RowTable& table) {
  std::vector<Row> rows;
  for (int i = 0; i < table.rowCount(); ++i) {
    rows.push_back(table.row(i));
  }
  return rows;
}

class TableFile : public ::testing::Test {
 protected:
  std::string path(const std::string& name) const { return folder_.path(name); }

  test::TemporaryFolder folder_{"numora-table-test"};
};

TEST_F(TableFile, EveryKindOfTextSurvivesSaveAndOpen) {
  const std::vector<Row> rows = {
      {"", "", "", ""},
      {"New element", "sin(x)*Erg1", "0,5", "1"},
      {"quotes \" and 'single'", "back\\slash\\", "tab\there", "line\nbreak\r\nend"},
      {"<b>bold</b> & more", "x<y&&y>z", "&amp;", "7"},
      {"Größe Ä ß €", "π·r² 😀", "ünicode", "日本"},
      {std::string("nul\0inside", 10), "\x01\x1f\x7f", "/slash/", "\\u0041"},
      {"long", std::string(100000, 'x') + "+1", "", "3"},
  };
  const RowTable table = tableOf(rows);
  saveTable(table, path("all.TBE"));
  RowTable opened;
  EXPECT_EQ(openTable(opened, path("all.TBE")), -1);
  EXPECT_EQ(rowsOf(opened), rows);
  // One row per line, between the line that opens the document and the one that closes it.
  const std::string document = contentOf(path("all.TBE"));
  EXPECT_EQ(std::count(document.begin(), document.end(), '\n'), 2 + static_cast<long>(rows.size()));
  EXPECT_EQ(folder_.fileNames(), std::vector<std::string>{"all.TBE"});
}

// A saved table is read a block of lines at a time; the same file on one line is read whole.
TEST_F(TableFile, TablesOfManyBlocksAndLinesLongerThanABlockOpenAsSaved) {
  const auto manyRows = [](int count) {
    std::vector<Row> rows;
    for (int i = 0; i < count; ++i) {
      rows.push_back({"row " + std::to_string(i), "x*" + std::to_string(i) + "+\"q\"\\",
                      std::to_string(i) + ",5", std::to_string(i + 1)});
    }
    return rows;
  };
  std::vector<Row> withALongLine = manyRows(20000);
  withALongLine[12345].term = std::string(3 << 20, 'y') + "\u00e9\t";
  struct Case {
    const char* what;
    std::vector<Row> rows;
  };
  for (const Case& c : std::vector<Case>{{"50,000 rows", manyRows(50000)},
                                         {"a line of 3 MB among others", withALongLine},
                                         {"only a line of 3 MB", {withALongLine[12345]}}}) {
    saveTable(tableOf(c.rows), path("big.TBE"));
    std::string oneLine = contentOf(path("big.TBE"));
    std::replace(oneLine.begin(), oneLine.end(), '\n', ' ');
    writeFile(path("one-line.TBE"), oneLine);
    RegularFileReader file(path("big.TBE"));
    EXPECT_TRUE(rowsOfLineByLineDocument(
                    [&](char* buffer, std::size_t size) { return file.read(buffer, size); }, 0) ==
                c.rows)
        << c.what << ", read line by line";
    for (const char* name : {"big.TBE", "one-line.TBE"}) {
      RowTable opened;
      openTable(opened, path(name));
      EXPECT_TRUE(rowsOf(opened) == c.rows) << c.what << ", " << name;
    }
  }
}

TEST_F(TableFile, WritesEveryRowOnALineOfItsOwnBetweenHeaderAndFooter) {
  const std::string header = "{\"format\": \"numora-table\", \"version\": 1, \"rows\": [\n";
  struct Case {
    std::vector<std::string> terms;
    std::string document;
  };
  for (const Case& c : std::initializer_list<Case>{
           {{}, header + "]}\n"},
           {{"x+1"},
            header +
                "{\"name\": \"New element\", \"term\": \"x+1\", \"result\": \"\", \"nr\": \"1\"}\n"
                "]}\n"},
           {{"x", "Erg1*2"},
            header +
                "{\"name\": \"New element\", \"term\": \"x\", \"result\": \"\", \"nr\": \"1\"},\n"
                "{\"name\": \"New element\", \"term\": \"Erg1*2\", \"result\": \"\", \"nr\": "
                "\"2\"}\n"
                "]}\n"},
       }) {
    EXPECT_EQ(tableDocument(test::tableOfTerms(c.terms)), c.document) << c.terms.size();
  }
}

// Files keep the keys they were written with: every reading takes each field from its key,
// also from a row written as tightly as JSON allows, whose length bounds the rows a file holds.
TEST_F(TableFile, EachFieldIsReadFromTheKeyFilesHoldIt) {
  const std::string tightest = R"({"name":"","term":"","result":"","nr":""},)";
  EXPECT_EQ(SmallestRowLength, tightest.size());
  const std::string row = R"({"nr":"4","result":"3","term":"2","name":"1"})";
  const std::vector<Row> expected{{"", "", "", ""}, {"1", "2", "3", "4"}};
  const std::string document =
      "{\"format\":\"numora-table\",\"version\":1,\"rows\":[\n" + tightest + "\n" + row + "\n]}\n";
  for (const std::size_t blockSize : {std::size_t{1}, std::size_t{7}, TableBlockSize}) {
    EXPECT_EQ(rowsOfTableDocument(document, "t.TBE", blockSize), expected) << blockSize;
  }
  writeFile(path("t.TBE"), document);
  EXPECT_EQ(readTable(path("t.TBE")), expected);
}

// The file is the document, also when it is written in several pieces.
TEST_F(TableFile, TheSavedFileIsTheDocumentByteForByte) {
  for (const int rows : {0, 1, 40000}) {
    std::vector<Row> content;
    for (int i = 0; i < rows; ++i) {
      content.push_back({"Größe " + std::to_string(i), std::string(100, 'x') + "\"\t",
                         std::to_string(i), std::to_string(i + 1)});
    }
    const RowTable table = tableOf(content);
    saveTable(table, path("t.TBE"));
    const std::string document = tableDocument(table);
    const std::string saved = contentOf(path("t.TBE"));
    // Compared as a whole, so a failure does not print megabytes.
    EXPECT_EQ(saved.size(), document.size()) << rows;
    EXPECT_TRUE(saved == document) << rows;
  }
}

TEST_F(TableFile, BytesThatAreNotUtf8AreWrittenAsReplacementCharacters) {
  const std::string replacement = "\xEF\xBF\xBD";
  struct Case {
    const char* what;
    std::string field;
    std::string read;
  };
  for (const Case& c : std::initializer_list<Case>{
           {"a stray byte between letters",
            "a\xff"
            "b",
            "a" + replacement + "b"},
           {"a sequence cut short at the end", "\xc3", replacement},
           {"a sequence cut short by a letter", "\xe2\x82x", replacement + replacement + "x"},
           {"a surrogate is no text", "\xed\xa0\x80", replacement + replacement + replacement},
           {"an overlong form", "\xc0\xaf", replacement + replacement},
           {"beyond U+10FFFF", "\xf4\x90\x80\x80",
            replacement + replacement + replacement + replacement},
           {"a stray continuation byte",
            "\x80"
            "A",
            replacement + "A"},
           {"valid characters stay", "\xe2\x82\xac \xf0\x9f\x98\x80 \xc3\x84",
            "\xe2\x82\xac \xf0\x9f\x98\x80 \xc3\x84"},
       }) {
    const RowTable table = tableOf({{c.field, c.field, c.field, c.field}});
    const std::vector<Row> rows = rowsOfTableDocument(tableDocument(table), "x.TBE");
    EXPECT_EQ(rows, (std::vector<Row>{{c.read, c.read, c.read, c.read}})) << c.what;
  }
}

TEST_F(TableFile, ATableSavedAndOpenedCalculatesAsBefore) {
  RowTable table = test::tableOfTerms({"x^(2)", "Erg1/3", "sin(Erg2)*y", "Erg3+Erg1"});
  const CalculationInputs fields{"3", "4", "5", ','};
  calculateAll(table, fields);
  moveRowDown(table, 1);  // Erg references mean positions, so the order must survive
  saveTable(table, path("t.TBE"));
  RowTable opened;
  openTable(opened, path("t.TBE"));
  EXPECT_EQ(rowsOf(opened), rowsOf(table));
  calculateAll(table, fields);
  calculateAll(opened, fields);
  EXPECT_EQ(rowsOf(opened), rowsOf(table));
  // Row 4 adds row 3 (9 / 3) and row 1 (3 squared), read by position after the move.
  EXPECT_EQ(opened.row(3).result, "12");
}

TEST_F(TableFile, UnknownKeysAreIgnored) {
  const std::string document =
      "{\"comment\": {\"rows\": [1, 2]}, \"format\": \"numora-table\", \"version\": 1,\n"
      " \"rows\": [{\"nr\": \"9\", \"name\": \"a\", \"colour\": [\"red\", {\"x\": 1}],"
      " \"term\": \"x\", \"result\": \"2\"}], \"later\": null}";
  EXPECT_EQ(rowsOfTableDocument(document, "t.TBE"), (std::vector<Row>{{"a", "x", "2", "9"}}));
}

TEST_F(TableFile, FilesThatAreNoTableAreRefusedAndTheTableStaysAsItWas) {
  const std::string good = "{\"format\": \"numora-table\", \"version\": 1, \"rows\": [\n";
  const std::string row = "{\"name\": \"n\", \"term\": \"t\", \"result\": \"r\", \"nr\": \"1\"}";
  // Rows up to the first block's end, then a comma alone before a row longer than a block: the
  // comma's line is all the rows of the second block.
  std::string commaAloneInABlock = good;
  while (commaAloneInABlock.size() + 2 * row.size() < TableBlockSize) {
    commaAloneInABlock += row + ",\n";
  }
  const std::string padding(TableBlockSize - commaAloneInABlock.size() - row.size() - 2, 'p');
  commaAloneInABlock += row.substr(0, 10) + padding + row.substr(10) + ",\n";
  const std::string commaLine =
      std::to_string(std::count(commaAloneInABlock.begin(), commaAloneInABlock.end(), '\n') + 1);
  commaAloneInABlock +=
      ",\n" + row.substr(0, 10) + std::string(TableBlockSize, 'L') + row.substr(10) + "\n]}\n";
  struct Case {
    const char* what;
    std::string content;
    std::string problem;
  };
  for (const Case& c : std::vector<Case>{
           {"empty", "", "Die Datei ist leer"},
           {"blank", "  \n", "Die Datei ist leer"},
           {"not JSON", "Name;Term\nA;x\n", "Syntaxfehler in Zeile 1, Spalte 1"},
           {"truncated", good + row + ",\n" + row.substr(0, 20),
            "Syntaxfehler in Zeile 3, Spalte 21"},
           {"binary", std::string("\x89PNG\r\n\x1a\n\0\0", 10),
            "Syntaxfehler in Zeile 1, Spalte 1"},
           {"bad UTF-8 in a text", good + "{\"name\": \"\xff\"}]}",
            "Syntaxfehler in Zeile 2, Spalte 11"},
           {"trailing garbage", good + "]} x", "Syntaxfehler in Zeile 2, Spalte 4"},
           {"a NUL byte after the end", good + row + "\n]}\n" + std::string("\0x", 2),
            "Syntaxfehler in Zeile 4, Spalte 1"},
           {"a NUL byte after blanks", good + "]}  " + std::string(1, '\0'),
            "Syntaxfehler in Zeile 2, Spalte 5"},
           {"a comma before the first row", good + ",\n" + row + "\n]}\n",
            "Syntaxfehler in Zeile 2, Spalte 1"},
           {"a comma and a blank line after the last row", good + row + ",\n\n]}\n",
            "Syntaxfehler in Zeile 4, Spalte 1"},
           {"only a comma", good + ",\n]}\n", "Syntaxfehler in Zeile 2, Spalte 1"},
           {"two commas between rows", good + row + ",\n,\n" + row + "\n]}\n",
            "Syntaxfehler in Zeile 3, Spalte 1"},
           {"a comma alone in a block", commaAloneInABlock,
            "Syntaxfehler in Zeile " + commaLine + ", Spalte 1"},
           {"a list", "[1, 2]", "Das Dokument ist kein JSON-Objekt"},
           {"a number", "42", "Das Dokument ist kein JSON-Objekt"},
           {"no format", "{\"version\": 1, \"rows\": []}", "\"format\" ist nicht \"numora-table\""},
           {"wrong format", "{\"format\": \"csv\", \"version\": 1, \"rows\": []}",
            "\"format\" ist nicht \"numora-table\""},
           {"newer version", "{\"format\": \"numora-table\", \"version\": 2, \"rows\": [7]}",
            "Version 2 ist neuer als Version 1"},
           {"version beyond the integers",
            "{\"format\": \"numora-table\", \"version\": 1E23, \"rows\": []}",
            "Version 1E23 ist neuer als Version 1"},
           {"version of 21 digits",
            "{\"format\": \"numora-table\", \"version\": 100000000000000000000, \"rows\": []}",
            "Version 100000000000000000000 ist neuer als Version 1"},
           {"version zero", "{\"format\": \"numora-table\", \"version\": 0, \"rows\": []}",
            "Version 0 gibt es nicht"},
           {"version as text", "{\"format\": \"numora-table\", \"version\": \"1\", \"rows\": []}",
            "\"version\" fehlt oder ist keine ganze Zahl"},
           {"version 1.5", "{\"format\": \"numora-table\", \"version\": 1.5, \"rows\": []}",
            "\"version\" fehlt oder ist keine ganze Zahl"},
           {"version 2.0", "{\"format\": \"numora-table\", \"version\": 2.0, \"rows\": []}",
            "Version 2.0 ist neuer als Version 1"},
           {"version 0.5e1", "{\"format\": \"numora-table\", \"version\": 0.5e1, \"rows\": []}",
            "Version 0.5e1 ist neuer als Version 1"},
           {"version 0.0", "{\"format\": \"numora-table\", \"version\": 0.0, \"rows\": []}",
            "Version 0 gibt es nicht"},
           {"version -1.0", "{\"format\": \"numora-table\", \"version\": -1.0, \"rows\": []}",
            "\"version\" fehlt oder ist keine ganze Zahl"},
           {"version -1", "{\"format\": \"numora-table\", \"version\": -1, \"rows\": []}",
            "\"version\" fehlt oder ist keine ganze Zahl"},
           {"version a little above 2",
            "{\"format\": \"numora-table\", \"version\": 2.0000000000000001, \"rows\": []}",
            "\"version\" fehlt oder ist keine ganze Zahl"},
           {"version too small for a double",
            "{\"format\": \"numora-table\", \"version\": 1E-400, \"rows\": []}",
            "\"version\" fehlt oder ist keine ganze Zahl"},
           {"no rows", "{\"format\": \"numora-table\", \"version\": 1}",
            "\"rows\" fehlt oder ist keine Liste"},
           {"rows as object", "{\"format\": \"numora-table\", \"version\": 1, \"rows\": {}}",
            "\"rows\" fehlt oder ist keine Liste"},
           {"row not an object", good + row + ", \"x\"]}", "Eintrag 2 in \"rows\" ist kein Objekt"},
           {"row as a list", good + "[]]}", "Eintrag 1 in \"rows\" ist kein Objekt"},
           {"missing field", good + "{\"name\": \"n\", \"term\": \"t\", \"nr\": \"1\"}]}",
            "Eintrag 1 in \"rows\": \"result\" fehlt"},
           {"number field",
            good + row + ",\n{\"name\": \"n\", \"term\": 5, \"result\": \"\", \"nr\": \"\"}]}",
            "Eintrag 2 in \"rows\": \"term\" ist kein Text"},
           {"null field",
            good + "{\"name\": null, \"term\": \"\", \"result\": \"\", \"nr\": \"\"}]}",
            "Eintrag 1 in \"rows\": \"name\" ist kein Text"},
           {"object field",
            good + "{\"name\": {}, \"term\": \"\", \"result\": \"\", \"nr\": \"\"}]}",
            "Eintrag 1 in \"rows\": \"name\" ist kein Text"},
       }) {
    writeFile(path("bad.TBE"), c.content);
    RowTable table = tableOf({{"kept", "x", "1", "1"}});
    RecordingObserver observer;
    table.setObserver(&observer);
    EXPECT_EQ(test::faultOf([&] { openTable(table, path("bad.TBE")); }),
              "Exception: Datei \"" + path("bad.TBE") + "\" ist keine gültige Tabellendatei. " +
                  c.problem)
        << c.what;
    EXPECT_EQ(rowsOf(table), (std::vector<Row>{{"kept", "x", "1", "1"}})) << c.what;
    EXPECT_EQ(observer.events, std::vector<std::string>{}) << c.what;
    // The same fault wherever the blocks of the line-by-line reading end (for the short
    // documents; a long one is read in blocks of the file's size above).
    const std::size_t largestBlock = c.content.size() < 4096 ? c.content.size() + 1 : 0;
    for (std::size_t blockSize = 1; blockSize <= largestBlock; ++blockSize) {
      EXPECT_EQ(test::faultOf([&] { rowsOfTableDocument(c.content, "bad.TBE", blockSize); }),
                "Exception: Datei \"bad.TBE\" ist keine gültige Tabellendatei. " + c.problem)
          << c.what << ", blocks of " << blockSize;
    }
  }
}

TEST_F(TableFile, AFileThatCannotBeReadIsRefused) {
  RowTable table = tableOf({{"kept", "x", "1", "1"}});
  RecordingObserver observer;
  table.setObserver(&observer);
  EXPECT_EQ(test::faultOf([&] { openTable(table, path("missing.TBE")); }),
            "Exception: Datei \"" + path("missing.TBE") +
                "\" kann nicht geöffnet werden. No such file or directory");
  EXPECT_EQ(test::faultOf([&] { openTable(table, folder_.folder().string()); }),
            "Exception: Datei \"" + folder_.folder().string() +
                "\" kann nicht geöffnet werden. Is a directory");
  EXPECT_EQ(table.rowCount(), 1);
  EXPECT_EQ(observer.events, std::vector<std::string>{});
}

TEST_F(TableFile, AFailedSaveLeavesTheOldFileAsItWas) {
  const RowTable table = tableOf({{"a", "x", "1", "1"}});
  // The target is a folder: the new content cannot be renamed over it.
  fs::create_directory(path("folder.TBE"));
  EXPECT_EQ(
      test::faultOf([&] { saveTable(table, path("folder.TBE")); }),
      "Exception: Datei \"" + path("folder.TBE") + "\" kann nicht erstellt werden. Is a directory");
  // The folder does not exist.
  EXPECT_EQ(test::faultOf([&] { saveTable(table, path("nowhere/t.TBE")); }),
            "Exception: Datei \"" + path("nowhere/t.TBE") +
                "\" kann nicht erstellt werden. No such file or directory");
  EXPECT_EQ(folder_.fileNames(), std::vector<std::string>{"folder.TBE"});
}

// The disk fills up while a large table is written: a child process may write no more than a
// few kilobytes per file. The old file must stay byte for byte, and no new file is left over.
TEST_F(TableFile, RunningOutOfSpaceLeavesTheOldFileByteForByte) {
  const std::string old = "the previous table file\n";
  writeFile(path("t.TBE"), old);
  std::vector<Row> rows(2000, Row{"name", "sin(x)*Erg1+2", "0,5", "1"});
  const RowTable large = tableOf(rows);
  EXPECT_EQ(
      test::faultOnAFullDisk(4096, [&] { saveTable(large, path("t.TBE")); }),
      "Exception: Datei \"" + path("t.TBE") + "\" kann nicht erstellt werden. File too large");
  EXPECT_EQ(contentOf(path("t.TBE")), old);
  EXPECT_EQ(folder_.fileNames(), std::vector<std::string>{"t.TBE"});
}

TEST_F(TableFile, SavingKeepsThePermissionsOfTheFileItReplaces) {
  writeFile(path("t.TBE"), "old");
  ::chmod(path("t.TBE").c_str(), 0640);
  saveTable(tableOf({{"a", "b", "c", "d"}}), path("t.TBE"));
  struct stat status;
  ASSERT_EQ(::stat(path("t.TBE").c_str(), &status), 0);
  EXPECT_EQ(status.st_mode & 07777, 0640u);
}

// A view of the table sees an open as one reset, and a failed open as nothing at all.
TEST_F(TableFile, OpenReplacesEveryRowInOneResetAndAFailedOpenReportsNothing) {
  saveTable(tableOf({{"one", "x", "1", "1"}, {"two", "y", "2", "2"}}), path("t.TBE"));
  writeFile(path("corrupt.TBE"), "{\"format\": \"numora-table\", \"version\": 1, \"rows\": [");
  RowTable table =
      tableOf({{"old", "z", "", "1"}, {"older", "", "", "2"}, {"oldest", "", "", "3"}});
  RecordingObserver observer;
  table.setObserver(&observer);
  EXPECT_NE(test::faultOf([&] { openTable(table, path("corrupt.TBE")); }), "no fault");
  EXPECT_EQ(observer.events, std::vector<std::string>{});
  EXPECT_EQ(openTable(table, path("t.TBE")), -1);
  EXPECT_EQ(observer.events, (std::vector<std::string>{"reset", "was reset"}));
  EXPECT_EQ(rowsOf(table), (std::vector<Row>{{"one", "x", "1", "1"}, {"two", "y", "2", "2"}}));
}

}  // namespace
}  // namespace numora

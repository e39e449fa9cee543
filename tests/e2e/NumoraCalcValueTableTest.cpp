// numora-calc --value-table: the table calculated once for each value of a variable, written as
// lines, as the window's CSV export or as JSON Lines.

#include <gtest/gtest.h>

#include <cstddef>
#include <sstream>
#include <string>
#include <vector>

#include "Calculation.h"
#include "FloatingPoint.h"
#include "NumoraCalcRun.h"
#include "RowTable.h"
#include "TableFile.h"
#include "ValueTable.h"
#include "ValueTableCsv.h"

namespace {

using numora::test::numoraCalc;
using numora::test::Outcome;
using NumoraCalc = numora::test::NumoraCalc;

struct TableRow {
  std::string name, term, result;  // as JSON string contents
};

// A table file of `rows`, numbered from 1.
std::string tableFile(const std::vector<TableRow>& rows) {
  std::string content = "{\"format\": \"numora-table\", \"version\": 1, \"rows\": [\n";
  for (std::size_t i = 0; i < rows.size(); ++i) {
    content += "{\"name\": \"" + rows[i].name + "\", \"term\": \"" + rows[i].term +
               "\", \"result\": \"" + rows[i].result + "\", \"nr\": \"" + std::to_string(i + 1) +
               "\"}" + (i + 1 < rows.size() ? ",\n" : "\n");
  }
  return content + "]}\n";
}

std::vector<std::string> linesOf(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream stream(text);
  for (std::string line; std::getline(stream, line);) {
    lines.push_back(line);
  }
  return lines;
}

std::vector<std::string> fieldsOf(const std::string& line) {
  std::vector<std::string> fields;
  std::size_t start = 0;
  for (std::size_t tab = line.find('\t'); tab != std::string::npos; tab = line.find('\t', start)) {
    fields.push_back(line.substr(start, tab - start));
    start = tab + 1;
  }
  fields.push_back(line.substr(start));
  return fields;
}

TEST_F(NumoraCalc, ValueTableWritesAHeaderAndOneLinePerValue) {
  writeFile("in.TBE",
            tableFile({{"Tab\\there", "x*y", ""}, {"Half", "x/2", ""}, {"Empty", "", "9"}}));
  const std::string header = "\tTab\\there\tHalf\tEmpty\n";
  struct Case {
    std::string options;
    std::string out;
    std::string locale = "LC_ALL=C";
  };
  for (const Case& c : std::initializer_list<Case>{
           {"--value-table x=1:3", "x" + header + "1\t1\t0.5\t\n2\t2\t1\t\n3\t3\t1.5\t\n"},
           {"-y 10 --separator , --value-table x=5:1:-2",
            "x" + header + "5\t50\t2,5\t\n3\t30\t1,5\t\n1\t10\t0,5\t\n"},
           {"-x 4 --value-table=y=7:7", "y" + header + "7\t28\t2\t\n"},
           {"-x 3 --value-table z=-1:0", "z" + header + "-1\t3\t1,5\t\n0\t3\t1,5\t\n",
            "LC_ALL=de_DE.UTF-8"},
           {"--value-table 'x= $A: 12: 2'", "x" + header + "10\t10\t5\t\n12\t12\t6\t\n"},
       }) {
    const Outcome result = run(c.options + " " + quoted("in.TBE"), "", c.locale);
    EXPECT_EQ(result.status, 0) << c.options;
    EXPECT_EQ(result.out, c.out) << c.options;
    EXPECT_EQ(result.err, "") << c.options;
  }
}

// The CSV the window exports, from the core, for the table file at `path`.
std::string coreCsv(const std::string& path, char separator) {
  numora::RowTable table;
  numora::openTable(table, path);
  std::vector<std::string> names;
  for (int i = 0; i < table.rowCount(); ++i) {
    names.push_back(table.row(i).name);
  }
  numora::CalculationInputs inputs;
  inputs.separator = separator;
  numora::fpu::resetUnit();
  const std::vector<numora::ValueLine> lines = numora::calculateValueTable(
      table, inputs, numora::Variable::X, numora::readValueRange("4", "5", "1"));
  return numora::valueTableCsv(numora::Variable::X, names, lines, separator);
}

TEST_F(NumoraCalc, ValueTableCsvIsTheWindowsExport) {
  writeFile("in.TBE", tableFile({{"Semi;colon", "x/4", ""},
                                 {"Com,ma", "10^(x*1000)", ""},
                                 {"Quo\\\"te", "Erg1*2", ""}}));
  struct Case {
    char separator;
    const char* csv;
  };
  for (const Case& c : std::initializer_list<Case>{
           {',', "x;\"Semi;colon\";Com,ma;\"Quo\"\"te\"\r\n4;1;1E4000;2\r\n5;1,25;Fehler;\r\n"},
           {'.', "x,Semi;colon,\"Com,ma\",\"Quo\"\"te\"\r\n4,1,1E4000,2\r\n5,1.25,Fehler,\r\n"},
       }) {
    const Outcome result = run(std::string("--separator ") + c.separator +
                               " --csv --value-table x=4:5 " + quoted("in.TBE"));
    EXPECT_EQ(result.status, 1) << c.separator;
    EXPECT_EQ(result.out, c.csv) << c.separator;
    EXPECT_EQ(result.out, coreCsv((folder_ / "in.TBE").string(), c.separator)) << c.separator;
    EXPECT_EQ(result.err, "numora-calc: x=5: row 2: Gleitkommaüberlauf.\n") << c.separator;
  }
}

TEST_F(NumoraCalc, ValueTableJsonHasOneObjectPerValue) {
  writeFile("in.TBE",
            tableFile({{"A", "x*2", ""}, {"B", "", ""}, {"C", "10^(x*1000)", ""}, {"D", "x", ""}}));
  struct Case {
    std::string options;
    int status;
    std::string out;
  };
  for (const Case& c : std::initializer_list<Case>{
           {"--value-table x=4:5", 1,
            "{\"x\":\"4\",\"results\":[\"8\",null,\"1E4000\",\"4\"],\"fault\":null}\n"
            "{\"x\":\"5\",\"results\":[\"10\",null,null,null],\"fault\":{\"nr\":3,"
            "\"class\":\"EOverflow\",\"message\":\"Gleitkommaüberlauf\"}}\n"},
           {"-x 2 --value-table z=1:1", 0,
            "{\"z\":\"1\",\"results\":[\"4\",null,\"1E2000\",\"2\"],\"fault\":null}\n"},
       }) {
    const Outcome result = run("--json " + c.options + " " + quoted("in.TBE"));
    EXPECT_EQ(result.status, c.status) << c.options;
    EXPECT_EQ(result.out, c.out) << c.options;
  }
}

// Each value line holds what calculate all gives with the variable field set to that value:
// the Results above the failing row, "Fehler" on it and nothing below; the row below that the
// second row refers to is read as the table file holds it, for every value.
TEST_F(NumoraCalc, EveryValueIsWhatCalculateAllGivesForIt) {
  writeFile("in.TBE", tableFile({{"Square", "x^(2)", ""},
                                 {"Ahead", "Erg4+x", ""},
                                 {"Big", "10^(x*1000)", ""},
                                 {"Last", "x*10", "100"}}));
  const Outcome table = run("--separator , --value-table x=2:6 " + quoted("in.TBE"));
  EXPECT_EQ(table.status, 1);
  std::string expectedOut = "x\tSquare\tAhead\tBig\tLast\n";
  std::string expectedErr;
  for (int value = 2; value <= 6; ++value) {
    const std::string x = std::to_string(value);
    const Outcome single = run("--separator , -x " + x + " " + quoted("in.TBE"));
    std::size_t failedRow = 0;  // the row's position, 0 when none failed
    if (!single.err.empty()) {
      failedRow = std::stoul(single.err.substr(single.err.find("row ") + 4));
      expectedErr += "numora-calc: x=" + x + ": " + single.err.substr(13);
    }
    expectedOut += x;
    const std::vector<std::string> rows = linesOf(single.out);
    for (std::size_t i = 0; i < rows.size(); ++i) {
      const std::string result = fieldsOf(rows[i]).at(3);
      expectedOut += "\t" + (failedRow == 0 || i + 1 < failedRow ? result
                             : i + 1 == failedRow                ? std::string("Fehler")
                                                                 : std::string());
    }
    expectedOut += "\n";
  }
  EXPECT_EQ(table.out, expectedOut);
  EXPECT_EQ(table.err, expectedErr);
  EXPECT_EQ(linesOf(table.out).size(), 6U);
  EXPECT_NE(table.out.find("\n5\t25\t105\tFehler\t\n"), std::string::npos) << table.out;
}

TEST_F(NumoraCalc, AWrongValueTableIsWrongUsage) {
  struct Case {
    std::string arguments;
    std::string err;  // the whole of standard error, or empty where any message will do
  };
  const std::string request = "numora-calc: --value-table ";
  const std::string shape = "expected VAR=FROM:TO[:STEP]\n";
  for (const Case& c : std::initializer_list<Case>{
           {"--value-table x1:5", request + "\"x1:5\": " + shape},
           {"--value-table x=5", request + "\"x=5\": " + shape},
           {"--value-table x=1:2:3:4", request + "\"x=1:2:3:4\": " + shape},
           {"--value-table w=1:5", request + "\"w=1:5\": VAR is x, y or z\n"},
           {"--value-table X=1:5", request + "\"X=1:5\": VAR is x, y or z\n"},
           {"--value-table x=1:5:0",
            request + "\"x=1:5:0\": Die Schrittweite darf nicht 0 sein.\n"},
           {"--value-table x=5:1",
            request + "\"x=5:1\": Die Schrittweite 1 führt von 5 nicht nach 1.\n"},
           {"--value-table x=1:100001",
            request + "\"x=1:100001\": Die Wertetabelle hätte 100001 Werte, höchstens 100000 sind "
                      "möglich.\n"},
           {"--value-table x=1,5:3",
            request + "\"x=1,5:3\": '1,5' ist kein gültiger Integerwert.\n"},
           {"--value-table x=1:5:", request + "\"x=1:5:\": '' ist kein gültiger Integerwert.\n"},
           {"--value-table 'x=1\n:5'",
            request + "\"x=1\\n:5\": '1\\n' ist kein gültiger Integerwert.\n"},
           {"--value-table", ""},
           {"--value-table x=1:2 --csv --json", ""},
           {"--csv", ""},
           {"--value-table x=1:2 --each", ""},
           {"--value-table x=1:2 --no-calc", ""},
           {"--value-table x=1:2 --save " + quoted("out.TBE"), ""},
           {"--value-table x=1:2 --print " + quoted("out.html"), ""},
           {"-x 3 --value-table x=1:2", ""},
           {"--value-table x=1:2 --notes",
            "numora-calc: --notes excludes --value-table\nRun with --help for more information.\n"},
       }) {
    const Outcome result = run(c.arguments + " --terms -", "x\n");
    EXPECT_EQ(result.status, 2) << c.arguments;
    EXPECT_EQ(result.out, "") << c.arguments;
    if (c.err.empty()) {
      EXPECT_NE(result.err, "") << c.arguments;
    } else {
      EXPECT_EQ(result.err, c.err) << c.arguments;
    }
  }
  EXPECT_FALSE(std::filesystem::exists(folder_ / "out.TBE"));
  EXPECT_FALSE(std::filesystem::exists(folder_ / "out.html"));
  EXPECT_EQ(run("--value-table x=1:2").status, 2);
  EXPECT_EQ(run("--value-table x=1:100000 --terms -", "x\n").status, 0);
}

TEST_F(NumoraCalc, AValueTableOfAFileThatCannotBeOpenedIsTheOpenFault) {
  const std::string missing = (folder_ / "missing.TBE").string();
  const std::string message =
      "Datei \"" + missing + "\" kann nicht geöffnet werden. No such file or directory";
  struct Case {
    std::string options;
    std::string out;
  };
  for (const Case& c : std::initializer_list<Case>{
           {"", ""},
           {"--csv", ""},
           {"--json", "{\"error\":{\"class\":\"Exception\",\"message\":\"Datei \\\"" + missing +
                          "\\\" kann nicht geöffnet werden. No such file or directory\"}}\n"},
       }) {
    const Outcome result = run(c.options + " --value-table x=1:3 " + quoted("missing.TBE"));
    EXPECT_EQ(result.status, 1) << c.options;
    EXPECT_EQ(result.out, c.out) << c.options;
    EXPECT_EQ(result.err, "numora-calc: " + message + ".\n") << c.options;
  }
}

// The closed pipe's reader goes at once; the value table is far larger than any pipe holds, so
// numora-calc is still writing when it goes.
TEST_F(NumoraCalc, AValueTableThatCannotBeWrittenIsAFault) {
  const std::string terms = termsFile("x\n");
  for (const std::string& options :
       {std::string(""), std::string("--csv"), std::string("--json")}) {
    const Outcome full = runScript("LC_ALL=C " + numoraCalc() + " " + options +
                                   " --value-table x=1:3 --terms " + terms + " >/dev/full");
    EXPECT_EQ(full.status, 1) << options;
    EXPECT_EQ(full.err, "numora-calc: cannot write the output: No space left on device\n")
        << options;
    const Outcome closed = runScript("{ LC_ALL=C " + numoraCalc() + " " + options +
                                     " --value-table x=1:100000 --terms " + terms + "; echo $? >" +
                                     quoted("status") + "; } | true");
    EXPECT_EQ(numora::test::contentOf(folder_ / "status"), "1\n") << options;
    EXPECT_EQ(closed.err, "numora-calc: cannot write the output: Broken pipe\n") << options;
  }
}

}  // namespace

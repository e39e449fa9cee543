// What numora-calc writes when fields hold awkward text, when its output cannot be written and
// when a fault belongs to no row.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "NumoraCalcRun.h"

namespace {

namespace fs = std::filesystem;

using numora::test::numoraCalc;
using numora::test::Outcome;
using NumoraCalc = numora::test::NumoraCalc;

// A table file holding one row with the four fields given as JSON string contents.
std::string tableOfOneRow(const std::string& nr, const std::string& name, const std::string& term,
                          const std::string& result) {
  return "{\"format\": \"numora-table\", \"version\": 1, \"rows\": [\n{\"name\": \"" + name +
         "\", \"term\": \"" + term + "\", \"result\": \"" + result + "\", \"nr\": \"" + nr +
         "\"}\n]}\n";
}

// The text as the content of a JSON string, for texts whose only special characters are quotes.
std::string jsonStringContent(const std::string& text) {
  std::string content;
  for (const char c : text) {
    content += c == '"' ? std::string("\\\"") : std::string(1, c);
  }
  return content;
}

TEST_F(NumoraCalc, PlainOutputEscapesTabsLineBreaksAndBackslashesInEveryField) {
  struct Case {
    std::string nr, name, term, result;  // as JSON string contents
    const char* line;
  };
  for (const Case& c : std::initializer_list<Case>{
           {"1", "Tab\\there", "1", "", "1\tTab\\there\t1\t\n"},
           {"2", "Line\\nbreak", "Two\\r\\nlines", "", "2\tLine\\nbreak\tTwo\\r\\nlines\t\n"},
           {"3", "Back\\\\slash", "\\\\t", "a\\\\\\n", "3\tBack\\\\slash\t\\\\t\ta\\\\\\n\n"},
           {"4\\t5", "", "", "\\r", "4\\t5\t\t\t\\r\n"},
       }) {
    writeFile("in.TBE", tableOfOneRow(c.nr, c.name, c.term, c.result));
    const Outcome result = run("--no-calc " + quoted("in.TBE"));
    EXPECT_EQ(result.status, 0) << c.line;
    EXPECT_EQ(result.out, c.line);
  }
}

TEST_F(NumoraCalc, ATabInATermFromATermsFileStaysInItsField) {
  const Outcome result = run("--separator . --terms " + termsFile("2\t*3\n"));
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.out, "1\tNew element\t2\\t*3\t2\n");
}

TEST_F(NumoraCalc, EveryFaultOnStandardErrorIsOneLine) {
  struct Case {
    std::string arguments;
    std::string err;
  };
  const std::string missing = (folder_ / "new\nline.txt").string();
  const std::string missingShown = (folder_ / "new\\nline.txt").string();
  for (const Case& c : std::initializer_list<Case>{
           {"-x '1\n2' --terms " + termsFile("x\n"),
            "numora-calc: row 1: '1\\n2' ist kein gültiger Integerwert.\n"},
           {"--each -x '\\\r' --terms " + termsFile("x\n"),
            "numora-calc: row 1: '\\\\\\r' ist kein gültiger Integerwert.\n"},
           {"--terms '" + missing + "'", "numora-calc: Datei \"" + missingShown +
                                             "\" kann nicht geöffnet werden. No such file or "
                                             "directory.\n"},
       }) {
    const Outcome result = run(c.arguments);
    EXPECT_EQ(result.status, 1) << c.arguments;
    EXPECT_EQ(result.err, c.err) << c.arguments;
  }
  const Outcome usage = run("'--bogus\nline' --terms -");
  EXPECT_EQ(usage.status, 2);
  EXPECT_NE(usage.err.find("--bogus\\nline"), std::string::npos) << usage.err;
}

TEST_F(NumoraCalc, OutputThatCannotBeWrittenIsAFault) {
  const std::string terms = termsFile("1\n2\n");
  for (const std::string& arguments : {"--terms " + terms, "--json --terms " + terms,
                                       std::string("--help"), std::string("--version")}) {
    const Outcome result = runScript("LC_ALL=C " + numoraCalc() + " " + arguments + " >/dev/full");
    EXPECT_EQ(result.status, 1) << arguments;
    EXPECT_EQ(result.err, "numora-calc: cannot write the output: No space left on device\n")
        << arguments;
  }
}

// The reader of the pipe ends before it reads anything; the output is far larger than any pipe
// holds, so numora-calc is still writing when it goes.
TEST_F(NumoraCalc, AClosedPipeIsAFault) {
  std::string terms;
  for (int i = 0; i < 4000; ++i) {
    terms += std::string(1000, '1') + "\n";
  }
  const std::string script = "LC_ALL=C " + numoraCalc() + " --no-calc --terms " + termsFile(terms) +
                             "; echo $? >" + quoted("status");
  const Outcome result = runScript("{ " + script + "; } | true");
  EXPECT_EQ(numora::test::contentOf(folder_ / "status"), "1\n");
  EXPECT_EQ(result.err, "numora-calc: cannot write the output: Broken pipe\n");
}

TEST_F(NumoraCalc, JsonEndsWithAnErrorObjectForAFaultOfNoRow) {
  struct Case {
    std::string arguments;
    std::string rows;     // the JSON lines before the error object
    std::string message;  // as stored, without the final period
  };
  const std::string noFolder = (folder_ / "no" / "folder").string();
  const std::string oneRow =
      "{\"nr\":\"1\",\"name\":\"New element\",\"term\":\"1\",\"result\":\"1\",\"fault\":null,"
      "\"notes\":[]}\n";
  for (const Case& c : std::initializer_list<Case>{
           {"--terms - --save '" + noFolder + ".TBE'", oneRow,
            "Datei \"" + noFolder + ".TBE\" kann nicht erstellt werden. No such file or directory"},
           {"--terms - --print '" + noFolder + ".html'", oneRow,
            "Datei \"" + noFolder +
                ".html\" kann nicht erstellt werden. No such file or directory"},
           {"'" + noFolder + ".TBE'", "",
            "Datei \"" + noFolder + ".TBE\" kann nicht geöffnet werden. No such file or directory"},
           {"--terms '" + noFolder + ".txt'", "",
            "Datei \"" + noFolder + ".txt\" kann nicht geöffnet werden. No such file or directory"},
       }) {
    const Outcome result = run("--json " + c.arguments, "1\n");
    EXPECT_EQ(result.status, 1) << c.arguments;
    EXPECT_EQ(result.out, c.rows + "{\"error\":{\"class\":\"Exception\",\"message\":\"" +
                              jsonStringContent(c.message) + "\"}}\n")
        << c.arguments;
    EXPECT_EQ(result.err, "numora-calc: " + c.message + ".\n") << c.arguments;
  }
}

TEST_F(NumoraCalc, InvalidUtf8IsReportedWhereItIsReplaced) {
  struct Case {
    std::string options;
    bool replaced;
  };
  const std::string notice =
      "numora-calc: row 2: Text ist kein gültiges UTF-8; ungültige Bytes werden als U+FFFD "
      "geschrieben.\n";
  for (const Case& c : std::initializer_list<Case>{
           {"--json", true},
           {"--save " + quoted("out.TBE"), true},
           {"", false},
           {"--print " + quoted("out.html"), false},
       }) {
    const Outcome result =
        run("--no-calc " + c.options + " --terms " + termsFile("1\n\xff\xfe\n\xe2\x82\xac\n"));
    EXPECT_EQ(result.status, 0) << c.options;
    EXPECT_EQ(result.err, c.replaced ? notice : "") << c.options;
  }
  EXPECT_NE(numora::test::contentOf(folder_ / "out.TBE").find("\xef\xbf\xbd\xef\xbf\xbd"),
            std::string::npos);
}

}  // namespace

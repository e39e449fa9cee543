// Runs the built numora-calc as a user would and checks what it prints and how it exits.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <utility>

#include "NumoraCalcRun.h"

namespace {

namespace fs = std::filesystem;

using numora::test::contentOf;
using numora::test::numoraCalc;
using numora::test::Outcome;
using numora::test::TwoRowTable;
using NumoraCalc = numora::test::NumoraCalc;

// `text` with every double quote escaped, as a JSON string holds it.
std::string jsonQuotes(const std::string& text) {
  std::string quoted;
  for (const char c : text) {
    quoted += c == '"' ? std::string("\\\"") : std::string(1, c);
  }
  return quoted;
}

TEST_F(NumoraCalc, CalculatesAllRowsAndWritesThemTabSeparated) {
  const Outcome result = run("--separator , -x 30 -y 3 -z 4 --terms " +
                             termsFile("(x^(2)*5)/6\nsin(x)*Erg1+2\n\n x * y \n12,5*x-0,75\n"));
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.out,
            "1\tNew element\t(x^(2)*5)/6\t750\n"
            "2\tNew element\tsin(x)*Erg1+2\t377\n"
            "3\tNew element\t\t\n"
            "4\tNew element\t x * y \t90\n"
            "5\tNew element\t12,5*x-0,75\t374,25\n");
  EXPECT_EQ(result.err, "");
}

TEST_F(NumoraCalc, AFaultStopsCalculateAllAndLeavesTheRowsBelow) {
  const Outcome result = run("--separator , -x 2 --terms " + termsFile("x\nx+1\nErg5\nx+3\nx+4\n"));
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.out,
            "1\tNew element\tx\t2\n"
            "2\tNew element\tx+1\t3\n"
            "3\tNew element\tErg5\t\n"
            "4\tNew element\tx+3\t\n"
            "5\tNew element\tx+4\t\n");
  EXPECT_EQ(result.err, "numora-calc: row 3: '' ist kein gültiger Gleitkommawert.\n");
}

TEST_F(NumoraCalc, EachGoesOnAfterAFaultAndReportsItInJson) {
  const Outcome result =
      run("--separator , --each --json -x 2 --terms " + termsFile("x\nErg9\n1/0+Erg1\n(1\n"));
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.out,
            "{\"nr\":\"1\",\"name\":\"New element\",\"term\":\"x\",\"result\":\"2\","
            "\"fault\":null,\"notes\":[]}\n"
            "{\"nr\":\"2\",\"name\":\"New element\",\"term\":\"Erg9\",\"result\":\"\","
            "\"fault\":{\"class\":\"Exception\",\"message\":\"Zeile 9 existiert nicht\"},"
            "\"notes\":[]}\n"
            "{\"nr\":\"3\",\"name\":\"New element\",\"term\":\"1/0+Erg1\",\"result\":\"1\","
            "\"fault\":null,\"notes\":[{\"at\":2,\"rule\":\"zero-divisor\",\"message\":\"Stelle "
            "2: Hier wird durch 0 geteilt: Diese Division und alles, was danach in derselben "
            "Klammer oder im Term folgt, fällt weg.\"}]}\n"
            "{\"nr\":\"4\",\"name\":\"New element\",\"term\":\"(1\",\"result\":\"1\","
            "\"fault\":null,\"notes\":[{\"at\":1,\"rule\":\"bracket-not-closed\",\"message\":"
            "\"Stelle 1: Diese Klammer wird nicht geschlossen; sie reicht bis zum Ende des "
            "Terms.\"}]}\n");
  EXPECT_EQ(result.err, "");
}

TEST_F(NumoraCalc, JsonNamesTheFaultClassAndTheStoredMessage) {
  const Outcome result = run("--separator , --json -x 10 --terms " + termsFile("x^(5000)\nx\n"));
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.out,
            "{\"nr\":\"1\",\"name\":\"New element\",\"term\":\"x^(5000)\",\"result\":\"\","
            "\"fault\":{\"class\":\"EOverflow\",\"message\":\"Gleitkommaüberlauf\"},"
            "\"notes\":[]}\n"
            "{\"nr\":\"2\",\"name\":\"New element\",\"term\":\"x\",\"result\":\"\","
            "\"fault\":null,\"notes\":[]}\n");
}

// Reading notes: with --json in every row object, positions in the Term as typed; with --notes
// one line each on standard error, in row order, before the row's fault. The rows themselves
// are written as without them.
TEST_F(NumoraCalc, ReadingNotesGoToJsonAndWithNotesToStandardError) {
  const std::string ends =
      "Stelle 2: \".\" ist kein Rechenzeichen und beendet hier den Term (oder die Klammer); der "
      "Rest darin zählt nicht.";
  const std::string replaced =
      "Stelle 4: Davor fehlt ein Rechenzeichen: Was hier beginnt, ersetzt den Wert direkt davor "
      "(auch ein Minuszeichen), statt mit ihm malgenommen zu werden.";
  const std::string ergPassedOver =
      "Stelle 1: Nach \"Erg\" steht keine Zeilennummer; \"Erg\" wird übergangen.";
  const std::string twoOperators =
      "Stelle 3: Zwei Rechenzeichen hintereinander: Vor \"+\" wird der vorige Operand noch "
      "einmal genommen.";
  struct Case {
    std::string options;
    std::string terms;
    int status;
    std::string out;
    std::string err;
  };
  for (const Case& c : std::vector<Case>{
           {"--notes", "2.5\n 2 x\n", 0, "1\tNew element\t2.5\t2\n2\tNew element\t 2 x\t5\n",
            "numora-calc: row 1: Hinweis: " + ends + "\nnumora-calc: row 2: Hinweis: " + replaced +
                "\n"},
           {"", "2.5\n", 0, "1\tNew element\t2.5\t2\n", ""},
           {"--notes --no-calc", "2.5\n", 0, "1\tNew element\t2.5\t\n", ""},
           {"--json", " 2 x\n", 0,
            "{\"nr\":\"1\",\"name\":\"New element\",\"term\":\" 2 x\",\"result\":\"5\","
            "\"fault\":null,\"notes\":[{\"at\":4,\"rule\":\"operand-replaced\",\"message\":\"" +
                replaced + "\"}]}\n",
            ""},
           {"--notes", "Erg+1\nx\n", 1, "1\tNew element\tErg+1\t\n2\tNew element\tx\t\n",
            "numora-calc: row 1: Hinweis: " + ergPassedOver +
                "\nnumora-calc: row 1: '' ist kein gültiger Gleitkommawert.\n"},
           {"--json --notes --each", "2*+3\nErg+1\n", 1,
            "{\"nr\":\"1\",\"name\":\"New element\",\"term\":\"2*+3\",\"result\":\"7\","
            "\"fault\":null,\"notes\":[{\"at\":3,\"rule\":\"two-operators\",\"message\":\"" +
                jsonQuotes(twoOperators) +
                "\"}]}\n"
                "{\"nr\":\"2\",\"name\":\"New element\",\"term\":\"Erg+1\",\"result\":\"\","
                "\"fault\":{\"class\":\"EConvertError\",\"message\":\"'' ist kein gültiger "
                "Gleitkommawert\"},\"notes\":[{\"at\":1,\"rule\":\"erg-without-number\","
                "\"message\":\"" +
                jsonQuotes(ergPassedOver) + "\"}]}\n",
            "numora-calc: row 1: Hinweis: " + twoOperators +
                "\nnumora-calc: row 2: Hinweis: " + ergPassedOver + "\n"},
       }) {
    const Outcome result = run("--separator , -x 5 " + c.options + " --terms -", c.terms);
    EXPECT_EQ(result.status, c.status) << c.options << ' ' << c.terms;
    EXPECT_EQ(result.out, c.out) << c.options << ' ' << c.terms;
    EXPECT_EQ(result.err, c.err) << c.options << ' ' << c.terms;
  }
}

TEST_F(NumoraCalc, VariableFieldsAreReadOnlyForRowsWithATerm) {
  const Outcome blank = run("-y abc --terms " + termsFile("\n   \n"));
  EXPECT_EQ(blank.status, 0);
  const Outcome bad = run("-y abc --terms " + termsFile("\nx\n"));
  EXPECT_EQ(bad.status, 1);
  EXPECT_EQ(bad.err, "numora-calc: row 2: 'abc' ist kein gültiger Integerwert.\n");
}

TEST_F(NumoraCalc, ReadsTermsFromStandardInputWithAnyLineEnds) {
  const Outcome result = run("--separator . -x 5 --terms -", "x/2\r\nx*2\nx");
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.out,
            "1\tNew element\tx/2\t2.5\n"
            "2\tNew element\tx*2\t10\n"
            "3\tNew element\tx\t5\n");
  EXPECT_EQ(run("--terms -", "").out, "");
}

TEST_F(NumoraCalc, TheUsersLocaleDecidesTheSeparatorUnlessGiven) {
  struct Case {
    const char* locale;
    const char* options;
    const char* out;
  };
  for (const Case& c : std::initializer_list<Case>{
           {"LC_ALL=de_DE.UTF-8", "", "1\tNew element\tx/2\t2,5\n"},
           {"LC_ALL=C", "", "1\tNew element\tx/2\t2.5\n"},
           {"LC_ALL=de_DE.UTF-8", "--separator . ", "1\tNew element\tx/2\t2.5\n"},
       }) {
    EXPECT_EQ(run(std::string(c.options) + "-x 5 --terms -", "x/2\n", c.locale).out, c.out)
        << c.locale << ' ' << c.options;
  }
}

TEST_F(NumoraCalc, CalculatesATableFileAndWritesTheTableAndItsPrintPage) {
  writeFile("in.TBE", TwoRowTable);
  const std::string folder = "'" + folder_.string() + "/";
  const Outcome result = run("--separator , -x 3 " + folder + "in.TBE' --save " + folder +
                             "out.TBE' --print " + folder + "out.html'");
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.out, "1\tSquare\tx^(2)\t9\n7\tHalf\tErg1/2\t4,5\n");
  EXPECT_EQ(contentOf(folder_ / "out.TBE"),
            "{\"format\": \"numora-table\", \"version\": 1, \"rows\": [\n"
            "{\"name\": \"Square\", \"term\": \"x^(2)\", \"result\": \"9\", \"nr\": \"1\"},\n"
            "{\"name\": \"Half\", \"term\": \"Erg1/2\", \"result\": \"4,5\", \"nr\": \"7\"}\n"
            "]}\n");
  EXPECT_EQ(contentOf(folder_ / "out.html"),
            "<html>\r\n<body bgcolor=\"#FFFFFF\" text=\"#000000\">\r\n"
            "<table width=\"100%\" border=\"0\">\r\n"
            "<tr>\r\n<td>Square</td>\r\n<td>x^(2)</td>\r\n<td>9</td>\r\n</tr>\r\n"
            "<tr>\r\n<td>Half</td>\r\n<td>Erg1/2</td>\r\n<td>4,5</td>\r\n</tr>\r\n"
            "</table>\r\n</body>\r\n</html>\r\n");
}

// A new file gets the permissions the user's file creation mask leaves, the mask being read
// once as the program starts.
TEST_F(NumoraCalc, NewFilesFollowTheFileCreationMask) {
  for (const auto& [mask, permissions] :
       {std::pair{"022", fs::perms{0644}}, std::pair{"027", fs::perms{0640}},
        std::pair{"077", fs::perms{0600}}}) {
    const std::string table = std::string("new-") + mask + ".TBE";
    EXPECT_EQ(runScript(std::string("umask ") + mask + "; " + numoraCalc() + " --terms - --save " +
                        quoted(table) + " </dev/null")
                  .status,
              0);
    EXPECT_EQ(fs::status(folder_ / table).permissions(), permissions) << mask;
  }
}

TEST_F(NumoraCalc, NoCalcWritesTheTableAsItWasRead) {
  writeFile("in.TBE", TwoRowTable);
  const std::string folder = "'" + folder_.string() + "/";
  const Outcome converted =
      run("--no-calc --json " + folder + "in.TBE' --save " + folder + "same.TBE'");
  EXPECT_EQ(converted.status, 0);
  EXPECT_EQ(contentOf(folder_ / "same.TBE"), contentOf(folder_ / "in.TBE"));
  EXPECT_EQ(converted.out,
            "{\"nr\":\"1\",\"name\":\"Square\",\"term\":\"x^(2)\",\"result\":\"\",\"fault\":null,"
            "\"notes\":[]}\n"
            "{\"nr\":\"7\",\"name\":\"Half\",\"term\":\"Erg1/2\",\"result\":\"old\","
            "\"fault\":null,\"notes\":[]}\n");
}

TEST_F(NumoraCalc, ATableFileThatCannotBeOpenedWritesNothing) {
  writeFile("bad.TBE", "{\"format\": \"numora-table\", \"version\": 3, \"rows\": []}");
  const std::string folder = "'" + folder_.string() + "/";
  for (const std::string& table : {std::string("bad.TBE"), std::string("missing.TBE")}) {
    const Outcome result =
        run(folder + table + "' --save " + folder + "out.TBE' --print " + folder + "out.html'");
    EXPECT_EQ(result.status, 1) << table;
    EXPECT_EQ(result.out, "") << table;
    EXPECT_FALSE(fs::exists(folder_ / "out.TBE")) << table;
    EXPECT_FALSE(fs::exists(folder_ / "out.html")) << table;
  }
  EXPECT_EQ(run(folder + "bad.TBE'").err, "numora-calc: Datei \"" + (folder_ / "bad.TBE").string() +
                                              "\" ist keine gültige Tabellendatei. Version 3 ist "
                                              "neuer als Version 1.\n");
}

// A terms file and a table file that cannot be read give the same open fault and exit status.
TEST_F(NumoraCalc, AnUnreadableTermsFileIsTheSameFaultAsAnUnreadableTable) {
  for (const std::string& option : {std::string("--terms "), std::string("")}) {
    const fs::path missing = folder_ / "missing.txt";
    const Outcome result = run(option + "'" + missing.string() + "'");
    EXPECT_EQ(result.status, 1) << option;
    EXPECT_EQ(result.out, "") << option;
    EXPECT_EQ(result.err, "numora-calc: Datei \"" + missing.string() +
                              "\" kann nicht geöffnet werden. No such file or directory.\n")
        << option;
  }
}

TEST_F(NumoraCalc, AFileThatCannotBeWrittenIsAFault) {
  const Outcome result =
      run("--terms - --save '" + folder_.string() + "/no/such/folder.TBE'", "1\n");
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.out, "1\tNew element\t1\t1\n");
  EXPECT_EQ(result.err, "numora-calc: Datei \"" + folder_.string() +
                            "/no/such/folder.TBE\" kann nicht erstellt werden. No such file or "
                            "directory.\n");
}

TEST_F(NumoraCalc, WrongUsageExitsWithTwo) {
  for (const std::string& arguments :
       {std::string(""), std::string("--terms"), std::string("--bogus --terms -"),
        std::string("--separator ab --terms -"), std::string("--separator '' --terms -"),
        std::string("--terms - table.TBE"), std::string("one.TBE two.TBE"),
        std::string("--no-calc")}) {
    const Outcome result = run(arguments);
    EXPECT_EQ(result.status, 2) << arguments;
    EXPECT_EQ(result.out, "") << arguments;
    EXPECT_NE(result.err, "") << arguments;
  }
}

TEST_F(NumoraCalc, HelpAndVersionGoToStandardOutput) {
  const Outcome help = run("--help");
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.out.find("--terms"), std::string::npos);
  const Outcome version = run("--version");
  EXPECT_EQ(version.status, 0);
  EXPECT_EQ(version.out, "numora-calc " NUMORA_VERSION "\n");
}

}  // namespace

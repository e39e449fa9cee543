// How numora-calc takes awkward arguments and input files: separators, byte-order marks,
// files that are no regular files, short options written with "=", memory running out.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>

#include "NumoraCalcRun.h"

namespace {

namespace fs = std::filesystem;

using numora::test::addressSpaceLimit;
using numora::test::BuiltWithAddressSanitizer;
using numora::test::numoraCalc;
using numora::test::Outcome;
using numora::test::TwoRowTable;
using NumoraCalc = numora::test::NumoraCalc;

TEST_F(NumoraCalc, OnlyAPointOrACommaIsADecimalSeparator) {
  for (const char* separator : {"5", "x", "';'", "'\t'", "' '", "0"}) {
    const Outcome result = run(std::string("--separator ") + separator + " --terms -", "1/4\n");
    EXPECT_EQ(result.status, 2) << separator;
    EXPECT_EQ(result.out, "") << separator;
    EXPECT_EQ(result.err,
              "numora-calc: --separator takes \".\" or \",\"\nRun with --help for more "
              "information.\n")
        << separator;
  }
}

TEST_F(NumoraCalc, AByteOrderMarkAtTheStartOfATermsFileIsSkipped) {
  const std::string terms =
      "\xef\xbb\xbf"
      "1+1\n\xef\xbb\xbf"
      "2\n";
  const std::string rows =
      "1\tNew element\t1+1\t2\n"
      "2\tNew element\t\xef\xbb\xbf"
      "2\t\n";
  const Outcome fromFile = run("--terms " + termsFile(terms));
  EXPECT_EQ(fromFile.out, rows);
  const Outcome fromInput = run("--terms -", terms);
  EXPECT_EQ(fromInput.out, rows);
}

// Each is refused with the open fault at once; the timeout turns a hang into a failure and
// the memory limit keeps an endless file from taking all of the machine's memory.
TEST_F(NumoraCalc, AFileThatIsNoRegularFileIsTheOpenFault) {
  fs::create_directory(folder_ / "folder.TBE");
  ASSERT_EQ(::mkfifo((folder_ / "terms.txt").c_str(), 0600), 0);
  ASSERT_EQ(::mkfifo((folder_ / "x.TBE").c_str(), 0600), 0);
  struct Case {
    std::string argument;
    std::string path;
    const char* reason;
  };
  const std::string folder = (folder_ / "folder.TBE").string();
  const std::string fifo = (folder_ / "x.TBE").string();
  const std::string fifoOfTerms = (folder_ / "terms.txt").string();
  for (const Case& c : std::initializer_list<Case>{
           {"--terms " + quoted("folder.TBE"), folder, "Is a directory"},
           {"--terms " + quoted("terms.txt"), fifoOfTerms, "Keine reguläre Datei"},
           {quoted("folder.TBE"), folder, "Is a directory"},
           {quoted("x.TBE"), fifo, "Keine reguläre Datei"},
           {"/dev/zero", "/dev/zero", "Keine reguläre Datei"},
       }) {
    const Outcome result = runScript(addressSpaceLimit(2000000) + "LC_ALL=C timeout 10 " +
                                     numoraCalc() + " " + c.argument + " </dev/null");
    EXPECT_EQ(result.status, 1) << c.argument;
    EXPECT_EQ(result.out, "") << c.argument;
    EXPECT_EQ(result.err, "numora-calc: Datei \"" + c.path + "\" kann nicht geöffnet werden. " +
                              c.reason + ".\n")
        << c.argument;
  }
}

TEST_F(NumoraCalc, StandardInputThatCannotBeReadIsTheOpenFault) {
  fs::create_directory(folder_ / "folder");
  const Outcome result = runScript("LC_ALL=C " + numoraCalc() + " --terms - <" + quoted("folder"));
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.out, "");
  EXPECT_EQ(result.err, "numora-calc: Datei \"-\" kann nicht geöffnet werden. Is a directory.\n");
}

TEST_F(NumoraCalc, AShortOptionTakesItsValueAfterAnEqualsSign) {
  struct Case {
    const char* options;
    const char* out;
    const char* err;
  };
  for (const Case& c : std::initializer_list<Case>{
           {"-x=5 -y=3 -z=2", "1\tNew element\tx*y*z\t30\n", ""},
           {"-x==2", "1\tNew element\tx*y*z\t\n",
            "numora-calc: row 1: '=2' ist kein gültiger Integerwert.\n"},
       }) {
    const Outcome result = run(std::string(c.options) + " --separator . --terms -", "x*y*z\n");
    EXPECT_EQ(result.status, *c.err == '\0' ? 0 : 1) << c.options;
    EXPECT_EQ(result.out, c.out) << c.options;
    EXPECT_EQ(result.err, c.err) << c.options;
  }
}

// Standard input is read to its end before anything is calculated; a limit on the address
// space makes an input of 1 GiB too large.
TEST_F(NumoraCalc, RunningOutOfMemoryIsTheGermanFault) {
  if (BuiltWithAddressSanitizer) {
    GTEST_SKIP() << "the address sanitizer needs more address space than the limit leaves";
  }
  writeFile("huge", "");
  fs::resize_file(folder_ / "huge", 1 << 30);
  for (const std::string& options : {std::string(""), std::string("--json ")}) {
    const Outcome result = runScript(addressSpaceLimit(400000) + numoraCalc() + " " + options +
                                     "--terms - <" + quoted("huge"));
    EXPECT_EQ(result.status, 1) << options;
    EXPECT_EQ(result.err, "numora-calc: Nicht genügend Arbeitsspeicher.\n") << options;
    EXPECT_EQ(result.out, options.empty() ? ""
                                          : "{\"error\":{\"class\":\"Exception\",\"message\":"
                                            "\"Nicht genügend Arbeitsspeicher\"}}\n")
        << options;
  }
}

}  // namespace

// The desktop program's own command line, read before any window or display is needed: help
// and version on standard output, wrong usage as one line on standard error with status 2.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "TestSupport.h"

namespace {

struct Outcome {
  int status;
  std::string out;
  std::string err;
};

// numora with `arguments` (shell words) and no display at all.
Outcome runNumora(const std::string& arguments) {
  const numora::test::TemporaryFolder folder("numora-command-line");
  const std::string command =
      "env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM '" NUMORA_PATH "' " + arguments +
      " >'" + folder.path("out") + "' 2>'" + folder.path("err") + "' </dev/null";
  const int status = std::system(command.c_str());
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, numora::test::contentOf(folder.path("out")),
          numora::test::contentOf(folder.path("err"))};
}

TEST(NumoraCommandLine, HelpVersionAndWrongUsageNeedNoDisplay) {
  const std::string help = "Usage: numora [options] [TABLE]\n";
  const std::string version = "numora " NUMORA_VERSION "\n";
  struct Case {
    const char* arguments;
    int status;
    std::string outStart;
    std::string err;
  };
  for (const Case& c : std::vector<Case>{
           {"--help", 0, help, ""},
           {"-h", 0, help, ""},
           {"--version", 0, version, ""},
           {"-v", 0, version, ""},
           // Qt's own options are taken and left to Qt.
           {"-platform offscreen -style fusion --version", 0, version, ""},
           {"--bogus", 2, "", "numora: Unknown option 'bogus'. Try 'numora --help'.\n"},
           {"-x", 2, "", "numora: Unknown option 'x'. Try 'numora --help'.\n"},
           {"one.TBE two.TBE", 2, "",
            "numora: give at most one table file. Try 'numora --help'.\n"},
       }) {
    const Outcome outcome = runNumora(c.arguments);
    EXPECT_EQ(outcome.status, c.status) << c.arguments;
    EXPECT_EQ(outcome.out.substr(0, c.outStart.size()), c.outStart) << c.arguments;
    EXPECT_EQ(outcome.err, c.err) << c.arguments;
  }
  const Outcome helpText = runNumora("--help");
  for (const char* option : {"-h, --help", "-v, --version", "TABLE"}) {
    EXPECT_NE(helpText.out.find(option), std::string::npos) << option;
  }
}

// With a table and no display the program says where to run it instead of crashing.
TEST(NumoraCommandLine, ATableWithoutADisplayShowsTheWayToXvfb) {
  const Outcome outcome = runNumora("table.TBE");
  EXPECT_EQ(outcome.status, 1);
  EXPECT_EQ(outcome.out, "");
  EXPECT_NE(outcome.err.find("xvfb-run -a"), std::string::npos) << outcome.err;
}

}  // namespace

// Runs numora-calc's save and print with one system call failing, call after call: whatever
// step fails, the previous file stays byte for byte, the tool exits with 1 and nothing is left
// behind. Both ways of writing are covered: through an unnamed file, and through a named one
// where the file system has no unnamed files.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "TestSupport.h"

namespace {

using numora::test::contentOf;

struct Outcome {
  int status;
  std::string err;
};

class FaultInjection : public ::testing::Test {
 protected:
  FaultInjection() {
    // Enough rows for the table file to be written in several pieces.
    std::string terms;
    for (int i = 0; i < 30000; ++i) {
      terms += "sin(x)*" + std::to_string(i) + "\n";
    }
    numora::test::writeFile(folder_.path("terms.txt"), terms);
  }

  Outcome numoraCalc(const std::string& option, const std::string& environment) {
    const std::string command = "env LC_ALL=C LD_PRELOAD='" FAILING_CALLS_PATH "' " + environment +
                                " '" NUMORA_CALC_PATH "' -x 2 --terms '" +
                                folder_.path("terms.txt") + "' " + option + " '" +
                                folder_.path("target") + "' >/dev/null 2>'" + errorsPath_ + "'";
    const int status = std::system(command.c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, contentOf(errorsPath_)};
  }

  const numora::test::TemporaryFolder folder_{"numora-fault-injection"};
  const std::string errorsPath_ =
      folder_.path("../" + folder_.folder().filename().string() + ".err");
};

TEST_F(FaultInjection, EveryFailingStepLeavesThePreviousFileAndNothingElse) {
  const std::string previous = "the previous file\n";
  struct Case {
    const char* call;
    bool unnamedFiles;
    bool called;  // whether the writing makes this call at all
  };
  for (const std::string option : {"--save", "--print"}) {
    for (const Case& c : std::vector<Case>{{"write", true, true},
                                           {"fsync", true, true},
                                           {"linkat", true, true},
                                           {"rename", true, true},
                                           {"write", false, true},
                                           {"fsync", false, true},
                                           {"linkat", false, false},
                                           {"rename", false, true}}) {
      const std::string what =
          option + " " + c.call + (c.unnamedFiles ? "" : " without unnamed files");
      int failures = 0;
      for (int at = 1; at <= 20; ++at) {
        numora::test::writeFile(folder_.path("target"), previous);
        const Outcome run =
            numoraCalc(option, std::string("NUMORA_FAIL_CALL=") + c.call +
                                   " NUMORA_FAIL_AT=" + std::to_string(at) +
                                   (c.unnamedFiles ? "" : " NUMORA_NO_UNNAMED_FILES=1"));
        EXPECT_EQ(folder_.fileNames(), (std::vector<std::string>{"target", "terms.txt"}))
            << what << " at " << at;
        if (run.status == 0) {
          EXPECT_TRUE(contentOf(folder_.path("target")) != previous) << what << " at " << at;
          break;
        }
        ++failures;
        EXPECT_EQ(run.status, 1) << what << " at " << at;
        EXPECT_TRUE(contentOf(folder_.path("target")) == previous) << what << " at " << at;
        EXPECT_NE(run.err.find("kann nicht erstellt werden"), std::string::npos)
            << what << " at " << at << ": " << run.err;
      }
      EXPECT_EQ(failures > 0, c.called) << what;
    }
  }
  std::remove(errorsPath_.c_str());
}

// A save killed after it named its new content and before it put it in place leaves the
// previous file whole and a hidden file beside it, which the next save of the file removes.
TEST_F(FaultInjection, TheNextSaveRemovesWhatASaveKilledBeforeItsRenameLeft) {
  const std::string previous = "the previous file\n";
  for (const std::string option : {"--save", "--print"}) {
    for (const char* unnamedFiles : {"", " NUMORA_NO_UNNAMED_FILES=1"}) {
      const std::string what = option + unnamedFiles;
      numora::test::writeFile(folder_.path("target"), previous);
      const Outcome killed = numoraCalc(
          option, std::string("NUMORA_FAIL_CALL=rename NUMORA_FAIL_AT=1 NUMORA_FAIL_BY_KILLING=1") +
                      unnamedFiles);
      EXPECT_NE(killed.status, 0) << what;
      EXPECT_EQ(contentOf(folder_.path("target")), previous) << what;
      const std::vector<std::string> left = folder_.fileNames();
      ASSERT_EQ(left.size(), 3u) << what;
      EXPECT_TRUE(left[0].starts_with(".target.numora-")) << what << ": " << left[0];
      EXPECT_EQ(numoraCalc(option, "").status, 0) << what;
      EXPECT_EQ(folder_.fileNames(), (std::vector<std::string>{"target", "terms.txt"})) << what;
      EXPECT_TRUE(contentOf(folder_.path("target")) != previous) << what;
    }
  }
  std::remove(errorsPath_.c_str());
}

}  // namespace

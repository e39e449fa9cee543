// Saves as a user without special rights (the root user may write any file, so a test run as
// root proves nothing): a file the user may not write is refused as a direct write would be,
// and stays as it was.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "TestSupport.h"

namespace {

namespace fs = std::filesystem;

using numora::test::contentOf;

constexpr uid_t NobodyUser = 65534;
constexpr gid_t NobodyGroup = 65534;

struct Outcome {
  int status;
  std::string err;
};

class UnprivilegedUser : public ::testing::Test {
 protected:
  UnprivilegedUser() {
    // The user needs a program it may run and a folder it may search.
    fs::permissions(folder_.folder(), fs::perms::all);
    fs::copy_file(NUMORA_CALC_PATH, folder_.path("numora-calc"));
    numora::test::writeFile(folder_.path("terms.txt"), "1+1\n");
    fs::create_directory(folder_.path("own"));
    fs::create_directory(folder_.path("locked"));
  }

  // The files of `names` belong to the user who runs the tool.
  void giveToUser(const std::vector<std::string>& names) {
    for (const std::string& name : names) {
      if (::geteuid() == 0) {
        EXPECT_EQ(::lchown(folder_.path(name).c_str(), NobodyUser, NobodyGroup), 0) << name;
      }
    }
  }

  // numora-calc saving to `target`, run as an ordinary user: as "nobody" when the test runs as
  // root, else as the test's own user.
  Outcome saveAsUser(const std::string& target) {
    const std::string asUser = ::geteuid() == 0 ? "setpriv --reuid=nobody --regid=nogroup "
                                                  "--clear-groups env HOME=/nonexistent "
                                                : "env ";
    const std::string errors = folder_.path("own/errors");
    const std::string command = asUser + "LC_ALL=C '" + folder_.path("numora-calc") +
                                "' --terms '" + folder_.path("terms.txt") + "' --save '" +
                                folder_.path(target) + "' >/dev/null 2>'" + errors + "'";
    const int status = std::system(command.c_str());
    Outcome run{WIFEXITED(status) ? WEXITSTATUS(status) : -1, contentOf(errors)};
    fs::remove(errors);
    return run;
  }

  const numora::test::TemporaryFolder folder_{"numora-unprivileged"};
};

TEST_F(UnprivilegedUser, AFileTheUserMayNotWriteIsRefusedAndKept) {
  const std::string previous = "the previous file\n";
  numora::test::writeFile(folder_.path("own/read-only.TBE"), previous);
  numora::test::writeFile(folder_.path("own/writable.TBE"), previous);
  numora::test::writeFile(folder_.path("locked/writable.TBE"), previous);
  fs::create_symlink("read-only.TBE", folder_.path("own/alias.TBE"));
  giveToUser(
      {"own", "own/read-only.TBE", "own/writable.TBE", "own/alias.TBE", "locked/writable.TBE"});
  ::chmod(folder_.path("own/read-only.TBE").c_str(), 0444);
  ::chmod(folder_.path("locked").c_str(), 0555);

  struct Case {
    const char* target;
    int status;
    const char* err;
  };
  for (const Case& c : std::vector<Case>{
           {"own/read-only.TBE", 1, "kann nicht erstellt werden. Permission denied.\n"},
           {"own/alias.TBE", 1, "kann nicht erstellt werden. Permission denied.\n"},
           // The file may be written, but no new file may be made beside it.
           {"locked/writable.TBE", 1, "kann nicht erstellt werden. Permission denied.\n"},
           {"locked/new.TBE", 1, "kann nicht erstellt werden. Permission denied.\n"},
           {"own/writable.TBE", 0, ""},
       }) {
    const Outcome run = saveAsUser(c.target);
    EXPECT_EQ(run.status, c.status) << c.target;
    EXPECT_EQ(run.err.empty() ? "" : run.err.substr(run.err.find("kann nicht")), c.err)
        << c.target << ": " << run.err;
    if (c.status != 0) {
      const bool existed = fs::exists(folder_.path(c.target));
      EXPECT_EQ(existed ? contentOf(folder_.path(c.target)) : previous, previous) << c.target;
    }
  }
  EXPECT_NE(contentOf(folder_.path("own/writable.TBE")), previous);
  EXPECT_TRUE(fs::is_symlink(folder_.path("own/alias.TBE")));
  EXPECT_FALSE(fs::exists(folder_.path("locked/new.TBE")));
  // Nothing left over in either folder.
  std::vector<std::string> names;
  for (const auto& entry : fs::recursive_directory_iterator(folder_.folder())) {
    names.push_back(entry.path().lexically_relative(folder_.folder()).string());
  }
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"locked", "locked/writable.TBE", "numora-calc", "own",
                                             "own/alias.TBE", "own/read-only.TBE",
                                             "own/writable.TBE", "terms.txt"}));
  ::chmod(folder_.path("locked").c_str(), 0755);
}

}  // namespace

// Where the print command writes its page, for a user without root's rights (the root user may
// write into any folder, so only such a user shows the difference): beside the program when
// the user may write into its folder, else in the user's own cache folder.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "TestSupport.h"

namespace {

namespace fs = std::filesystem;

constexpr uid_t NobodyUser = 65534;
constexpr gid_t NobodyGroup = 65534;

class PrintPagePlace : public ::testing::Test {
 protected:
  PrintPagePlace() {
    fs::permissions(folder_.folder(), fs::perms::all);
    for (const char* name : {"installed", "own", "home"}) {
      fs::create_directory(folder_.path(name));
    }
    fs::permissions(folder_.path("installed"), fs::perms::owner_all | fs::perms::group_read |
                                                   fs::perms::group_exec | fs::perms::others_read |
                                                   fs::perms::others_exec);
    fs::copy_file(PRINT_PAGE_PROBE_PATH, folder_.path("installed/probe"));
    fs::copy_file(PRINT_PAGE_PROBE_PATH, folder_.path("own/probe"));
    giveToUser("own");
    giveToUser("own/probe");
    giveToUser("home");
  }

  void giveToUser(const std::string& name) {
    if (::geteuid() == 0) {
      EXPECT_EQ(::chown(folder_.path(name).c_str(), NobodyUser, NobodyGroup), 0) << name;
    }
  }

  // The page the probe in `programFolder` wrote, as an ordinary user with `environment`.
  std::string printedPage(const std::string& programFolder, const std::string& environment) {
    const std::string asUser = ::geteuid() == 0 ? "setpriv --reuid=nobody --regid=nogroup "
                                                  "--clear-groups env -i "
                                                : "env -i ";
    const std::string out = folder_.path("out");
    const std::string command =
        asUser + environment + " '" + folder_.path(programFolder) + "/probe' >'" + out + "' 2>&1";
    const int status = std::system(command.c_str());
    std::string page = numora::test::contentOf(out);
    fs::remove(out);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
      return "failed: " + page;
    }
    return page.substr(0, page.find('\n'));
  }

  const numora::test::TemporaryFolder folder_{"numora-print-place"};
};

TEST_F(PrintPagePlace, BesideTheProgramWhereTheUserMayWriteElseInTheCacheFolder) {
  const std::string home = folder_.path("home");
  struct Case {
    const char* programFolder;
    std::string environment;
    std::string page;
  };
  for (const Case& c : std::vector<Case>{
           {"own", "HOME=" + home, folder_.path("own/print.html")},
           {"installed", "HOME=" + home, home + "/.cache/numora/print.html"},
           {"installed", "HOME=" + home + " XDG_CACHE_HOME=" + home + "/xdg/cache",
            home + "/xdg/cache/numora/print.html"},
           // A cache folder that is no absolute path is no cache folder.
           {"installed", "HOME=" + home + " XDG_CACHE_HOME=relative",
            home + "/.cache/numora/print.html"},
       }) {
    EXPECT_EQ(printedPage(c.programFolder, c.environment), c.page) << c.environment;
    EXPECT_NE(numora::test::contentOf(c.page).find("<td>Probe</td>"), std::string::npos) << c.page;
  }
  EXPECT_FALSE(fs::exists(folder_.path("installed/print.html")));
  // The cache folder is the user's alone.
  EXPECT_EQ(fs::status(home + "/.cache/numora").permissions(), fs::perms::owner_all);
}

}  // namespace

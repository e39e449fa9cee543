// Saving and opening files that are not plain files in a plain folder: links, FIFOs, devices,
// long names, saves that are killed, and memory that runs out.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "FileAccess.h"
#include "PrintPage.h"
#include "TableFile.h"
#include "TestSupport.h"

namespace numora {
namespace {

namespace fs = std::filesystem;

using test::contentOf;
using test::faultOf;
using test::tableOf;
using test::writeFile;

const RowTable NewTable = tableOf({{"new", "x", "1", "1"}});

// The text `action` gives in a child process with at most `memoryLimit` bytes of address
// space beyond what it already uses (none: no limit).
std::string inChild(const std::function<std::string()>& action, long memoryLimit = 0) {
  return test::inChildProcess(action, [memoryLimit] {
    if (memoryLimit > 0) {
      long pages = 0;
      std::ifstream("/proc/self/statm") >> pages;
      const auto limit = static_cast<rlim_t>(pages * ::sysconf(_SC_PAGESIZE) + memoryLimit);
      const rlimit bound{limit, limit};
      ::setrlimit(RLIMIT_AS, &bound);
    }
  });
}

class FileAccess : public ::testing::Test {
 protected:
  std::string path(const std::string& name) const { return folder_.path(name); }

  test::TemporaryFolder folder_{"numora-file-test"};
};

// A save through a symbolic link replaces the file at the end of the links and keeps them.
TEST_F(FileAccess, SavingThroughALinkReplacesTheFileItPointsTo) {
  struct Case {
    const char* what;
    std::vector<std::pair<std::string, std::string>> links;  // name, text it holds
    std::string saved;                                       // the name the save is given
    std::string target;                                      // the file that gets the table
  };
  fs::create_directory(path("sub"));
  for (const Case& c : std::vector<Case>{
           {"a relative link", {{"alias.TBE", "real.TBE"}}, "alias.TBE", "real.TBE"},
           {"an absolute link", {{"alias.TBE", path("real.TBE")}}, "alias.TBE", "real.TBE"},
           {"a chain of links",
            {{"first.TBE", "sub/second.TBE"}, {"sub/second.TBE", "../real.TBE"}},
            "first.TBE",
            "real.TBE"},
           {"a link to nothing yet",
            {{"alias.TBE", "sub/created.TBE"}},
            "alias.TBE",
            "sub/created.TBE"},
       }) {
    writeFile(path("real.TBE"), "old");
    for (const auto& [name, text] : c.links) {
      fs::create_symlink(text, path(name));
    }
    EXPECT_EQ(faultOf([&] { saveTable(NewTable, path(c.saved)); }), "no fault") << c.what;
    EXPECT_EQ(contentOf(path(c.target)), tableDocument(NewTable)) << c.what;
    for (const auto& [name, text] : c.links) {
      EXPECT_TRUE(fs::is_symlink(path(name))) << c.what << ' ' << name;
      EXPECT_EQ(fs::read_symlink(path(name)).string(), text) << c.what << ' ' << name;
      fs::remove(path(name));
    }
    fs::remove(path(c.target));
    fs::remove(path("real.TBE"));
    EXPECT_EQ(folder_.fileNames(), (std::vector<std::string>{"sub"})) << c.what;
    EXPECT_TRUE(fs::is_empty(path("sub"))) << c.what;
  }
}

// Only a regular file is replaced: anything else is refused before a byte is written.
TEST_F(FileAccess, TargetsThatAreNoRegularFileAreRefusedAndKept) {
  ASSERT_EQ(::mkfifo(path("pipe.TBE").c_str(), 0600), 0);
  fs::create_symlink("/dev/null", path("null.TBE"));
  fs::create_symlink("pipe.TBE", path("to-pipe.TBE"));
  fs::create_directory(path("folder.TBE"));
  int pipeEnds[2];
  ASSERT_EQ(::pipe(pipeEnds), 0);
  const std::string pipeOfThisProcess = "/proc/self/fd/" + std::to_string(pipeEnds[1]);
  struct Case {
    std::string saved;
    const char* reason;
  };
  for (const Case& c : std::vector<Case>{{path("pipe.TBE"), "Keine reguläre Datei"},
                                         {path("to-pipe.TBE"), "Keine reguläre Datei"},
                                         {path("null.TBE"), "Keine reguläre Datei"},
                                         {pipeOfThisProcess, "Keine reguläre Datei"},
                                         {path("folder.TBE"), "Is a directory"}}) {
    for (const auto& write : std::vector<std::function<void()>>{
             [&] { saveTable(NewTable, c.saved); }, [&] { writePrintPage(NewTable, c.saved); }}) {
      EXPECT_EQ(inChild([&] { return faultOf(write); }),
                "Exception: Datei \"" + c.saved + "\" kann nicht erstellt werden. " + c.reason);
    }
  }
  ::close(pipeEnds[0]);
  ::close(pipeEnds[1]);
  EXPECT_EQ(fs::status(path("pipe.TBE")).type(), fs::file_type::fifo);
  EXPECT_EQ(fs::read_symlink(path("null.TBE")), "/dev/null");
  EXPECT_EQ(folder_.fileNames(),
            (std::vector<std::string>{"folder.TBE", "null.TBE", "pipe.TBE", "to-pipe.TBE"}));
}

// Only a regular file is opened; a FIFO or an endless device neither blocks nor fills memory.
TEST_F(FileAccess, OpeningAnythingButARegularFileIsRefusedAtOnce) {
  ASSERT_EQ(::mkfifo(path("pipe.TBE").c_str(), 0600), 0);
  fs::create_symlink("/dev/zero", path("zero.TBE"));
  struct Case {
    std::string opened;
    const char* reason;
  };
  for (const Case& c : std::vector<Case>{{path("pipe.TBE"), "Keine reguläre Datei"},
                                         {path("zero.TBE"), "Keine reguläre Datei"},
                                         {"/dev/zero", "Keine reguläre Datei"},
                                         {folder_.folder().string(), "Is a directory"}}) {
    RowTable table = tableOf({{"kept", "x", "1", "1"}});
    EXPECT_EQ(
        inChild([&] {
          const std::string fault = faultOf([&] { openTable(table, c.opened); });
          return fault + "|" + std::to_string(table.rowCount());
        }),
        "Exception: Datei \"" + c.opened + "\" kann nicht geöffnet werden. " + c.reason + "|1");
  }
}

// The unnamed file a save writes into has no name until it is complete, so a save that dies
// halfway leaves nothing; and a name as long as the file system allows can be saved.
TEST_F(FileAccess, ASaveThatDiesLeavesNothingAndAnyNameCanBeSaved) {
  writeFile(path("t.TBE"), "old");
  inChild([&] {
    AtomicFileWriter file(path("t.TBE"));
    file.write(std::string(1 << 20, 'x'));
    ::raise(SIGKILL);
    return std::string();
  });
  EXPECT_EQ(folder_.fileNames(), std::vector<std::string>{"t.TBE"});
  EXPECT_EQ(contentOf(path("t.TBE")), "old");

  const std::string longest = std::string(251, 'n') + ".TBE";
  EXPECT_EQ(faultOf([&] { saveTable(NewTable, path(longest)); }), "no fault");
  EXPECT_EQ(contentOf(path(longest)), tableDocument(NewTable));
}

// What a save killed between naming its new content and putting it in place left behind is
// removed by the next save of the same file; a live save's file and any other file stay.
TEST_F(FileAccess, ASaveRemovesWhatAKilledSaveOfTheSameFileLeftAndNothingElse) {
  enum class Kind { File, LockedFile, Folder, Link };
  struct Case {
    std::string name;
    Kind kind;
    bool kept;
  };
  const std::vector<Case> cases{
      {".t.TBE.numora-a1B2c3D4", Kind::File, false},       // left by a killed save
      {".t.TBE.numora-zzzzzzzz", Kind::File, false},       // another one
      {".t.TBE.numora-e5F6g7H8", Kind::LockedFile, true},  // a save still going on
      {".t.TBE.numora-folder01", Kind::Folder, true},
      {".t.TBE.numora-symlink1", Kind::Link, true},
      {".u.TBE.numora-a1B2c3D4", Kind::File, true},  // of another file
      {".t.TBE.numora-a1B2c3D", Kind::File, true},   // names no save gives
      {".t.TBE.numora-a1B2c3D45", Kind::File, true},
      {".t.TBE.numora-a1B2c3_4", Kind::File, true},
      {"t.TBE.numora-a1B2c3D4", Kind::File, true},
      {".numora-a1B2c3D4", Kind::File, true},
  };
  std::vector<int> locks;
  std::vector<std::string> kept{"t.TBE"};
  for (const Case& c : cases) {
    switch (c.kind) {
      case Kind::File:
      case Kind::LockedFile:
        writeFile(path(c.name), "content");
        if (c.kind == Kind::LockedFile) {
          locks.push_back(::open(path(c.name).c_str(), O_RDONLY | O_CLOEXEC));
          ASSERT_EQ(::flock(locks.back(), LOCK_EX), 0);
        }
        break;
      case Kind::Folder:
        fs::create_directory(path(c.name));
        break;
      case Kind::Link:
        fs::create_symlink("t.TBE", path(c.name));
        break;
    }
    if (c.kept) {
      kept.push_back(c.name);
    }
  }
  std::sort(kept.begin(), kept.end());
  EXPECT_EQ(faultOf([&] { saveTable(NewTable, path("t.TBE")); }), "no fault");
  EXPECT_EQ(folder_.fileNames(), kept);
  EXPECT_EQ(contentOf(path("t.TBE")), tableDocument(NewTable));
  for (const int lock : locks) {
    ::close(lock);
  }
}

// Memory that runs out while a file is read or written is a fault naming the file, in German.
TEST_F(FileAccess, RunningOutOfMemoryNamesTheFile) {
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
  GTEST_SKIP() << "a sanitizer needs more address space than the limit leaves";
#endif
  constexpr long Limit = 64L << 20;
  // A file far larger than the memory left, without taking room on the disk.
  const int file = ::open(path("huge.TBE").c_str(), O_WRONLY | O_CREAT, 0600);
  ASSERT_EQ(::ftruncate(file, 4 * Limit), 0);
  ::close(file);
  RowTable table;
  EXPECT_EQ(inChild([&] { return faultOf([&] { openTable(table, path("huge.TBE")); }); }, Limit),
            "Exception: Datei \"" + path("huge.TBE") +
                "\" kann nicht geöffnet werden. Nicht genügend Arbeitsspeicher");
  // A row too large to be written in the memory left.
  const RowTable large = tableOf({{std::string(2 * Limit, 'n'), "x", "", "1"}});
  for (const auto& [name, write] : std::vector<std::pair<std::string, std::function<void()>>>{
           {"t.TBE", [&] { saveTable(large, path("t.TBE")); }},
           {"print.html", [&] { writePrintPage(large, path("print.html")); }}}) {
    EXPECT_EQ(inChild([&] { return faultOf(write); }, Limit),
              "Exception: Datei \"" + path(name) +
                  "\" kann nicht erstellt werden. Nicht genügend Arbeitsspeicher");
  }
  EXPECT_EQ(folder_.fileNames(), std::vector<std::string>{"huge.TBE"});
}

// A valid table followed by many line breaks is no reason to make room for a row per line.
TEST_F(FileAccess, LineBreaksDoNotMakeRoomForRows) {
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
  GTEST_SKIP() << "a sanitizer needs more address space than the limit leaves";
#endif
  constexpr std::size_t LineBreaks = 20'000'000;
  writeFile(path("t.TBE"), tableDocument(NewTable) + std::string(LineBreaks, '\n'));
  RowTable table;
  EXPECT_EQ(inChild(
                [&] {
                  const std::string fault = faultOf([&] { openTable(table, path("t.TBE")); });
                  return fault + "|" + std::to_string(table.rowCount());
                },
                400L << 20),
            "no fault|1");
}

}  // namespace
}  // namespace numora

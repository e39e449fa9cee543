#pragma once

// Helpers that tests of every kind share. They use only the core and the standard library, so
// GoogleTest and Qt Test tests can both include them.

#include <signal.h>
#include <stdlib.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <system_error>
#include <vector>

#include "Faults.h"
#include "RowCommands.h"
#include "RowTable.h"

namespace numora::test {

// The class name and message of the fault that `action` raises, "no fault" when none.
inline std::string faultOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const Exception& fault) {
    return std::string(fault.className()) + ": " + fault.message();
  }
  return "no fault";
}

// The table as add row makes it, one row "New element" per term, with the term stored.
inline RowTable tableOfTerms(const std::vector<std::string>& terms) {
  RowTable table;
  for (const std::string& term : terms) {
    addRow(table, -1);
    storeTerm(table, table.rowCount() - 1, term);
  }
  return table;
}

// A table holding exactly `rows`, in their order.
inline RowTable tableOf(const std::vector<Row>& rows) {
  RowTable table;
  for (const Row& row : rows) {
    table.appendRow(row);
  }
  return table;
}

// The table as "Name|Term|Result|Nr" lines, top to bottom.
inline std::vector<std::string> linesOf(const RowTable& table) {
  std::vector<std::string> lines;
  for (int i = 0; i < table.rowCount(); ++i) {
    const Row& row = table.row(i);
    lines.push_back(row.name + "|" + row.term + "|" + row.result + "|" + row.nr);
  }
  return lines;
}

// Records what a table reports, the way a view would see it: "insert F-L", "inserted",
// "remove F-L", "removed", "reset", "was reset" and "changed F-L".
class RecordingObserver : public RowTableObserver {
 public:
  std::vector<std::string> events;

  void rowsAboutToBeInserted(int first, int last) override { add("insert", first, last); }
  void rowsInserted() override { events.push_back("inserted"); }
  void rowsAboutToBeRemoved(int first, int last) override { add("remove", first, last); }
  void rowsRemoved() override { events.push_back("removed"); }
  void tableAboutToBeReset() override { events.push_back("reset"); }
  void tableReset() override { events.push_back("was reset"); }
  void rowsChanged(int first, int last) override { add("changed", first, last); }

 private:
  void add(const char* what, int first, int last) {
    events.push_back(std::string(what) + " " + std::to_string(first) + "-" + std::to_string(last));
  }
};

// The whole content of a file, empty when it cannot be read.
inline std::string contentOf(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream content;
  content << file.rdbuf();
  return content.str();
}

// The system's text for the error number `error` in the locale this process runs in, as a fault
// quotes it: the program takes it from the system, so a test in a German locale that the system
// has sees the German text and one in the C locale the English text.
inline std::string systemMessage(int error) { return std::strerror(error); }

// Creates or empties the file and writes `content` into it.
inline void writeFile(const std::filesystem::path& path, const std::string& content) {
  std::ofstream(path, std::ios::binary) << content;
}

// A new, empty folder of its own under the system's temporary folder, removed with everything
// in it when the object goes.
class TemporaryFolder {
 public:
  explicit TemporaryFolder(const std::string& prefix = "numora-test") {
    std::string pattern = (std::filesystem::temp_directory_path() / (prefix + "-XXXXXX")).string();
    if (::mkdtemp(pattern.data()) == nullptr) {
      throw std::system_error(errno, std::generic_category(), "cannot create " + pattern);
    }
    folder_ = pattern;
  }
  ~TemporaryFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
  }
  TemporaryFolder(const TemporaryFolder&) = delete;
  TemporaryFolder& operator=(const TemporaryFolder&) = delete;

  const std::filesystem::path& folder() const { return folder_; }
  // The path of the file `name` in the folder.
  std::string path(const std::string& name) const { return (folder_ / name).string(); }

  // The names of the files in the folder, sorted, so a test can see that nothing was left over.
  std::vector<std::string> fileNames() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder_)) {
      names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
  }

 private:
  std::filesystem::path folder_;
};

// The text `action` gives when run in a child process, after `limit` has set the child's
// limits; "hung" when it takes longer than ten seconds, so that a file that blocks fails the
// test instead of stopping it.
inline std::string inChildProcess(const std::function<std::string()>& action,
                                  const std::function<void()>& limit = {}) {
  int channel[2];
  if (::pipe(channel) != 0) {
    return "no pipe";
  }
  const pid_t child = ::fork();
  if (child == 0) {
    ::close(channel[0]);
    ::alarm(10);
    if (limit) {
      limit();
    }
    const std::string text = action();
    const ssize_t written = ::write(channel[1], text.data(), text.size());
    ::_exit(written == static_cast<ssize_t>(text.size()) ? 0 : 1);
  }
  ::close(channel[1]);
  std::string text;
  char buffer[4096];
  for (ssize_t got; (got = ::read(channel[0], buffer, sizeof buffer)) > 0;) {
    text.append(buffer, static_cast<std::size_t>(got));
  }
  ::close(channel[0]);
  int status = 0;
  ::waitpid(child, &status, 0);
  return WIFSIGNALED(status) && WTERMSIG(status) == SIGALRM ? "hung" : text;
}

// The fault `action` raises on a disk that fills up: in a child process that may write files of
// at most `bytes` bytes.
inline std::string faultOnAFullDisk(rlim_t bytes, const std::function<void()>& action) {
  return inChildProcess([&] { return faultOf(action); },
                        [bytes] {
                          ::signal(SIGXFSZ, SIG_IGN);
                          const rlimit limit{bytes, bytes};
                          ::setrlimit(RLIMIT_FSIZE, &limit);
                        });
}

}  // namespace numora::test

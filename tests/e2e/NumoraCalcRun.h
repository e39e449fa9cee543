#pragma once

// Runs the built numora-calc through the shell, as a user would, and collects what it printed
// and how it exited.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "TestSupport.h"

namespace numora::test {

struct Outcome {
  int status;  // the exit status, -1 when the shell did not exit normally
  std::string out;
  std::string err;
};

// A table file of two rows, the second referring to the first, neither calculated yet.
inline const std::string TwoRowTable =
    "{\"format\": \"numora-table\", \"version\": 1, \"rows\": [\n"
    "{\"name\": \"Square\", \"term\": \"x^(2)\", \"result\": \"\", \"nr\": \"1\"},\n"
    "{\"name\": \"Half\", \"term\": \"Erg1/2\", \"result\": \"old\", \"nr\": \"7\"}\n"
    "]}\n";

// Whether the programs are built with AddressSanitizer, which reserves far more address space
// than a limit on it (ulimit -v) leaves: a test of running out of memory cannot run there.
#if defined(__SANITIZE_ADDRESS__)
inline constexpr bool BuiltWithAddressSanitizer = true;
#else
inline constexpr bool BuiltWithAddressSanitizer = false;
#endif

// The shell command that limits the address space of what follows to `kilobytes`, where the
// build allows a limit.
inline std::string addressSpaceLimit(long kilobytes) {
  return BuiltWithAddressSanitizer ? "" : "ulimit -v " + std::to_string(kilobytes) + "; ";
}

// The program itself as one shell word.
inline std::string numoraCalc() { return "'" NUMORA_CALC_PATH "'"; }

class NumoraCalc : public ::testing::Test {
 protected:
  std::filesystem::path writeFile(const std::string& name, const std::string& content) {
    const std::filesystem::path path = folder_ / name;
    numora::test::writeFile(path, content);
    return path;
  }

  // The path of `name` in the test's folder as one shell word.
  std::string quoted(const std::string& name) const {
    return "'" + (folder_ / name).string() + "'";
  }

  // Runs the shell commands `script` with standard output and standard error collected.
  Outcome runScript(const std::string& script) {
    const std::string command =
        "{ " + script + "\n} >" + quoted("stdout") + " 2>" + quoted("stderr");
    const int status = std::system(command.c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, contentOf(folder_ / "stdout"),
            contentOf(folder_ / "stderr")};
  }

  // Runs numora-calc with `arguments` (shell words), `input` on standard input and the
  // environment variables in `environment` ("NAME=value ...").
  Outcome run(const std::string& arguments, const std::string& input = "",
              const std::string& environment = "LC_ALL=C") {
    writeFile("stdin", input);
    return runScript("env " + environment + " " + numoraCalc() + " " + arguments + " <" +
                     quoted("stdin"));
  }

  // A terms file "terms.txt" with `content`, as one shell word.
  std::string termsFile(const std::string& content) {
    writeFile("terms.txt", content);
    return quoted("terms.txt");
  }

  const numora::test::TemporaryFolder temporary_{"numora-calc-test"};
  const std::filesystem::path folder_ = temporary_.folder();
};

}  // namespace numora::test

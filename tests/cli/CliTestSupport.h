#pragma once
// Runs of the batch program itself, each in a fresh folder.

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace umbrinex::testing {

namespace fs = std::filesystem;

struct TRun {
  int Status = -1;
  std::string Out;
  std::string Err;
};

class CliProgram : public ::testing::Test {
 protected:
  CliProgram()
  {
    // Parameterised tests have a '/' in their names.
    std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
    std::replace(name.begin(), name.end(), '/', '-');
    folder = fs::temp_directory_path() / ("umbrinex-cli-" + std::to_string(::getpid()) + "-" + name);
    fs::create_directories(folder);
  }
  ~CliProgram() override { fs::remove_all(folder); }

  static std::string Slurp(const fs::path& file)
  {
    std::ifstream in(file);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }
  // Arguments are passed through the shell, so they avoid its special
  // characters. A run that hangs is ended after a while.
  TRun Run(const std::string& arguments) const { return RunWith("", arguments); }
  // The same after the shell commands of setup (a limit, say), with standard
  // output sent to stdoutTarget unless it is empty (Out is then empty).
  TRun RunWith(const std::string& setup, const std::string& arguments, const std::string& stdoutTarget = "") const
  {
    const fs::path out = folder / "out.txt", err = folder / "err.txt";
    const std::string command = setup + "timeout 60 " + std::string(UMBRINEX_CLI_PATH) + " " + arguments + " >" +
                                (stdoutTarget.empty() ? out.string() : stdoutTarget) + " 2>" + err.string();
    const int status = std::system(command.c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, stdoutTarget.empty() ? Slurp(out) : "", Slurp(err)};
  }

  fs::path folder;
};

}  // namespace umbrinex::testing

// --export-data: the text export of the data forms is the desktop program's
// own (it lays the forms out), so the batch program runs it without a window
// and passes its output on.

#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <climits>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "cli/Cli.h"
#include "framework/data/TextUtils.h"
#include "numerics/Errors.h"

extern char** environ;

namespace umbrinex {

namespace {

// The desktop program beside this one (installed or built, both programs
// share a folder); UMBRINEX_DESKTOP names another.
std::string DesktopProgram()
{
  if (const char* named = std::getenv("UMBRINEX_DESKTOP"); named && *named) return named;
  std::error_code error;
  const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error) return {};
  return (self.parent_path() / "umbrinex").string();
}

// Reads the child's output and its messages together, each to its end:
// reading one to its end first would leave the child blocked on a full pipe
// of the other, as a design with many warnings does.
void ReadBoth(int outputPipe, int errorPipe, std::string& output, std::string& errors)
{
  std::array<pollfd, 2> pipes{{{outputPipe, POLLIN, 0}, {errorPipe, POLLIN, 0}}};
  std::array<std::string*, 2> texts{&output, &errors};
  std::array<char, 65536> buffer{};
  int open = 2;
  while (open > 0) {
    if (poll(pipes.data(), pipes.size(), -1) < 0) {
      if (errno == EINTR) continue;
      break;
    }
    for (std::size_t i = 0; i < pipes.size(); ++i) {
      if (pipes[i].fd < 0 || pipes[i].revents == 0) continue;
      const ssize_t n = read(pipes[i].fd, buffer.data(), buffer.size());
      if (n > 0) {
        texts[i]->append(buffer.data(), static_cast<std::size_t>(n));
      } else if (n == 0 || errno != EINTR) {
        pipes[i].fd = -1;  // poll passes over it from now on
        --open;
      }
    }
  }
}

}  // namespace

int ExportData(const TCliOptions& options, std::ostream& out, std::ostream& err)
{
  const std::string program = DesktopProgram();
  if (program.empty() || access(program.c_str(), X_OK) != 0)
    throw EUmbrinexError("The data export needs the desktop program umbrinex beside umbrinex-cli (or named by "
                         "UMBRINEX_DESKTOP).");
  std::vector<std::string> arguments{program, "--export-data", options.ExportDataFile};
  if (!options.Design.empty()) arguments.push_back(options.Design);
  std::vector<char*> argv;
  for (std::string& argument : arguments) argv.push_back(argument.data());
  argv.push_back(nullptr);

  int output[2];
  int errors[2];
  if (pipe(output) != 0) throw EUmbrinexError(std::string("Cannot run the data export: ") + std::strerror(errno));
  if (pipe(errors) != 0) {
    close(output[0]);
    close(output[1]);
    throw EUmbrinexError(std::string("Cannot run the data export: ") + std::strerror(errno));
  }
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, output[1], STDOUT_FILENO);
  posix_spawn_file_actions_adddup2(&actions, errors[1], STDERR_FILENO);
  posix_spawn_file_actions_addclose(&actions, output[0]);
  posix_spawn_file_actions_addclose(&actions, errors[0]);
  // Without a display the export still runs: the desktop program then
  // chooses its offscreen platform by itself.
  pid_t child = 0;
  const int spawned = posix_spawn(&child, program.c_str(), &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  close(output[1]);
  close(errors[1]);
  if (spawned != 0) {
    close(output[0]);
    close(errors[0]);
    throw EUmbrinexError("Cannot run " + program + ": " + std::strerror(spawned));
  }
  std::string text, messages;
  ReadBoth(output[0], errors[0], text, messages);
  // The export quotes the design's texts: to a terminal they are shown, not
  // obeyed.
  out << VisibleText(text, true);
  close(output[0]);
  close(errors[0]);
  int status = 0;
  while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
  // Only the export's own messages: the toolkit's notes about the session
  // are of no interest here.
  std::size_t start = 0;
  while (start < messages.size()) {
    const std::size_t end = messages.find('\n', start);
    const std::string line = messages.substr(start, end == std::string::npos ? std::string::npos : end - start);
    if (line.rfind("QStandardPaths:", 0) != 0 && !line.empty()) err << VisibleText(line, true) << '\n';
    if (end == std::string::npos) break;
    start = end + 1;
  }
  if (!WIFEXITED(status)) return ExitFailed;
  return WEXITSTATUS(status);
}

}  // namespace umbrinex

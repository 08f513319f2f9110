#pragma once

#include <sys/types.h>

#include <chrono>
#include <optional>
#include <string>
#include <vector>

namespace tovek::test {

// "NAME=value" entries that replace or add to the environment a child inherits.
using Environment = std::vector<std::string>;

// A program started in the background; it is ended (SIGKILL) if it still runs
// when the object goes.
class ChildProcess {
  public:
    // Starts argv[0] (looked up in PATH) with the given environment changes.
    // Its output goes to this process's output unless quiet is set; its
    // standard error goes to errorFile when one is named.
    ChildProcess(const std::vector<std::string>& argv, const Environment& changes,
                 bool quiet = false, const std::string& errorFile = "");
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    bool Started() const { return pid_ > 0; }
    pid_t Pid() const { return pid_; }
    bool Running();

    // The exit status (128 + signal number when a signal ended it), or nothing
    // when the program is still running after the timeout.
    std::optional<int> WaitForExit(std::chrono::milliseconds timeout);

  private:
    pid_t pid_ = -1;
    std::optional<int> status_;
};

struct CommandResult {
    int status = -1;
    std::string output;  // standard output
};

// Runs a command to its end and returns its exit status and output.
CommandResult RunCommand(const std::vector<std::string>& argv, const Environment& changes = {});

}  // namespace tovek::test

#include "tests/support/child_process.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <thread>

extern char** environ;

namespace tovek::test {
namespace {

std::vector<std::string> MergedEnvironment(const Environment& changes) {
    std::vector<std::string> merged;
    for (char** entry = environ; *entry != nullptr; ++entry) {
        const std::string text = *entry;
        const std::string name = text.substr(0, text.find('='));
        bool replaced = false;
        for (const std::string& change : changes) {
            if (change.substr(0, change.find('=')) == name) replaced = true;
        }
        if (!replaced) merged.push_back(text);
    }
    merged.insert(merged.end(), changes.begin(), changes.end());
    return merged;
}

std::vector<char*> Pointers(std::vector<std::string>& texts) {
    std::vector<char*> pointers;
    for (std::string& text : texts)
        pointers.push_back(text.data());
    pointers.push_back(nullptr);
    return pointers;
}

int StatusCode(int waitStatus) {
    if (WIFEXITED(waitStatus)) return WEXITSTATUS(waitStatus);
    if (WIFSIGNALED(waitStatus)) return 128 + WTERMSIG(waitStatus);
    return -1;
}

// Spawns argv with the environment changes; stdoutFd (if not -1) becomes the
// child's standard output, and quiet sends both outputs to /dev/null; a
// non-empty errorFile takes the child's standard error.
pid_t Spawn(const std::vector<std::string>& argv, const Environment& changes, int stdoutFd,
            bool quiet, const std::string& errorFile = "") {
    std::vector<std::string> arguments = argv;
    std::vector<std::string> environment = MergedEnvironment(changes);
    std::vector<char*> argumentPointers = Pointers(arguments);
    std::vector<char*> environmentPointers = Pointers(environment);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (quiet) {
        posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    }
    if (stdoutFd != -1) posix_spawn_file_actions_adddup2(&actions, stdoutFd, STDOUT_FILENO);
    if (!errorFile.empty()) {
        posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, errorFile.c_str(),
                                         O_WRONLY | O_CREAT | O_TRUNC, 0644);
    }
    pid_t pid = -1;
    if (posix_spawnp(&pid, argumentPointers[0], &actions, nullptr, argumentPointers.data(),
                     environmentPointers.data()) != 0) {
        pid = -1;
    }
    posix_spawn_file_actions_destroy(&actions);
    return pid;
}

}  // namespace

ChildProcess::ChildProcess(const std::vector<std::string>& argv, const Environment& changes,
                           bool quiet, const std::string& errorFile)
    : pid_(Spawn(argv, changes, -1, quiet, errorFile)) {}

ChildProcess::~ChildProcess() {
    if (Running()) {
        ::kill(pid_, SIGKILL);
        WaitForExit(std::chrono::seconds(10));
    }
}

bool ChildProcess::Running() {
    if (pid_ <= 0 || status_) return false;
    int waitStatus = 0;
    const pid_t done = ::waitpid(pid_, &waitStatus, WNOHANG);
    if (done == pid_) status_ = StatusCode(waitStatus);
    return !status_;
}

std::optional<int> ChildProcess::WaitForExit(std::chrono::milliseconds timeout) {
    const auto end = std::chrono::steady_clock::now() + timeout;
    while (Running() && std::chrono::steady_clock::now() < end) {
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return status_;
}

CommandResult RunCommand(const std::vector<std::string>& argv, const Environment& changes) {
    CommandResult result;
    int pipeEnds[2];
    if (::pipe2(pipeEnds, O_CLOEXEC) != 0) return result;
    const pid_t pid = Spawn(argv, changes, pipeEnds[1], false);
    ::close(pipeEnds[1]);
    char buffer[65536];
    ssize_t count = 0;
    while ((count = ::read(pipeEnds[0], buffer, sizeof buffer)) > 0 ||
           (count < 0 && errno == EINTR)) {
        if (count > 0) result.output.append(buffer, static_cast<std::size_t>(count));
    }
    ::close(pipeEnds[0]);
    int waitStatus = 0;
    if (pid > 0 && ::waitpid(pid, &waitStatus, 0) == pid) result.status = StatusCode(waitStatus);
    return result;
}

}  // namespace tovek::test

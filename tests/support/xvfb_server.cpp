#include "tests/support/xvfb_server.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <stdlib.h>
#include <unistd.h>

#include <chrono>

namespace tovek::test {
namespace {

constexpr int kStartTimeoutMs = 20000;

// Reads the display number that Xvfb writes once it accepts connections.
std::string ReadDisplayNumber(int fd) {
    std::string number;
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(kStartTimeoutMs);
    while (std::chrono::steady_clock::now() < end) {
        pollfd ready{fd, POLLIN, 0};
        if (::poll(&ready, 1, 100) <= 0) continue;
        char c = 0;
        if (::read(fd, &c, 1) != 1) break;
        if (c == '\n') return number;
        number += c;
    }
    return "";
}

}  // namespace

XvfbServer::XvfbServer(const std::string& screen) {
    int pipeEnds[2];
    if (::pipe(pipeEnds) != 0) return;
    ::fcntl(pipeEnds[0], F_SETFD, FD_CLOEXEC);
    server_ = std::make_unique<ChildProcess>(
        std::vector<std::string>{"Xvfb", "-displayfd", std::to_string(pipeEnds[1]), "-screen", "0",
                                 screen, "-nolisten", "tcp", "-noreset"},
        Environment{}, true);
    ::close(pipeEnds[1]);
    if (server_->Started()) {
        const std::string number = ReadDisplayNumber(pipeEnds[0]);
        if (!number.empty()) display_ = ":" + number;
    }
    ::close(pipeEnds[0]);
}

XvfbServer::~XvfbServer() {
    if (server_ && server_->Running()) {
        ::kill(server_->Pid(), SIGTERM);
        server_->WaitForExit(std::chrono::seconds(5));
    }
}

void XvfbServer::BecomeProcessDisplay() const {
    ::setenv("DISPLAY", display_.c_str(), 1);
}

}  // namespace tovek::test

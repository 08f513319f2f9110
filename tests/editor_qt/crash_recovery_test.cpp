// A real Quorle killed with unsaved edits: its next start offers them back.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <memory>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "tests/support/child_process.h"
#include "tests/support/temp_folder.h"
#include "tests/support/x_window.h"
#include "tests/support/xvfb_server.h"

namespace tovek::test {
namespace {

constexpr auto kPoll = std::chrono::milliseconds(100);

class CrashRecovery : public ::testing::Test {
  protected:
    CrashRecovery() {
        std::filesystem::copy_file(QUORLE_PATH, program_);
        std::filesystem::create_directories(folder_.Path() / "data");
    }

    // Starts Quorle and waits for its main window (the first of its windows
    // to appear).
    void Start() {
        ASSERT_FALSE(xvfb_.Display().empty()) << "Xvfb did not start";
        quorle_ = std::make_unique<ChildProcess>(
            std::vector<std::string>{program_.string()},
            Environment{xvfb_.DisplayVariable(), "QT_QPA_PLATFORM=xcb",
                        "LSAN_OPTIONS=suppressions=" TOVEK_LSAN_SUPPRESSIONS});
        ASSERT_TRUE(quorle_->Started());
        window_ = 0;
        const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(60);
        while (window_ == 0 && quorle_->Running() && std::chrono::steady_clock::now() < end) {
            const std::vector<unsigned long> windows = Windows();
            if (!windows.empty()) {
                window_ = windows.front();
            } else {
                std::this_thread::sleep_for(kPoll);
            }
        }
        ASSERT_NE(window_, 0u) << "Quorle's window did not appear";
    }

    // Quorle's visible windows, the first shown first.
    std::vector<unsigned long> Windows() {
        const CommandResult found =
            Xdotool({"search", "--onlyvisible", "--pid", std::to_string(quorle_->Pid())});
        std::vector<unsigned long> windows;
        std::istringstream lines(found.output);
        for (unsigned long window = 0; lines >> window;)
            windows.push_back(window);
        return windows;
    }

    CommandResult Xdotool(std::vector<std::string> arguments) {
        arguments.insert(arguments.begin(), "xdotool");
        return RunCommand(arguments, {xvfb_.DisplayVariable()});
    }

    bool WaitFor(const std::function<bool()>& done, std::chrono::seconds timeout) {
        const auto end = std::chrono::steady_clock::now() + timeout;
        while (!done()) {
            if (std::chrono::steady_clock::now() > end || !quorle_->Running()) return false;
            std::this_thread::sleep_for(kPoll);
        }
        return true;
    }

    XvfbServer xvfb_;
    TempFolder folder_;
    std::filesystem::path program_ = folder_.Path() / "Quorle";
    std::filesystem::path recovery_ = folder_.Path() / "data.quorle-recovery";
    std::unique_ptr<ChildProcess> quorle_;
    unsigned long window_ = 0;
};

TEST_F(CrashRecovery, AKilledQuorlesEditsAreOfferedAndRestoredAtTheNextStart) {
    Start();
    // A click on the map view paints the left button's block.
    Xdotool({"mousemove", "--window", std::to_string(window_), "60", "80", "click", "1"});
    ASSERT_TRUE(WaitFor([&] { return WindowTitle(xvfb_.Display(), window_) == "Quorle*"; },
                        std::chrono::seconds(10)));
    ASSERT_TRUE(
        WaitFor([&] { return std::filesystem::exists(recovery_); }, std::chrono::seconds(45)))
        << "no recovery file after the autosave interval";
    quorle_.reset();  // SIGKILL

    Start();
    // The question comes over the main window; Enter answers its default, Yes.
    ASSERT_TRUE(WaitFor([&] { return Windows().size() == 2; }, std::chrono::seconds(30)));
    Xdotool({"windowfocus", std::to_string(Windows().back())});
    Xdotool({"key", "Return"});
    EXPECT_TRUE(WaitFor([&] { return WindowTitle(xvfb_.Display(), window_) == "Quorle*"; },
                        std::chrono::seconds(10)));
    EXPECT_TRUE(std::filesystem::exists(recovery_));
}

}  // namespace
}  // namespace tovek::test

#pragma once

#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "common/stage_file.h"
#include "common/surface.h"
#include "common/text.h"
#include "game/sdl/client_layout.h"
#include "tests/support/child_process.h"
#include "tests/support/temp_folder.h"
#include "tests/support/xvfb_server.h"

namespace tovek::test {

// A stage drawn as text, one character per cell:
//   . empty   # block   S start   c coin   G goal
EditorStage StageFromRows(const std::vector<std::string>& rows);

// What the window's client area shows: the picture (stretched or not, as the
// layout says) over the window's background, and the two labels.
Surface ExpectedClientArea(const ClientLayout& layout, const Surface& picture,
                           const std::array<std::string, 2>& labels, TextPainter& sans);

Surface Crop(const Surface& surface, const ClientRect& rect);

// What tovek-sim reports for a run: the state lines' status texts and the
// frames it draws.
struct SimRun {
    std::vector<Surface> frames;
    std::set<std::string> status0;
    std::set<std::string> status1;
};

// Tovek started on a private X server in a fresh program folder, driven with
// xdotool and looked at with ImageMagick's import, as a person would use it.
class WindowTest : public ::testing::Test {
  protected:
    WindowTest();
    ~WindowTest() override;

    // Tovek.ini with the title "Tovek" and these further lines.
    void WriteSettings(const std::string& lines = "");
    void WriteStage(int number, const EditorStage& stage);
    void WriteMusicFile();

    // The sound device for the game: SDL's disk writer into audio.raw.
    Environment DiskAudio() const;
    std::filesystem::path AudioFile() const { return folder_.Path() / "audio.raw"; }

    // Starts the game (`program_`) and waits for its window; what it writes on stderr
    // goes to ErrorOutput().
    void StartGame(const Environment& environment);
    std::string ErrorOutput() const;
    // A window manager on the X server (the tests run without one otherwise),
    // for what only a window manager does: fullscreen.
    void StartWindowManager();
    void Focus();
    void Key(const std::string& name);
    void KeyDown(const std::string& name);
    void KeyUp(const std::string& name);
    void ResizeWindow(int width, int height);
    std::string Caption();
    // Asks the window to close; the exit status, or nothing on a timeout.
    std::optional<int> CloseWindow();

    std::optional<Surface> Screenshot();
    // Takes screenshots until one passes the check; false after the timeout.
    // The last screenshot is kept for messages.
    bool WaitForScreen(const std::function<bool(const Surface&)>& check,
                       std::chrono::seconds timeout = std::chrono::seconds(30));
    // Saves the last screenshot and what was expected beside the test binary.
    void SaveForInspection(const std::string& name, const Surface& expected) const;

    // tovek-sim on the same program folder.
    SimRun Simulate(int stage, int ticks, const std::string& keys = "", bool frames = true);

    TextPainter& Sans() { return *sans_; }

    XvfbServer xvfb_;
    TempFolder folder_;
    std::filesystem::path program_ = folder_.Path() / "Tovek";  // a copy in the program folder
    std::unique_ptr<ChildProcess> game_;
    std::unique_ptr<ChildProcess> windowManager_;
    unsigned long window_ = 0;
    Surface lastScreenshot_;
    std::unique_ptr<TextPainter> sans_;
};

}  // namespace tovek::test

#include "tests/window/window_fixture.h"

#include <fstream>
#include <iterator>
#include <map>
#include <thread>

#include "common/coded_stream.h"
#include "common/file_access.h"
#include "common/png_image.h"
#include "common/random_source.h"
#include "common/stage_naming.h"
#include "game/core/colours.h"
#include "game/sdl/status_labels.h"
#include "tests/support/x_window.h"

namespace tovek::test {
namespace {

constexpr auto kPoll = std::chrono::milliseconds(100);

// Every JSON string value of `key` in the lines of tovek-sim's output (the
// status texts hold no quotes or escapes).
std::set<std::string> StringValues(const std::string& lines, const std::string& key) {
    std::set<std::string> values;
    const std::string marker = "\"" + key + "\":";
    for (std::size_t at = lines.find(marker); at != std::string::npos;
         at = lines.find(marker, at + 1)) {
        const std::size_t open = lines.find('"', at + marker.size());
        const std::size_t close = lines.find('"', open + 1);
        if (close == std::string::npos) break;
        values.insert(lines.substr(open + 1, close - open - 1));
    }
    return values;
}

}  // namespace

EditorStage StageFromRows(const std::vector<std::string>& rows) {
    static const std::map<char, MapCell> legend = {{'.', {0, 0, 0, 0}},
                                                   {'#', {1, 0, 0, 0}},
                                                   {'S', {16, 0, 0, 0}},
                                                   {'c', {18, 0, 0, 0}},
                                                   {'G', {17, 0, 0, 0}}};
    EditorStage stage;
    stage.height = static_cast<int>(rows.size());
    stage.width = static_cast<int>(rows.front().size());
    for (const std::string& row : rows) {
        for (const char c : row)
            stage.cells.push_back(legend.at(c));
    }
    return stage;
}

Surface ExpectedClientArea(const ClientLayout& layout, const Surface& picture,
                           const std::array<std::string, 2>& labels, TextPainter& sans) {
    Surface client(layout.clientWidth, layout.clientHeight, kWindowBackColour);
    const ClientRect& area = layout.picture;
    StretchBlt(client, area.x, area.y, area.width, area.height, picture, 0, 0,
               layout.stretched ? picture.Width() : area.width,
               layout.stretched ? picture.Height() : area.height, RasterOp::SrcCopy);
    for (int i = 0; i < 2; ++i)
        DrawStatusLabel(client, layout.labels[i], sans, labels[i], layout.labelPoints);
    return client;
}

Surface Crop(const Surface& surface, const ClientRect& rect) {
    Surface part(rect.width, rect.height);
    BitBlt(part, 0, 0, rect.width, rect.height, surface, rect.x, rect.y, RasterOp::SrcCopy);
    return part;
}

WindowTest::WindowTest() {
    std::string error;
    sans_ = TextPainter::Create(FontFace::Sans, &error);
    std::filesystem::copy_file(TOVEK_PATH, program_);
    std::filesystem::create_directories(folder_.Path() / "data");
    WriteSettings();
}

WindowTest::~WindowTest() {
    if (game_ && game_->Running() && window_ != 0) CloseWindow();
}

void WindowTest::WriteSettings(const std::string& lines) {
    std::ofstream(folder_.Path() / "Tovek.ini") << "[Customize]\nTitle=Tovek\n" << lines;
}

void WindowTest::WriteStage(int number, const EditorStage& stage) {
    RandomSource random(static_cast<std::uint64_t>(number));
    const std::vector<std::uint8_t> bytes = WriteEditorStage(stage, DrawKeyMaterial(random));
    std::ofstream file(StageFilePath(folder_.Path() / "data", number), std::ios::binary);
    file.write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
}

void WindowTest::WriteMusicFile() {
    std::filesystem::copy_file(std::filesystem::path(TOVEK_DIST_FOLDER) / "Tovek.mid",
                               folder_.Path() / "Tovek.mid");
}

Environment WindowTest::DiskAudio() const {
    return {"SDL_AUDIODRIVER=disk", "SDL_DISKAUDIOFILE=" + AudioFile().string()};
}

void WindowTest::StartGame(const Environment& environment) {
    ASSERT_FALSE(xvfb_.Display().empty()) << "Xvfb did not start";
    ASSERT_TRUE(sans_) << "no Japanese sans font";
    Environment changes = environment;
    changes.push_back(xvfb_.DisplayVariable());
    changes.push_back("SDL_VIDEODRIVER=x11");
    changes.push_back("LSAN_OPTIONS=suppressions=" TOVEK_LSAN_SUPPRESSIONS);
    game_ = std::make_unique<ChildProcess>(std::vector<std::string>{program_.string()}, changes,
                                           false, (folder_.Path() / "stderr.txt").string());
    ASSERT_TRUE(game_->Started());
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (window_ == 0 && game_->Running() && std::chrono::steady_clock::now() < end) {
        const CommandResult found =
            RunCommand({"xdotool", "search", "--pid", std::to_string(game_->Pid())},
                       {xvfb_.DisplayVariable()});
        if (found.status == 0 && !found.output.empty()) {
            window_ = std::stoul(found.output);
        } else {
            std::this_thread::sleep_for(kPoll);
        }
    }
    ASSERT_NE(window_, 0u) << "the game's window did not appear";
}

std::string WindowTest::ErrorOutput() const {
    std::ifstream file(folder_.Path() / "stderr.txt");
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

void WindowTest::StartWindowManager() {
    // No shortcuts of its own: its default ones take F11 from the window.
    const std::filesystem::path shortcuts = folder_.Path() / "kbdconfig";
    std::ofstream(shortcuts) << "";
    windowManager_ = std::make_unique<ChildProcess>(
        std::vector<std::string>{"matchbox-window-manager", "-use_titlebar", "no", "-kbdconfig",
                                 shortcuts.string()},
        Environment{xvfb_.DisplayVariable()}, true);
    ASSERT_TRUE(windowManager_->Started());
}

void WindowTest::Focus() {
    RunCommand({"xdotool", "windowfocus", std::to_string(window_)}, {xvfb_.DisplayVariable()});
}

void WindowTest::Key(const std::string& name) {
    RunCommand({"xdotool", "key", name}, {xvfb_.DisplayVariable()});
}

void WindowTest::KeyDown(const std::string& name) {
    RunCommand({"xdotool", "keydown", name}, {xvfb_.DisplayVariable()});
}

void WindowTest::KeyUp(const std::string& name) {
    RunCommand({"xdotool", "keyup", name}, {xvfb_.DisplayVariable()});
}

void WindowTest::ResizeWindow(int width, int height) {
    // At the screen's corner, as a window manager puts a maximised window, so
    // that all of it can be looked at.
    RunCommand({"xdotool", "windowmove", std::to_string(window_), "0", "0"},
               {xvfb_.DisplayVariable()});
    RunCommand({"xdotool", "windowsize", std::to_string(window_), std::to_string(width),
                std::to_string(height)},
               {xvfb_.DisplayVariable()});
}

std::string WindowTest::Caption() {
    return WindowTitle(xvfb_.Display(), window_);
}

std::optional<int> WindowTest::CloseWindow() {
    RequestWindowClose(xvfb_.Display(), window_);
    return game_->WaitForExit(std::chrono::seconds(30));
}

std::optional<Surface> WindowTest::Screenshot() {
    const CommandResult shot = RunCommand({"import", "-window", std::to_string(window_), "png:-"},
                                          {xvfb_.DisplayVariable()});
    if (shot.status != 0) return std::nullopt;
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(shot.output.data());
    return DecodePng({bytes, shot.output.size()});
}

bool WindowTest::WaitForScreen(const std::function<bool(const Surface&)>& check,
                               std::chrono::seconds timeout) {
    const auto end = std::chrono::steady_clock::now() + timeout;
    while (std::chrono::steady_clock::now() < end) {
        if (std::optional<Surface> shot = Screenshot()) {
            lastScreenshot_ = std::move(*shot);
            if (check(lastScreenshot_)) return true;
        }
        if (!game_->Running()) return false;
        std::this_thread::sleep_for(kPoll);
    }
    return false;
}

void WindowTest::SaveForInspection(const std::string& name, const Surface& expected) const {
    const std::filesystem::path folder = "window-test-failures";
    std::filesystem::create_directories(folder);
    WritePng(folder / (name + "-shown.png"), lastScreenshot_);
    WritePng(folder / (name + "-expected.png"), expected);
}

SimRun WindowTest::Simulate(int stage, int ticks, const std::string& keys, bool frames) {
    const std::filesystem::path keysFile = folder_.Path() / "keys.txt";
    std::ofstream(keysFile) << keys;
    const std::filesystem::path framesFolder = folder_.Path() / "frames";
    std::filesystem::remove_all(framesFolder);
    std::vector<std::string> command = {
        TOVEK_SIM_PATH,        "--dir",   folder_.Path().string(), "--stage",
        std::to_string(stage), "--ticks", std::to_string(ticks),   "--keys",
        keysFile.string()};
    if (frames) {
        command.push_back("--frames");
        command.push_back(framesFolder.string());
    }
    const CommandResult result = RunCommand(command);
    SimRun run;
    run.status0 = StringValues(result.output, "status0");
    run.status1 = StringValues(result.output, "status1");
    for (int tick = 0; frames && tick <= ticks; ++tick) {
        char name[32];
        std::snprintf(name, sizeof name, "%06d.png", tick);
        if (std::optional<std::vector<std::uint8_t>> bytes = ReadFileBytes(framesFolder / name)) {
            if (std::optional<Surface> frame = DecodePng(*bytes)) run.frames.push_back(*frame);
        }
    }
    return run;
}

}  // namespace tovek::test

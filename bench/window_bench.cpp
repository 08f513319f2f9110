// The window program under a private X server (Xvfb), sound on SDL's disk
// device at real-time pace:
//  - StartUpToStageSelect:  from nothing to the first stage-select frame on the
//                           screen (video, both fonts, sheets, sound device,
//                           the load handler, the window); also reported: the
//                           time until a stage plays with its music (which
//                           waits for FluidSynth's soundfont).
//  - TickIntervalAt40ms:    ten seconds of play at 40 ms per tick, Right held
//                           and the music playing: how far the intervals
//                           between ticks stray from 40 ms, each tick's
//                           lateness against the grid, the drift of the last
//                           tick against the first, and the ticks dropped.
//  - ResidentMemoryWithMusic: the Tovek program itself playing a stage with
//                           its music: resident and peak memory.
//  - FramePresentation1080p: one frame of play put on the screen in a client
//                           area of 1920 x 1080, in each scaling (goal: under
//                           2 ms a frame).
//  - CpuShareFullscreen:    the Tovek program playing in desktop fullscreen on
//                           a 1920 x 1080 screen at 40 ms a tick, Right held:
//                           its share of one core (goal: under 10 %).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <functional>
#include <iterator>
#include <sstream>
#include <thread>

#include "common/coded_stream.h"
#include "common/random_source.h"
#include "common/stage_file.h"
#include "common/stage_naming.h"
#include "game/core/keyboard.h"
#include "game/core/startup.h"
#include "game/sdl/tovek_program.h"
#include "tests/support/child_process.h"
#include "tests/support/temp_folder.h"
#include "tests/support/xvfb_server.h"

namespace tovek {
namespace {

using Clock = std::chrono::steady_clock;

double Milliseconds(Clock::duration duration) {
    return std::chrono::duration<double, std::milli>(duration).count();
}

// A long floor with the start at its left end, so the player can run.
EditorStage LongRunway() {
    constexpr int kWidth = 100;
    constexpr int kHeight = 8;
    EditorStage stage{5, kWidth, kHeight, std::vector<MapCell>(kWidth * kHeight)};
    for (int column = 0; column < kWidth; ++column) {
        stage.cells[column + 7 * kWidth].mainTile = 1;
        if (column % 3 == 0) stage.cells[column + 4 * kWidth].mainTile = 18;
    }
    stage.cells[1 + 6 * kWidth].mainTile = 16;
    return stage;
}

// A program folder with 40 ms ticks, the music and stage 1, and perhaps
// further settings.
class ProgramFolder {
  public:
    explicit ProgramFolder(const std::string& settings = "") {
        std::ofstream(Path() / "Tovek.ini") << "[Customize]\nTitle=Tovek\nTSpeed=2\n" << settings;
        std::filesystem::copy_file(std::filesystem::path(TOVEK_DIST_FOLDER) / "Tovek.mid",
                                   Path() / "Tovek.mid");
        std::filesystem::create_directories(Path() / "data");
        RandomSource random(1);
        const std::vector<std::uint8_t> bytes =
            WriteEditorStage(LongRunway(), DrawKeyMaterial(random));
        std::ofstream(StageFilePath(Path() / "data", 1), std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
    }
    const std::filesystem::path& Path() const { return folder_.Path(); }

  private:
    test::TempFolder folder_;
};

// The X server and the sound device every benchmark here uses.
struct Setting {
    Setting() {
        setenv("DISPLAY", xvfb.Display().c_str(), 1);
        setenv("SDL_VIDEODRIVER", "x11", 1);
        setenv("SDL_AUDIODRIVER", "disk", 1);
        setenv("SDL_DISKAUDIOFILE", (folder.Path() / "audio.raw").c_str(), 1);
    }
    test::XvfbServer xvfb;
    ProgramFolder folder;
};

Setting& SharedSetting() {
    static Setting setting;
    return setting;
}

// Runs the program's loop until `done` holds, or at most `limit`.
class LoopUntil : public LoopHandler {
  public:
    LoopUntil(TovekProgram& program, std::function<bool()> done, Clock::duration limit)
        : program_(program), done_(std::move(done)), end_(Clock::now() + limit) {}
    void HandleEvent(const SDL_Event& event) override { program_.HandleEvent(event); }
    void Tick() override {
        ticks.push_back(Clock::now());
        program_.Tick();
    }
    bool Running() const override { return program_.Running() && !done_() && Clock::now() < end_; }

    std::vector<Clock::time_point> ticks;

  private:
    TovekProgram& program_;
    std::function<bool()> done_;
    Clock::time_point end_;
};

// Starts the program and runs its loop until the first focus has drawn the
// stage-select screen; nothing (and the benchmark skipped) on failure.
std::unique_ptr<TovekProgram> StartOnStageSelect(benchmark::State& state) {
    Setting& setting = SharedSetting();
    if (setting.xvfb.Display().empty()) {
        state.SkipWithError("Xvfb did not start");
        return nullptr;
    }
    std::string error;
    std::unique_ptr<TovekProgram> program = TovekProgram::Start(setting.folder.Path(), &error);
    if (!program) {
        state.SkipWithError(error.c_str());
        return nullptr;
    }
    Game& game = program->GameState();
    LoopUntil untilShown(
        *program, [&game] { return game.stageSelectShown; }, std::chrono::seconds(10));
    RunTickLoop(untilShown, program->TickInterval());
    if (!game.stageSelectShown) {
        state.SkipWithError("the window never got the focus");
        return nullptr;
    }
    return program;
}

void StartUpToStageSelect(benchmark::State& state) {
    std::vector<double> startUps;
    std::vector<double> untilMusic;
    for (auto _ : state) {
        const Clock::time_point start = Clock::now();
        std::unique_ptr<TovekProgram> program = StartOnStageSelect(state);
        if (!program) return;
        const Clock::time_point shown = Clock::now();
        Game& game = program->GameState();
        Form_KeyDown(game, kKeySpace);  // plays stage 1 and starts the music
        const Clock::time_point playing = Clock::now();
        state.SetIterationTime(std::chrono::duration<double>(shown - start).count());
        startUps.push_back(Milliseconds(shown - start));
        untilMusic.push_back(Milliseconds(playing - start));
        if (game.services.music->StatusMode() != "playing") {
            state.SkipWithError("the music does not play");
            return;
        }
        state.PauseTiming();
        program.reset();
        state.ResumeTiming();
    }
    state.counters["first_ms"] = startUps.front();
    state.counters["max_ms"] = *std::max_element(startUps.begin(), startUps.end());
    state.counters["until_music_first_ms"] = untilMusic.front();
    state.counters["until_music_max_ms"] = *std::max_element(untilMusic.begin(), untilMusic.end());
}
BENCHMARK(StartUpToStageSelect)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);

double Percentile(std::vector<double> values, double fraction) {
    std::sort(values.begin(), values.end());
    const auto index = static_cast<std::size_t>(fraction * static_cast<double>(values.size() - 1));
    return values[index];
}

void TickIntervalAt40ms(benchmark::State& state) {
    for (auto _ : state) {
        std::unique_ptr<TovekProgram> program = StartOnStageSelect(state);
        if (!program) return;
        Game& game = program->GameState();
        Form_KeyDown(game, kKeySpace);
        Form_KeyDown(game, kKeyRight);
        LoopUntil tenSeconds(
            *program, [] { return false; }, std::chrono::seconds(10));
        RunTickLoop(tenSeconds, program->TickInterval());

        const std::vector<Clock::time_point>& ticks = tenSeconds.ticks;
        const double interval = static_cast<double>(program->TickInterval().count());
        // Each tick's grid point follows from the gap to the one before (a gap
        // of about two intervals means one dropped tick); its lateness is
        // measured against the grid through the earliest tick.
        std::vector<double> intervalErrors;
        std::vector<double> lateness = {0};
        std::int64_t gridIndex = 0;
        std::int64_t dropped = 0;
        for (std::size_t k = 1; k < ticks.size(); ++k) {
            const double gap = Milliseconds(ticks[k] - ticks[k - 1]);
            const auto slots = std::max<std::int64_t>(1, std::llround(gap / interval));
            dropped += slots - 1;
            gridIndex += slots;
            if (slots == 1) intervalErrors.push_back(std::abs(gap - interval));
            lateness.push_back(Milliseconds(ticks[k] - ticks[0]) -
                               static_cast<double>(gridIndex) * interval);
        }
        const double earliest = *std::min_element(lateness.begin(), lateness.end());
        for (double& late : lateness)
            late -= earliest;
        state.counters["ticks"] = static_cast<double>(ticks.size());
        state.counters["dropped"] = static_cast<double>(dropped);
        state.counters["interval_p50_ms"] = Percentile(intervalErrors, 0.5);
        state.counters["interval_p99_ms"] = Percentile(intervalErrors, 0.99);
        state.counters["late_p99_ms"] = Percentile(lateness, 0.99);
        state.counters["late_max_ms"] = Percentile(lateness, 1.0);
        // Lateness of the last tick against the first: grows with any drift.
        state.counters["drift_ms"] = lateness.back() - lateness.front();
        state.counters["music_playing"] = game.services.music->StatusMode() == "playing";
    }
}
BENCHMARK(TickIntervalAt40ms)->Unit(benchmark::kSecond)->Iterations(1);

// A field of /proc/PID/status in megabytes.
double StatusMegabytes(int pid, const std::string& field) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind(field + ":", 0) == 0) return std::stod(line.substr(field.size() + 1)) / 1024;
    }
    return 0;
}

// Whether a file of 16-bit samples holds an audible one.
bool Audible(const std::filesystem::path& file) {
    std::ifstream stream(file, std::ios::binary);
    const std::vector<char> bytes((std::istreambuf_iterator<char>(stream)),
                                  std::istreambuf_iterator<char>());
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        const auto sample = static_cast<std::int16_t>(static_cast<std::uint8_t>(bytes[i]) |
                                                      static_cast<std::uint8_t>(bytes[i + 1]) << 8);
        if (sample > 256 || sample < -256) return true;
    }
    return false;
}

void ResidentMemoryWithMusic(benchmark::State& state) {
    Setting& setting = SharedSetting();
    const test::Environment onDisplay = {"DISPLAY=" + setting.xvfb.Display()};
    for (auto _ : state) {
        test::TempFolder folder;
        for (const auto& entry : std::filesystem::directory_iterator(setting.folder.Path())) {
            if (entry.path().filename() != "audio.raw") {
                std::filesystem::copy(entry.path(), folder.Path() / entry.path().filename(),
                                      std::filesystem::copy_options::recursive);
            }
        }
        std::filesystem::copy_file(TOVEK_PATH, folder.Path() / "Tovek");
        const std::filesystem::path audio = folder.Path() / "audio.raw";
        test::ChildProcess tovek({(folder.Path() / "Tovek").string()},
                                 {"SDL_DISKAUDIOFILE=" + audio.string()}, true);
        std::string window;
        for (int attempt = 0; attempt < 100 && window.empty(); ++attempt) {
            window = test::RunCommand({"xdotool", "search", "--pid", std::to_string(tovek.Pid())},
                                      onDisplay)
                         .output;
            if (window.empty()) std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
        if (window.empty()) {
            state.SkipWithError("the game's window did not appear");
            return;
        }
        window.erase(window.find('\n'));
        test::RunCommand({"xdotool", "windowfocus", window}, onDisplay);
        test::RunCommand({"xdotool", "key", "space"}, onDisplay);
        std::this_thread::sleep_for(std::chrono::seconds(5));  // the music plays meanwhile
        state.counters["rss_mb"] = StatusMegabytes(tovek.Pid(), "VmRSS");
        state.counters["peak_mb"] = StatusMegabytes(tovek.Pid(), "VmHWM");
        state.counters["music_audible"] = Audible(audio);
    }
}
BENCHMARK(ResidentMemoryWithMusic)->Unit(benchmark::kSecond)->Iterations(1);

constexpr const char* kScalingNames[] = {"stretch", "fit", "integer"};

void FramePresentation1080p(benchmark::State& state) {
    Setting& setting = SharedSetting();
    if (setting.xvfb.Display().empty()) {
        state.SkipWithError("Xvfb did not start");
        return;
    }
    const ProgramFolder folder(std::string("Scaling=") + kScalingNames[state.range(0)] + "\n");
    std::string error;
    std::unique_ptr<TovekProgram> program = TovekProgram::Start(folder.Path(), &error);
    if (!program) {
        state.SkipWithError(error.c_str());
        return;
    }
    // Larger than the server's screen is no matter: the window's own surface
    // is as large as the window.
    const std::string window =
        test::RunCommand({"xdotool", "search", "--pid", std::to_string(getpid())}).output;
    test::RunCommand({"xdotool", "windowsize", window.substr(0, window.find('\n')), "1920", "1080"});
    Game& game = program->GameState();
    LoopUntil resized(
        *program, [&] { return program->Window().Layout().clientWidth == 1920; },
        std::chrono::seconds(10));
    RunTickLoop(resized, program->TickInterval());
    if (program->Window().Layout().clientHeight != 1080) {
        state.SkipWithError("the window did not take 1920 x 1080");
        return;
    }
    picMain_GotFocus(game);
    Form_KeyDown(game, kKeySpace);
    Form_KeyDown(game, kKeyRight);
    for (int tick = 0; tick < 20; ++tick)
        program->Tick();
    for (auto _ : state) {
        game.services.presenter->PresentFrame(game.picMain);
    }
    const ClientRect& picture = program->Window().Layout().picture;
    state.counters["picture_w"] = picture.width;
    state.counters["picture_h"] = picture.height;
    state.SetLabel(kScalingNames[state.range(0)]);
}
BENCHMARK(FramePresentation1080p)->DenseRange(0, 2)->Unit(benchmark::kMillisecond)->MinTime(2);

// User and system time of a process so far, in seconds (/proc/PID/stat).
double CpuSeconds(int pid) {
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
    // The fields after the command's closing bracket: utime and stime are the
    // 12th and 13th of them.
    std::istringstream fields(text.substr(text.rfind(')') + 2));
    std::string field;
    double ticks = 0;
    for (int index = 1; index <= 13 && fields >> field; ++index) {
        if (index >= 12) ticks += std::stod(field);
    }
    return ticks / static_cast<double>(sysconf(_SC_CLK_TCK));
}

void CpuShareFullscreen(benchmark::State& state) {
    test::XvfbServer xvfb("1920x1080x24");
    if (xvfb.Display().empty()) {
        state.SkipWithError("Xvfb did not start");
        return;
    }
    const test::Environment onDisplay = {xvfb.DisplayVariable()};
    const ProgramFolder folder;
    std::filesystem::copy_file(TOVEK_PATH, folder.Path() / "Tovek");
    std::ofstream(folder.Path() / "kbdconfig") << "";  // F11 stays the game's
    test::ChildProcess windowManager(
        {"matchbox-window-manager", "-use_titlebar", "no", "-kbdconfig",
         (folder.Path() / "kbdconfig").string()},
        onDisplay, true);
    for (auto _ : state) {
        test::ChildProcess tovek({(folder.Path() / "Tovek").string()},
                                 {xvfb.DisplayVariable(), "SDL_AUDIODRIVER=dummy"}, true);
        std::string window;
        for (int attempt = 0; attempt < 100 && window.empty(); ++attempt) {
            window = test::RunCommand({"xdotool", "search", "--pid", std::to_string(tovek.Pid())},
                                      onDisplay)
                         .output;
            if (window.empty()) std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
        if (window.empty()) {
            state.SkipWithError("the game's window did not appear");
            return;
        }
        window.erase(window.find('\n'));
        test::RunCommand({"xdotool", "windowfocus", window}, onDisplay);
        test::RunCommand({"xdotool", "key", "space", "F11"}, onDisplay);
        test::RunCommand({"xdotool", "keydown", "Right"}, onDisplay);
        std::this_thread::sleep_for(std::chrono::seconds(2));
        const double before = CpuSeconds(tovek.Pid());
        constexpr double kSeconds = 10;
        std::this_thread::sleep_for(std::chrono::duration<double>(kSeconds));
        const double used = CpuSeconds(tovek.Pid()) - before;
        test::RunCommand({"xdotool", "keyup", "Right"}, onDisplay);
        const std::string geometry =
            test::RunCommand({"xdotool", "getwindowgeometry", window}, onDisplay).output;
        state.counters["cpu_percent"] = 100 * used / kSeconds;
        state.counters["fullscreen"] = geometry.find("1920x1080") != std::string::npos;
    }
}
BENCHMARK(CpuShareFullscreen)->Unit(benchmark::kSecond)->Iterations(1);

}  // namespace
}  // namespace tovek

BENCHMARK_MAIN();

#include "game/sim/simulation.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <memory>

#include "common/png_image.h"
#include "common/sheets.h"
#include "common/text.h"
#include "game/core/game.h"
#include "game/core/keyboard.h"
#include "game/core/main_tick.h"
#include "game/core/record_store.h"
#include "game/core/reporting_record_store.h"
#include "game/core/startup.h"
#include "game/sim/sim_services.h"
#include "game/sim/state_line.h"

namespace tovek {

std::size_t DeliverKeyEvents(Game& game, const std::vector<KeyEvent>& keys, std::size_t next,
                             std::int64_t tick) {
    for (; next < keys.size() && keys[next].tick == tick; ++next) {
        if (keys[next].down) {
            Form_KeyDown(game, keys[next].keyCode);
        } else {
            Form_KeyUp(game, keys[next].keyCode);
        }
    }
    return next;
}

namespace {

std::string FrameName(std::int64_t tick) {
    char name[32];
    std::snprintf(name, sizeof name, "%06lld.png", static_cast<long long>(tick));
    return name;
}

}  // namespace

std::string WriteFailure(const std::string& what, int systemError) {
    std::string message = "cannot write " + what;
    if (systemError != 0) message += ": " + std::generic_category().message(systemError);
    return message;
}

int RunSimulation(const SimOptions& options, std::vector<KeyEvent> keys, std::ostream& out,
                  std::ostream& warnings, std::string& error) {
    // Each tick's events go in file order.
    std::stable_sort(keys.begin(), keys.end(),
                     [](const KeyEvent& a, const KeyEvent& b) { return a.tick < b.tick; });
    SimulatedClock clock(options.seed);
    RecordingSound sound;
    ModelledMusicDevice music;
    RecordFile recordFile;
    ReportingRecordStore records(recordFile, warnings, "tovek-sim");

    Game game;
    game.programFolder = options.dir;
    game.services = {&clock, &sound, &music, nullptr, &records};

    std::unique_ptr<TextPainter> text;
    if (options.framesDir) {
        std::error_code ec;
        std::filesystem::create_directories(*options.framesDir, ec);
        if (!std::filesystem::is_directory(*options.framesDir)) {
            error = "cannot create the frames folder " + options.framesDir->string();
            return 2;
        }
    }
    if (options.drawFrames) {
        text = TextPainter::Create(FontFace::Serif, &error);
        if (!text) return 1;
        game.drawPixels = true;
        game.sheets = LoadPictureSheets();
        game.text = text.get();
    }

    const auto report = [&](std::int64_t tick) {
        const StepReport step{sound.TakeLastStarted(), music.TakeWords()};
        errno = 0;
        if (!(out << StateLine(game, tick, step, options.map && tick == 0) << '\n')) {
            error = WriteFailure("the state lines", errno);
            return false;
        }
        if (!options.framesDir) return true;
        const std::filesystem::path frame = *options.framesDir / FrameName(tick);
        if (const std::error_code failure = WritePng(frame, game.picMain)) {
            error = "cannot write " + frame.string() + ": " + failure.message();
            return false;
        }
        return true;
    };

    Form_Load(game);
    picMain_GotFocus(game);
    game.stageNumber = static_cast<std::int16_t>(options.stage);
    Form_KeyDown(game, kKeySpace);
    if (!report(0)) return 1;

    std::size_t next = 0;
    for (std::int64_t tick = 1; tick <= options.ticks; ++tick) {
        next = DeliverKeyEvents(game, keys, next, tick);
        clock.SetTime(tick, game.tickInterval);
        tmrMain_Timer(game);
        if (tick % options.every == 0 || tick == options.ticks) {
            if (!report(tick)) return 1;
        }
    }
    return 0;
}

}  // namespace tovek

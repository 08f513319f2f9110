#include "game/solver/stage_run.h"

#include "common/file_access.h"
#include "common/stage_naming.h"
#include "game/core/keyboard.h"
#include "game/core/main_tick.h"
#include "game/core/stage_loading.h"
#include "game/core/startup.h"
#include "game/sim/simulation.h"

namespace tovek {
namespace {

int HorizontalKey(std::uint8_t held) {
    return held == 1 ? kKeyLeft : kKeyRight;
}
int VerticalKey(std::uint8_t held) {
    return held == 1 ? kKeyUp : kKeyDown;
}

// Calls deliver(down, keyCode) for each change, in the order a player's
// hands make them.
template <typename Deliver>
void VisitKeyChanges(HeldKeys from, HeldKeys to, Deliver deliver) {
    const auto axis = [&](std::uint8_t was, std::uint8_t now, int (*key)(std::uint8_t)) {
        if (was == now) return;
        if (was != 0) deliver(false, key(was));
        if (now != 0) deliver(true, key(now));
    };
    axis(from.horizontal, to.horizontal, HorizontalKey);
    axis(from.vertical, to.vertical, VerticalKey);
}

}  // namespace

void AppendKeyChanges(HeldKeys from, HeldKeys to, std::int64_t tick, std::vector<KeyEvent>& out) {
    VisitKeyChanges(from, to, [&](bool down, int key) { out.push_back({tick, down, key}); });
}

std::unique_ptr<StageRun> StageRun::Start(const SolverSetup& setup, std::string* error) {
    std::unique_ptr<StageRun> run(new StageRun());
    run->clock_ = SimulatedClock(setup.seed);
    Game& game = run->game_;
    game.programFolder = setup.programFolder;
    game.services = {&run->clock_, &run->sound_, &run->music_, nullptr, &run->records_};
    Form_Load(game);
    if (setup.character) {
        game.character = static_cast<std::int16_t>(*setup.character);
        SetCharacterParameters(game);
    }
    picMain_GotFocus(game);
    game.stageNumber = static_cast<std::int16_t>(setup.stage);
    if (setup.stageInMemory) {
        StartStage(game, setup.stage, *setup.stageInMemory);
    } else {
        const auto path = StageFilePath(game.stageFolder, setup.stage);
        if (!FileExists(path)) {
            if (error != nullptr) *error = "stage file not found: " + path.string();
            return nullptr;
        }
        Form_KeyDown(game, kKeySpace);
    }
    run->PlayLeadIn(setup.leadIn);
    if (!game.inPlay || game.stageCleared) {
        if (error != nullptr) {
            *error = "stage " + std::to_string(game.stageNumber) + " cannot be played";
        }
        return nullptr;
    }
    return run;
}

void StageRun::PlayLeadIn(const std::vector<KeyEvent>& events) {
    if (events.empty()) return;
    const std::int64_t lastTick = events.back().tick;
    std::size_t next = 0;
    for (std::int64_t tick = 1; tick <= lastTick; ++tick) {
        next = DeliverKeyEvents(game_, events, next, tick);
        if (tick == lastTick) break;
        clock_.SetTime(tick, game_.tickInterval);
        tmrMain_Timer(game_);
    }
    ticksBefore_ = lastTick - 1;
}

void StageRun::Step(std::int64_t tick, HeldKeys from, HeldKeys to) {
    VisitKeyChanges(from, to, [&](bool down, int key) {
        if (down) {
            Form_KeyDown(game_, key);
        } else {
            Form_KeyUp(game_, key);
        }
    });
    clock_.SetTime(ticksBefore_ + tick, game_.tickInterval);
    tmrMain_Timer(game_);
}

}  // namespace tovek

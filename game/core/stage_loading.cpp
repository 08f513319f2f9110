#include "game/core/stage_loading.h"

#include <optional>
#include <string>

#include "common/cell_group.h"
#include "common/file_access.h"
#include "common/stage_file.h"
#include "common/stage_naming.h"
#include "game/core/frame_renderer.h"
#include "game/core/game.h"
#include "game/core/patrol_range.h"
#include "game/core/sound_music.h"
#include "game/core/stage_select.h"

namespace tovek {
namespace {

std::optional<GameStage> ReadStage(const Game& game, int number) {
    const auto bytes = ReadFileBytes(StageFilePath(game.stageFolder, number), kMaxStageFileBytes);
    if (!bytes) return std::nullopt;
    return ReadGameStage(*bytes, game.mirrorHorizontal, game.mirrorVertical);
}

// The lift made by a spawn code, or none for a code that is not a lift.
std::optional<Lift> LiftFromCode(int code, int column, int row) {
    Lift lift;
    lift.x = static_cast<std::int16_t>(kCellSize * column);
    const auto top = static_cast<std::int16_t>(kCellSize * row);
    if (code >= kFirstLiftCode && code <= kLastFastLiftCode) {
        lift.type = static_cast<std::uint8_t>((code - kFirstLiftCode) % 4);
        lift.param = code >= kFirstFastLiftCode ? 1 : 0;
        lift.y = lift.type <= kLiftRight ? static_cast<std::int16_t>(top + 2) : top;
        return lift;
    }
    if (code == kDropLiftCode) {
        lift.type = kDropLift;
        lift.y = static_cast<std::int16_t>(top + 2);
        lift.param = lift.y;
        return lift;
    }
    return std::nullopt;
}

}  // namespace

void LoadStage(Game& game, int number) {
    const std::optional<GameStage> stage = ReadStage(game, number);
    if (!stage) {
        game.lblMain[0] = "データ" + std::to_string(number) + "にはデータがありません。";
        DrawStageSelect(game);
        return;
    }
    StartStage(game, number, *stage);
}

void StartStage(Game& game, int number, const GameStage& stage) {
    game.lblMain[0] = "ステージ" + std::to_string(number);
    game.inPlay = true;

    game.stageBackground = stage.background;
    game.mapWidth = stage.mapWidth;
    game.mapHeight = stage.mapHeight;
    game.tileMap = stage.tileMap;
    game.waterMap = stage.waterMap;
    if (stage.start) {
        game.playerX = static_cast<std::int16_t>(stage.start->column * kCellSize);
        game.playerY = static_cast<std::int16_t>(stage.start->row * kCellSize);
        game.playerFacing = game.mirrorHorizontal ? 0 : 1;
        game.startX = game.playerX;
        game.startY = game.playerY;
    }
    BuildWorld(game, stage.spawnLift, stage.spawnActor);

    game.speedLimit = game.constants.speedLimitNormal;
    game.arcFactor = game.constants.arcNormal;
    game.elapsedSeconds = 0;
    game.actorsAtStart = game.actors;
    game.liftsAtStart = game.lifts;

    if (game.soundOn) MusicCommand(game, "play");
    DrawFrame(game);
}

void BuildWorld(Game& game, const std::vector<std::uint8_t>& spawnLift,
                const std::vector<std::uint8_t>& spawnActor) {
    for (int row = 0; row < game.mapHeight; ++row) {
        for (int column = 0; column < game.mapWidth; ++column) {
            const std::size_t cell = static_cast<std::size_t>(column + row * game.mapWidth);
            if (spawnLift[cell] != 0) {
                if (auto lift = LiftFromCode(spawnLift[cell], column, row)) {
                    game.lifts.push_back(*lift);
                }
            }
            if (spawnActor[cell] != 0) AddActor(game, column, row, spawnActor[cell]);
        }
    }
}

void AddActor(Game& game, int column, int row, int code) {
    Actor actor;
    actor.x = static_cast<std::int16_t>(kCellSize * column);
    actor.y = static_cast<std::int16_t>(kCellSize * row);
    if (code >= kActorCodeRight) {
        actor.dir = 1;
        code -= kActorCodeRight - kActorCodeLeft;
    }
    int kind = code - kActorCodeLeft;
    const bool hidden = kind == 14;
    if (hidden) {
        kind = game.random.Below(10);
        actor.extra = -1;
    }
    actor.kind = static_cast<std::uint8_t>(kind);

    SetPatrolRange(game, actor, column, row);

    switch (kind) {
        case 5:
        case 6:
        case 7:
            actor.home = static_cast<std::int16_t>(actor.y - 64);
            actor.vy = -8;
            break;
        case 8:
            actor.home = actor.y;
            actor.vy = 0;
            break;
        case 9:
            actor.lo = 10;
            actor.home = actor.x;
            break;
        case 15:
            actor.extra = static_cast<std::int16_t>(actor.hi - actor.lo);
            break;
        default:
            break;
    }
    if (hidden) {
        actor.extra = static_cast<std::int16_t>(kind);
        actor.kind = 14;
    }
    game.actors.push_back(actor);
}

}  // namespace tovek

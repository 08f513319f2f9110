#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "common/high_score_file.h"
#include "common/random_source.h"
#include "common/sheets.h"
#include "common/stage_limits.h"
#include "common/surface.h"
#include "common/text.h"
#include "game/core/character_constants.h"
#include "game/core/platform.h"
#include "game/core/world_objects.h"

namespace tovek {

// Every value that ResetPlayState wipes: resetting play is one assignment.
struct PlayState {
    bool inPlay = false;
    bool gameOver = false;
    bool stageCleared = false;
    std::int32_t score = 0;
    std::int16_t misses = 0;
    std::int16_t elapsedSeconds = 0;
    std::int16_t musicPollCounter = 0;
    std::int16_t chainCount = 0;

    std::int16_t playerX = 0;
    std::int16_t playerY = 0;
    std::int16_t previousX = 0;
    std::int16_t previousY = 0;
    std::int16_t playerSpeedX = 0;
    std::int16_t playerSpeedY = 0;
    std::uint8_t playerFacing = 0;
    std::uint8_t playerStep = 0;
    bool airborne = false;
    bool dying = false;
    std::int16_t graceTicks = 0;
    std::int16_t warpTicks = 0;
    std::int16_t stepShiftY = 0;
    bool jumpStarted = false;
    bool inWater = false;
    std::int16_t heldHorizontal = 0;  // 0 none, 1 left, 2 right
    std::int16_t heldVertical = 0;    // 0 none, 1 up, 2 down

    bool powerUpF = false;
    bool powerUpH = false;
    bool powerUpB = false;
    bool powerUpL = false;
    bool powerUpK = false;
    bool powerUpO = false;
    bool springJump = false;
    std::int16_t hoverTicks = 0;
    bool bumpProbe = false;
    std::int16_t warpCellX = 0;
    std::int16_t warpCellY = 0;

    std::vector<std::uint8_t> tileMap;   // index column + row * mapWidth
    std::vector<std::uint8_t> waterMap;  // 25 for water cells
    std::vector<Lift> lifts;
    std::vector<Actor> actors;
};

// The settings of Tovek.ini, read once per run.
struct GameSettings {
    std::string gameTitle;
    std::filesystem::path stageFolder;  // inside the program folder
    std::int16_t character = 0;
    bool noContinue = false;
    int tickInterval = 80;  // milliseconds
    bool mirrorHorizontal = false;
    bool mirrorVertical = false;
};

// Values of the loaded stage that outlive a reset of play.
struct StageState {
    std::int16_t mapWidth = 0;
    std::int16_t mapHeight = 0;
    std::int16_t stageBackground = 0;
    std::int16_t startX = 0;
    std::int16_t startY = 0;
    std::int16_t deathY = 0;
    std::int16_t speedLimit = 0;
    float arcFactor = 0.0f;
    std::vector<Lift> liftsAtStart;
    std::vector<Actor> actorsAtStart;
};

// What keys and ticks change besides play and the stage: the random source,
// the clock reading, the records, the stage chosen and the window's texts.
struct SessionState {
    RandomSource random{0};
    bool soundOn = false;
    std::int16_t stageNumber = 0;
    HighScoreTable highScores{};
    bool soundStartedThisTick = false;
    std::int16_t lastSecondsField = 0;  // remembered by CountSeconds
    bool stageSelectShown = false;      // the first focus has drawn it

    // What the window shows besides the picture.
    std::array<std::string, 2> lblMain;
    std::string caption;
};

// Everything a key or a tick can change: restoring it puts the game back
// exactly where it was, ready for the same keys to give the same run.
struct GameSnapshot {
    PlayState play;
    StageState stage;
    SessionState session;
};

// The whole game: one object, no globals. The front-end (window or tovek-sim)
// sets programFolder, services and the drawing resources, then calls Form_Load.
// What never changes after start-up (settings, constants, sounds, sheets) is
// kept apart from the snapshot, so that copying a game in play stays cheap.
struct Game : PlayState, StageState, SessionState, GameSettings {
    Game();
    ~Game();
    Game(Game&&) = default;
    Game& operator=(Game&&) = default;

    std::filesystem::path programFolder;
    GameServices services;

    bool musicFilePresent = false;
    CharacterConstants constants{};
    std::array<std::vector<std::uint8_t>, 4> soundBuffers;

    // Pixels. Without drawPixels nothing is painted, but objects in view still
    // wake exactly as when drawing.
    bool drawPixels = false;
    Surface picMain;
    std::optional<PictureSheets> sheets;
    TextPainter* text = nullptr;

    // Copies into `snapshot`, reusing its storage.
    void TakeSnapshot(GameSnapshot& snapshot) const;
    void Restore(const GameSnapshot& snapshot);

    int liftCount() const { return static_cast<int>(lifts.size()); }
    int actorCount() const { return static_cast<int>(actors.size()); }
    std::uint8_t& TileAt(int column, int row) { return tileMap[column + row * mapWidth]; }
    std::uint8_t WaterAt(int column, int row) const { return waterMap[column + row * mapWidth]; }
};

}  // namespace tovek

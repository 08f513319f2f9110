#include "tests/soak/state_checks.h"

#include <algorithm>
#include <array>
#include <string_view>
#include <variant>

#include "tools/json_reader.h"

namespace tovek::soak {
namespace {

constexpr std::array<std::string_view, 33> kKeys = {
    "tick",       "inPlay",       "gameOver",     "stageCleared", "stageNumber",    "playerX",
    "playerY",    "playerSpeedX", "playerSpeedY", "playerFacing", "playerStep",     "airborne",
    "dying",      "deathY",       "graceTicks",   "warpTicks",    "inWater",        "springJump",
    "hoverTicks", "score",        "misses",       "chainCount",   "elapsedSeconds", "startX",
    "startY",     "powerUps",     "status0",      "status1",      "caption",        "sound",
    "music",      "lifts",        "actors"};

constexpr std::int64_t kMargin = 1024;
constexpr int kSpawnerKind = 15;

std::int64_t Integer(const JsonValue& value) {
    return value.integer.value_or(0);
}

}  // namespace

std::optional<std::string> StateChecker::Check(const std::string& line) {
    const std::int64_t tick = lines_++;
    const std::string where = "tick " + std::to_string(tick) + ": ";
    const auto parsed = ParseJson(line);
    if (const auto* error = std::get_if<JsonError>(&parsed)) {
        return where + "not JSON: " + error->message;
    }
    const JsonValue& state = std::get<JsonValue>(parsed);
    if (state.kind != JsonValue::Kind::Object || state.members.size() != kKeys.size() ||
        !std::equal(kKeys.begin(), kKeys.end(), state.members.begin(),
                    [](std::string_view key, const JsonMember& m) { return m.key == key; })) {
        return where + "keys not in the contract's order";
    }
    const auto field = [&](std::size_t index) -> const JsonValue& {
        return state.members[index].value;
    };
    if (Integer(field(0)) != tick) return where + "tick field " + field(0).text;

    const std::int64_t right = std::int64_t{mapWidth_} * 32 + kMargin;
    const std::int64_t bottom = std::int64_t{mapHeight_} * 32 + kMargin;
    const auto within = [&](std::int64_t x, std::int64_t y) {
        return x >= -kMargin && x <= right && y >= -kMargin && y <= bottom;
    };
    if (!within(Integer(field(5)), Integer(field(6)))) return where + "player outside the map";
    const std::int64_t score = Integer(field(19));
    const std::int64_t misses = Integer(field(20));
    if (score < -100 * misses) return where + "score below -100 per miss";

    const std::vector<JsonValue>& lifts = field(31).items;
    const std::vector<JsonValue>& actors = field(32).items;
    for (const JsonValue& lift : lifts) {
        if (lift.items.size() != 7 || !within(Integer(lift.items[0]), Integer(lift.items[1]))) {
            return where + "a lift outside the map";
        }
    }
    for (const JsonValue& actor : actors) {
        if (actor.items.size() != 12 || !within(Integer(actor.items[1]), Integer(actor.items[2]))) {
            return where + "an actor outside the map";
        }
    }
    // The first line of a stage in play fixes its tables: lifts never come
    // or go, actors come only from spawners, each spawn using one of its
    // spawner's remaining count.
    if (!lifts.empty() || !actors.empty()) {
        if (!lifts_) {
            lifts_ = lifts.size();
            std::size_t spawns = 0;
            for (const JsonValue& actor : actors) {
                if (Integer(actor.items[0]) == kSpawnerKind) {
                    spawns += static_cast<std::size_t>(
                        std::max<std::int64_t>(0, Integer(actor.items[11])));
                }
            }
            maxActors_ = actors.size() + spawns;
        }
        if (lifts.size() != *lifts_) return where + "lift table changed size";
        if (actors.size() > *maxActors_) return where + "more actors than the stage can make";
    }
    return std::nullopt;
}

}  // namespace tovek::soak

#include "game/solver/journey.h"

#include "common/stage_limits.h"
#include "game/core/keyboard.h"

namespace tovek {

std::optional<Journey> SolveJourney(const SolverSetup& setup, const SolverOptions& options,
                                    const std::function<void(const JourneyLeg&)>& onLeg,
                                    std::string* error) {
    Journey journey;
    SolverSetup leg = setup;
    for (int stage = setup.stage;; ++stage) {
        leg.leadIn = journey.keys;
        std::optional<SolverResult> result = SolveStage(leg, options, error);
        if (!result) return std::nullopt;
        journey.legs.push_back({stage, std::move(*result)});
        const JourneyLeg& solved = journey.legs.back();
        if (onLeg) onLeg(solved);
        if (!solved.result.cleared) return journey;
        // The stage's tick 1 is the tick its lead-in's last events come before.
        const std::int64_t before = journey.keys.empty() ? 0 : journey.keys.back().tick - 1;
        for (const KeyEvent& event : solved.result.keys) {
            journey.keys.push_back({before + event.tick, event.down, event.keyCode});
        }
        // Space on the tally, on the first tick after the clear.
        const std::int64_t space = before + solved.result.tick + 1;
        journey.keys.push_back({space, true, kKeySpace});
        journey.keys.push_back({space, false, kKeySpace});
        if (stage == kStageCount) {
            journey.complete = true;
            return journey;
        }
    }
}

}  // namespace tovek

#include "game/core/built_in_sounds.h"

#include "embedded_assets.h"

namespace tovek {

std::array<std::span<const std::uint8_t>, 4> EmbeddedSoundFiles() {
    return {embedded::SoundGoalWav(), embedded::SoundItemWav(), embedded::SoundMissWav(),
            embedded::SoundStompWav()};
}

}  // namespace tovek

#include "game/core/character_constants.h"

namespace tovek {

CharacterConstants CharacterConstantsFor(int character) {
    switch (character) {
        case 1:
            return {0.6f, 1.0f, 0.8f, 1.28f, -11, -4, -6, 2, 4, 10, 16, 6, 12, 2};
        case 2:
            return {1.92f, 2.88f, 0.8f, 1.28f, -6, -2, -3, 4, 8, 8, 14, 6, 12, 4};
        default:
            return {1.08f, 1.6f, 0.8f, 1.28f, -8, -4, -5, 2, 6, 10, 16, 6, 12, 2};
    }
}

}  // namespace tovek

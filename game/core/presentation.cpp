#include "game/core/presentation.h"

#include "game/core/game.h"

namespace tovek {

void PresentFrame(Game& game) {
    if (game.services.presenter != nullptr) game.services.presenter->PresentFrame(game.picMain);
}

void PrintCentered(Game& game, std::string_view text, int points, int y, std::uint32_t colour,
                   bool bold) {
    if (!game.drawPixels) return;
    tovek::PrintCentered(game.picMain, *game.text, text, points, y, colour, bold);
}

std::int16_t CountSeconds(Game& game, std::int16_t counter) {
    const int seconds = game.services.clock->SecondsField();
    const bool changed = seconds != game.lastSecondsField;
    game.lastSecondsField = static_cast<std::int16_t>(seconds);
    return changed ? static_cast<std::int16_t>(counter + 1) : counter;
}

}  // namespace tovek

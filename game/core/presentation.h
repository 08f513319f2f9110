#pragma once

#include <cstdint>
#include <string_view>

namespace tovek {

struct Game;

// Hands the display surface to the window (which stretches it while maximised).
void PresentFrame(Game& game);

// Prints text centred across the display surface, top of the line at y.
void PrintCentered(Game& game, std::string_view text, int points, int y, std::uint32_t colour,
                   bool bold = false);

// The play clock: counter + 1 when the wall clock's second changed since the
// last call, else counter. It never catches up after a pause.
std::int16_t CountSeconds(Game& game, std::int16_t counter);

}  // namespace tovek

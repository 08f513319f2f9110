#pragma once

#include <optional>
#include <string>

#include "common/cell_group.h"

namespace tovek {

// The symbols of a stage source: one character a map cell. Every tile, actor
// and lift with a meaning in play, except ports and fast lifts, has a default
// symbol; a source's legend gives the others and may redefine defaults.

// The cell a symbol stands for when no legend line names it.
std::optional<MapCell> DefaultSymbolCell(char32_t symbol);

// The default symbol of `cell`, if it has one.
std::optional<char32_t> DefaultSymbolOf(const MapCell& cell);

// Whether a character can stand for a cell: anything visible, so no blank,
// no control character and no invisible format character.
bool IsSymbolCharacter(char32_t character);

// The `index`-th symbol that stagetool text gives to cells without a default,
// after those it prefers: ASCII ones first, then letters of other scripts, so
// that even a map with a different cell in each place can be written. Empty
// past the last one (more than any map of 255 x 255 cells needs).
std::optional<char32_t> SpareSymbol(std::size_t index);

// A symbol as error messages and legend comments show it: 'x', or U+XXXX for
// a character that cannot be shown.
std::string SymbolName(char32_t symbol);

// What the layers of a cell are, in words: "coin, water", "chaser facing right".
std::string DescribeCell(const MapCell& cell);

}  // namespace tovek

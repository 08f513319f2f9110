#pragma once

#include <string>

#include "editor/core/editor.h"

namespace quorle {

// What a palette cell places, in the words a stage builder uses: a name
// ("コイン", "コウモリ（右向き）", "上へ動くリフト（速い）") and, where the
// picture does not say it, what it does in play.
struct TileName {
    std::string name;
    std::string note;  // "" when the name says enough

    // The name, then the note after a colon.
    std::string Text() const;
};

// The palette cell of `code`; `lowerHalf` is the fast half of a lift cell;
// with `reverse` the first actor row places the other facing.
TileName PaletteTileName(int code, bool lowerHalf, bool reverse);

// Background 0..15 by its picture: "背景 3: 岩の洞窟".
std::string BackgroundName(int background);

// What each layer of a map cell holds, the empty ones left out:
// "タイル: レンガ　キャラ: コウモリ（右向き）　水". "空きマス" for an empty cell.
std::string CellContentsText(const MapCell& cell);

// The name of a main tile, an actor code or a lift code as the map holds it;
// "" for 0.
std::string MainTileName(int code);
std::string ActorName(int code);
std::string LiftName(int code);

}  // namespace quorle

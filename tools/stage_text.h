#pragma once

#include <string>
#include <string_view>
#include <variant>

#include "common/stage_file.h"

namespace tovek {

// A stage written as text (docs/stage-format.md): comment lines starting with
// `#`, a background line, legend lines for symbols without a default, then
// the map, one symbol a cell:
//
//   # name: 朝の丘 / Morning Hills
//   # idea: run right, stomp the walkers.
//   background 1
//   key 0  main=32               # down port 0
//   key ,  water main=18         # coin, water
//   map
//   ....
//   S.o.w..0..G.
//   ############
//
// A legend line names the layers of its symbol's cell (main=N, actor=N,
// lift=N, water); a symbol without one is one of the defaults. Every line
// after `map` is a row, top first, all equally long.

// Why a source was refused, and where: line and column count from 1 (columns
// in characters); column 0 means the whole line.
struct StageTextError {
    int line = 0;
    int column = 0;
    std::string message;
};

// Reads a source into the stage the editor would hold. Refuses what the
// editor's writer could not store: sizes outside 12..255 by 8..255, and
// layer values a stage file cannot hold.
std::variant<EditorStage, StageTextError> ParseStageText(std::string_view text);

// Writes a stage as a source a person would write: default symbols wherever
// they fit, a legend line with a description for every other cell. For every
// stage the editor can write, ParseStageText gives it back unchanged.
std::string StageToText(const EditorStage& stage);

}  // namespace tovek

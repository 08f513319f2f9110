#pragma once

#include <string>
#include <string_view>
#include <variant>

#include "common/stage_file.h"

namespace tovek {

// A stage written as text: a background line, a legend of one-character
// symbols, then the map, one character a cell.
//
//   # comment
//   background 1
//   key #  main=1            # grassy earth
//   key w  water actor=40    # a spider in water
//   map
//   ....
//   ##w#
//
// A key names the layers of its symbol's cell: main=N, actor=N, lift=N and
// the word water; a key without layers is an empty cell. `#` starts a comment
// on a key line once the symbol has been read. Every line after `map` is a
// row of the map, top first; all rows are equally long.
struct StageSourceError {
    int line = 0;
    int column = 0;  // 0 when the whole line is meant
    std::string message;
};

std::variant<EditorStage, StageSourceError> ParseStageSource(std::string_view text);

}  // namespace tovek

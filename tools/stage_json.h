#pragma once

#include <string>
#include <string_view>
#include <variant>

#include "common/stage_file.h"

namespace tovek {

// The stage as stagetool prints it: background, width, height, then the cells
// as rows (top first) of [mainTile, actorCode, liftCode, water].
std::string StageToJson(const EditorStage& stage);

// Why a stage document was refused: the problem, and where it lies in the text.
struct StageJsonError {
    int line = 1;
    int column = 1;
    std::string message;
};

// Reads a stage document. Refuses anything the editor's writer could not
// store faithfully: sizes that disagree with the arrays, a width outside
// 12..255 or a height outside 8..255, a background outside 0..255, and cell
// values their layer cannot hold.
std::variant<EditorStage, StageJsonError> StageFromJson(std::string_view text);

}  // namespace tovek

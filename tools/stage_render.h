#pragma once

#include <cstdint>
#include <ostream>
#include <span>
#include <string>

namespace tovek {

// stagetool render: the whole map of a stage file as the editor's view draws
// it, 32 x 32 pixels a cell, the background tiled over the whole picture,
// written as a PNG. The stage is taken as the editor opens it (a width or
// height outside 12..255 or 8..255 brought into range). Returns the exit
// status; a missing Japanese font or an unwritable picture is reported on
// `err`.
int RenderStage(std::span<const std::uint8_t> stageFile, const std::string& pngPath,
                std::ostream& err);

}  // namespace tovek

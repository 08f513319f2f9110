#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace tovek {

// Everything about a stage file that the editor's writer would never have
// produced, one readable line each, in file order: sizes outside 12..255 and
// 8..255, an even multiplier, a cell group not in the editor's form (order
// lift, actor, water, main tile; escapes with 0..15; only storable codes),
// missing bytes and bytes after the last cell. Empty for an editor-written
// stage.
std::vector<std::string> FindStageProblems(std::span<const std::uint8_t> bytes);

}  // namespace tovek

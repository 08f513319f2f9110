// The stage source parser of `stagetool build` on any text: it accepts or
// refuses without fault; a refusal names a line and one line of reason, and
// an accepted stage is one the editor can write, which its own source and
// the stage file both give back unchanged.
#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

#include "common/cell_group.h"
#include "common/stage_file.h"
#include "tests/fuzz/fuzz_check.h"
#include "tools/stage_text.h"

namespace {

bool IsOneLineMessage(std::string_view message) {
    for (const char c : message) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) return false;
    }
    return !message.empty() && message.size() <= 300;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const auto parsed = tovek::ParseStageText(text);
    if (const auto* error = std::get_if<tovek::StageTextError>(&parsed)) {
        std::size_t lines = 1;
        for (const char c : text)
            lines += c == '\n';
        FUZZ_CHECK(error->line >= 1 && static_cast<std::size_t>(error->line) <= lines + 1);
        FUZZ_CHECK(error->column >= 0 && static_cast<std::size_t>(error->column) <= size + 1);
        FUZZ_CHECK(IsOneLineMessage(error->message));
        return 0;
    }
    const tovek::EditorStage& stage = std::get<tovek::EditorStage>(parsed);
    FUZZ_CHECK(stage.width >= 12 && stage.width <= 255 && stage.height >= 8 && stage.height <= 255);
    FUZZ_CHECK(stage.background >= 0 && stage.background <= 255);
    FUZZ_CHECK(stage.cells.size() == static_cast<std::size_t>(stage.width) * stage.height);
    for (const tovek::MapCell& cell : stage.cells) {
        FUZZ_CHECK(tovek::IsStorableMainTile(cell.mainTile) &&
                   tovek::IsStorableActorCode(cell.actorCode) &&
                   tovek::IsStorableLiftCode(cell.liftCode) && tovek::IsStorableWater(cell.water));
    }
    const auto again = tovek::ParseStageText(tovek::StageToText(stage));
    FUZZ_CHECK(std::holds_alternative<tovek::EditorStage>(again));
    FUZZ_CHECK(std::get<tovek::EditorStage>(again) == stage);
    FUZZ_CHECK(tovek::ReadEditorStage(tovek::WriteEditorStage(stage, tovek::KeyMaterial{})) ==
               stage);
    return 0;
}

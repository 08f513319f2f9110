// stagetool's stage document reader on any text: it refuses or accepts
// without fault, and every accepted stage prints and reads back unchanged.
#include <cstdint>
#include <string_view>
#include <variant>

#include "tests/fuzz/fuzz_check.h"
#include "tools/stage_json.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::variant<tovek::EditorStage, tovek::StageJsonError> parsed =
        tovek::StageFromJson(std::string_view(reinterpret_cast<const char*>(data), size));
    const auto* stage = std::get_if<tovek::EditorStage>(&parsed);
    if (stage == nullptr) {
        const auto& error = std::get<tovek::StageJsonError>(parsed);
        FUZZ_CHECK(error.line >= 1 && error.column >= 1 && !error.message.empty());
        return 0;
    }
    const auto again = tovek::StageFromJson(tovek::StageToJson(*stage));
    FUZZ_CHECK(std::holds_alternative<tovek::EditorStage>(again));
    FUZZ_CHECK(std::get<tovek::EditorStage>(again) == *stage);
    return 0;
}

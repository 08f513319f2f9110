// stage_source SOURCE: prints the stage written as text in SOURCE as the
// stage JSON that `stagetool encode` reads and `stagetool decode` prints.
#include <iostream>
#include <string>
#include <variant>

#include "common/file_access.h"
#include "tests/stages/stage_source.h"
#include "tools/stage_json.h"

int main(int argc, char** argv) {
    constexpr int kExitUsage = 2;
    if (argc != 2) {
        std::cerr << "usage: stage_source SOURCE\n";
        return kExitUsage;
    }
    const auto bytes = tovek::ReadFileBytes(argv[1]);
    if (!bytes) {
        std::cerr << "stage_source: cannot read " << argv[1] << "\n";
        return kExitUsage;
    }
    const std::string text(bytes->begin(), bytes->end());
    const auto parsed = tovek::ParseStageSource(text);
    if (const auto* error = std::get_if<tovek::StageSourceError>(&parsed)) {
        std::cerr << argv[1] << ":" << error->line;
        if (error->column > 0) std::cerr << ":" << error->column;
        std::cerr << ": " << error->message << "\n";
        return kExitUsage;
    }
    std::cout << tovek::StageToJson(std::get<tovek::EditorStage>(parsed));
    std::cout.flush();
    return std::cout ? 0 : 1;
}

#include "game/core/record_store.h"

#include "common/file_access.h"

namespace tovek {

HighScoreTable RecordFile::Load(const std::filesystem::path& stageFolder) {
    if (const auto bytes = ReadFileBytes(HighScoreFilePath(stageFolder))) {
        return ReadHighScores(*bytes);
    }
    return {};
}

std::error_code RecordFile::Save(const std::filesystem::path& stageFolder,
                                 const HighScoreTable& table, KeyMaterial keys) {
    return ReplaceFileAtomically(HighScoreFilePath(stageFolder), WriteHighScores(table, keys));
}

}  // namespace tovek

#include "game/core/record_store.h"

#include <algorithm>

#include "common/file_access.h"

namespace tovek {

StoredRecords RecordFile::Load(const std::filesystem::path& stageFolder) {
    const FileContents file =
        ReadRegularFile(HighScoreFilePath(stageFolder), kHighScoreFileBytes, faults_);
    if (file.error == std::errc::no_such_file_or_directory ||
        file.error == std::errc::not_a_directory) {
        return {};  // no records yet
    }
    if (file.error) return {.table = {}, .readError = file.error};
    return {.table = ReadHighScores(file.bytes), .readError = {}};
}

std::error_code RecordFile::Save(const std::filesystem::path& stageFolder,
                                 const HighScoreTable& table, KeyMaterial keys) {
    const FolderLock lock(stageFolder);
    const StoredRecords stored = Load(stageFolder);
    if (stored.readError) return stored.readError;
    HighScoreTable merged;
    std::ranges::transform(
        table, stored.table, merged.begin(),
        [](std::int32_t ours, std::int32_t theirs) { return std::max(ours, theirs); });
    return ReplaceFileAtomically(HighScoreFilePath(stageFolder), WriteHighScores(merged, keys),
                                 faults_);
}

}  // namespace tovek

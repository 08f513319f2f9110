#include "common/high_score_file.h"

#include <algorithm>

#include "common/file_access.h"

namespace tovek {

std::filesystem::path HighScoreFilePath(const std::filesystem::path& stageFolder) {
    return ResolveIgnoringCase(stageFolder, "hscore.dat");
}

HighScoreTable ReadHighScores(std::span<const std::uint8_t> bytes) {
    CodedReader reader(bytes);
    HighScoreTable table{};
    for (std::int32_t& record : table) {
        const bool complete = reader.Remaining() >= 2;
        const int high = reader.GetCodedByte();
        const int low = reader.GetCodedByte();
        record = complete ? high * 256 + low : 0;
    }
    return table;
}

std::vector<std::uint8_t> WriteHighScores(const HighScoreTable& table, KeyMaterial material) {
    CodedWriter writer(material, 2 * table.size());
    for (std::int32_t record : table) {
        const std::int32_t stored = std::clamp<std::int32_t>(record, 0, kMaxStoredHighScore);
        writer.PutCodedByte(static_cast<std::uint8_t>(stored / 256));
        writer.PutCodedByte(static_cast<std::uint8_t>(stored % 256));
    }
    return std::move(writer).TakeBytes();
}

}  // namespace tovek

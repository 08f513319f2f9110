// The high-score reader on any bytes: records stay within what the file holds,
// and writing them back reads the same table.
#include <cstdint>
#include <span>

#include "common/coded_stream.h"
#include "common/high_score_file.h"
#include "tests/fuzz/fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> bytes(data, size);
    const tovek::HighScoreTable table = tovek::ReadHighScores(bytes);
    for (std::int32_t record : table)
        FUZZ_CHECK(record >= 0 && record <= tovek::kMaxStoredHighScore);
    const tovek::KeyMaterial material = tovek::CodedReader(bytes).Material();
    const std::vector<std::uint8_t> rewritten = tovek::WriteHighScores(table, material);
    FUZZ_CHECK(rewritten.size() == 202);
    FUZZ_CHECK(tovek::ReadHighScores(rewritten) == table);
    return 0;
}

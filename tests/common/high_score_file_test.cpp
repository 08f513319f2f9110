#include "common/high_score_file.h"

#include <gtest/gtest.h>

#include <vector>

#include "tests/support/scrambled_bytes.h"
#include "tests/support/temp_folder.h"

namespace tovek {
namespace {

using test::Unscrambled;

constexpr KeyMaterial kMaterial{171, 45};

HighScoreTable CountingTable() {
    HighScoreTable table{};
    for (std::size_t i = 0; i < table.size(); ++i)
        table[i] = static_cast<std::int32_t>(i * 650 + 1);
    return table;
}

TEST(HighScoreWriter, StoresEachRecordHighByteFirst) {
    HighScoreTable table{};
    table[0] = 300;
    table[6] = 65535;
    const std::vector<std::uint8_t> file = WriteHighScores(table, kMaterial);
    ASSERT_EQ(file.size(), 202u);
    EXPECT_EQ(file[0], kMaterial.key);
    EXPECT_EQ(file[1], kMaterial.multiplier);
    const std::vector<std::uint8_t> payload = Unscrambled(file);
    EXPECT_EQ(payload[0], 1);
    EXPECT_EQ(payload[1], 44);
    EXPECT_EQ(payload[12], 255);
    EXPECT_EQ(payload[13], 255);
    EXPECT_EQ(payload[2], 0);
    EXPECT_EQ(payload[3], 0);
}

TEST(HighScoreWriter, ClampsRecordsToWhatTwoBytesHold) {
    HighScoreTable table{};
    table[0] = 70000;
    table[1] = -5;
    table[2] = 65536;
    const HighScoreTable back = ReadHighScores(WriteHighScores(table, kMaterial));
    EXPECT_EQ(back[0], 65535);
    EXPECT_EQ(back[1], 0);
    EXPECT_EQ(back[2], 65535);
}

TEST(HighScoreReader, ReadsPairsUnsigned) {
    HighScoreTable table{};
    table[0] = 40000;  // high byte 156, above the signed byte range
    table[99] = 32768;
    const HighScoreTable back = ReadHighScores(WriteHighScores(table, kMaterial));
    EXPECT_EQ(back[0], 40000);
    EXPECT_EQ(back[99], 32768);
}

TEST(HighScoreFile, SavesWithFreshKeysDifferButReadTheSame) {
    const HighScoreTable table = CountingTable();
    RandomSource random(99);
    const std::vector<std::uint8_t> first = WriteHighScores(table, DrawKeyMaterial(random));
    const std::vector<std::uint8_t> second = WriteHighScores(table, DrawKeyMaterial(random));
    EXPECT_NE(first, second);
    EXPECT_EQ(ReadHighScores(first), table);
    EXPECT_EQ(ReadHighScores(second), table);
}

TEST(HighScoreReader, EmptyFileReadsAllZero) {
    EXPECT_EQ(ReadHighScores({}), HighScoreTable{});
}

TEST(HighScoreReader, ShortFileKeepsTheRecordsBeforeTheCut) {
    const HighScoreTable table = CountingTable();
    const std::vector<std::uint8_t> full = WriteHighScores(table, kMaterial);
    for (std::size_t size = 0; size <= full.size(); ++size) {
        const std::vector<std::uint8_t> cut(full.begin(), full.begin() + size);
        const HighScoreTable back = ReadHighScores(cut);
        for (std::size_t i = 0; i < table.size(); ++i) {
            const bool lowByteInFile = 3 + 2 * i < size;
            ASSERT_EQ(back[i], lowByteInFile ? table[i] : 0) << "size " << size << " record " << i;
        }
    }
}

TEST(HighScoreReader, IgnoresBytesAfterTheTable) {
    const HighScoreTable table = CountingTable();
    std::vector<std::uint8_t> file = WriteHighScores(table, kMaterial);
    file.insert(file.end(), {1, 2, 3});
    EXPECT_EQ(ReadHighScores(file), table);
}

TEST(HighScoreFilePath, FindsTheFileWhateverItsCase) {
    test::TempFolder folder;
    EXPECT_EQ(HighScoreFilePath(folder.Path()), folder.Path() / "hscore.dat");
    test::WriteFile(folder.Path() / "HSCORE.DAT", "x");
    EXPECT_EQ(HighScoreFilePath(folder.Path()), folder.Path() / "HSCORE.DAT");
}

}  // namespace
}  // namespace tovek

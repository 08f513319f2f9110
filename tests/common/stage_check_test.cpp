#include "common/stage_check.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <vector>

#include "common/stage_file.h"
#include "tests/support/scrambled_bytes.h"
#include "tests/support/stage_maps.h"

namespace tovek {
namespace {

using test::Scrambled;
using ::testing::HasSubstr;

constexpr KeyMaterial kMaterial{40, 201};

// A 12 x 8 stage: `groups` for the first `groupCount` cells, the rest empty.
std::vector<std::uint8_t> SmallStage(std::vector<std::uint8_t> groups, int groupCount,
                                     KeyMaterial material = kMaterial) {
    groups.insert(groups.begin(), {0, 12, 8});
    groups.resize(groups.size() + 96 - groupCount, 0);
    return Scrambled(material, groups);
}

std::vector<std::string> ProblemsOf(const std::vector<std::uint8_t>& file) {
    return FindStageProblems(file);
}

TEST(StageCheck, EditorWrittenStagesHaveNoProblems) {
    RandomSource random(31);
    for (int round = 0; round < 50; ++round) {
        const EditorStage stage =
            test::RandomEditorStage(random, 12 + random.Below(244), 8 + random.Below(248));
        EXPECT_TRUE(ProblemsOf(WriteEditorStage(stage, DrawKeyMaterial(random))).empty());
    }
}

TEST(StageCheck, EmptyOneBytePerCellStageIsFine) {
    EXPECT_TRUE(ProblemsOf(SmallStage({}, 0)).empty());
}

TEST(StageCheck, NamesSizesOutsideTheEditorsRange) {
    const std::vector<std::uint8_t> file =
        Scrambled(kMaterial, std::vector<std::uint8_t>{0, 11, 7});
    const std::vector<std::string> problems = ProblemsOf(file);
    ASSERT_GE(problems.size(), 2u);
    EXPECT_EQ(problems[0], "width 11 is outside 12..255");
    EXPECT_EQ(problems[1], "height 7 is outside 8..255");
}

TEST(StageCheck, NamesAnEvenMultiplier) {
    const std::vector<std::string> problems = ProblemsOf(SmallStage({}, 0, KeyMaterial{3, 64}));
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_THAT(problems[0], HasSubstr("multiplier 64 is even"));
}

TEST(StageCheck, NamesAShortHeader) {
    const std::vector<std::uint8_t> file = {1, 3, 9};
    const std::vector<std::string> problems = ProblemsOf(file);
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_EQ(problems[0], "the file ends inside the header (3 of 5 bytes)");
}

TEST(StageCheck, NamesGroupsOutOfTheEditorsOrder) {
    const std::vector<std::string> problems = ProblemsOf(SmallStage({25, 12, 0, 40, 13, 1}, 2));
    ASSERT_EQ(problems.size(), 2u);
    EXPECT_EQ(problems[0], "cell (0, 0): bytes 25 12 0 are not in the editor's form (12 25 0)");
    EXPECT_EQ(problems[1], "cell (1, 0): bytes 40 13 1 are not in the editor's form (13 40 1)");
}

TEST(StageCheck, NamesLiftBytesTheEditorNeverPairs) {
    EXPECT_EQ(ProblemsOf(SmallStage({12, 13, 0}, 1)).size(), 1u);
    EXPECT_EQ(ProblemsOf(SmallStage({26, 26, 0}, 1)).size(), 1u);
    EXPECT_TRUE(ProblemsOf(SmallStage({15, 15, 0}, 1)).empty());
}

TEST(StageCheck, NamesAnEscapeAboveFifteen) {
    const std::vector<std::string> problems = ProblemsOf(SmallStage({0, 29, 16}, 2));
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_EQ(problems[0], "cell (1, 0): escape 29 followed by 16 (the editor writes 0..15)");
}

TEST(StageCheck, NamesAGroupWithoutMainTile) {
    const std::vector<std::string> problems =
        ProblemsOf(SmallStage(std::vector<std::uint8_t>(10, 25), 1));
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_THAT(problems[0], HasSubstr("(25 0)"));
}

TEST(StageCheck, NamesALayerByteInAOneBytePerCellFile) {
    std::vector<std::uint8_t> cells(96, 0);
    cells[5] = 25;
    cells.insert(cells.begin(), {0, 12, 8});
    const std::vector<std::string> problems = ProblemsOf(Scrambled(kMaterial, cells));
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_EQ(problems[0], "cell (5, 0): bytes 25 are not in the editor's form (25 0)");
}

TEST(StageCheck, NamesMissingCells) {
    std::vector<std::uint8_t> file = SmallStage({}, 0);
    file.erase(file.end() - 20, file.end());
    const std::vector<std::string> problems = ProblemsOf(file);
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_EQ(problems[0], "the file ends before cell (4, 6) (20 cells missing)");
}

TEST(StageCheck, NamesACellCutInTheMiddle) {
    std::vector<std::uint8_t> file = SmallStage({}, 0);
    // The last cell's group becomes 13 25 ... with its main tile missing.
    std::vector<std::uint8_t> payload = test::Unscrambled(file);
    payload.pop_back();
    payload.insert(payload.end(), {13, 25});
    const std::vector<std::string> problems = ProblemsOf(Scrambled(kMaterial, payload));
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_EQ(problems[0], "the file ends inside cell (11, 7)");
}

TEST(StageCheck, NamesBytesAfterTheLastCell) {
    std::vector<std::uint8_t> payload = test::Unscrambled(SmallStage({13, 0}, 1));
    payload.insert(payload.end(), {1, 2, 3});
    const std::vector<std::string> problems = ProblemsOf(Scrambled(kMaterial, payload));
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_EQ(problems[0], "3 bytes after the last cell");
}

// A file passes exactly when writing what the editor reads from it, with the
// same key material, gives the same bytes back (and the sizes and multiplier
// are ones the editor makes). Damaged copies of editor files probe both sides.
TEST(StageCheck, PassesExactlyTheFilesTheEditorWouldWriteAgain) {
    RandomSource random(77);
    int passed = 0;
    int failed = 0;
    for (int round = 0; round < 3000; ++round) {
        const EditorStage stage = test::RandomEditorStage(random, 12, 8);
        std::vector<std::uint8_t> payload = test::Unscrambled(WriteEditorStage(stage, kMaterial));
        const int damage = random.Below(4);
        for (int i = 0; i < damage; ++i) {
            const std::size_t at =
                3 + static_cast<std::size_t>(random.Below(static_cast<int>(payload.size()) - 3));
            switch (random.Below(3)) {
                case 0:
                    payload[at] = static_cast<std::uint8_t>(random.Below(80));
                    break;
                case 1:
                    payload.erase(payload.begin() + static_cast<std::ptrdiff_t>(at));
                    break;
                default:
                    payload.insert(payload.begin() + static_cast<std::ptrdiff_t>(at),
                                   static_cast<std::uint8_t>(random.Below(80)));
            }
        }
        const std::vector<std::uint8_t> file = Scrambled(kMaterial, payload);
        const bool rewritesIdentically = WriteEditorStage(ReadEditorStage(file), kMaterial) == file;
        ASSERT_EQ(ProblemsOf(file).empty(), rewritesIdentically) << "round " << round;
        (rewritesIdentically ? passed : failed)++;
    }
    EXPECT_GT(passed, 100);
    EXPECT_GT(failed, 100);
}

}  // namespace
}  // namespace tovek

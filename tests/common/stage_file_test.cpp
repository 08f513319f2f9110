#include "common/stage_file.h"

#include <gtest/gtest.h>

#include <vector>

#include "tests/support/scrambled_bytes.h"
#include "tests/support/stage_maps.h"

namespace tovek {
namespace {

using test::Scrambled;
using test::Unscrambled;

constexpr KeyMaterial kMaterial{91, 37};

// A stage file of the given header and plain cell bytes.
std::vector<std::uint8_t> StageBytes(std::uint8_t background, std::uint8_t width,
                                     std::uint8_t height, std::vector<std::uint8_t> cells) {
    cells.insert(cells.begin(), {background, width, height});
    return Scrambled(kMaterial, cells);
}

// A 12 x 8 stage whose first groups are `groups` and whose other cells are
// empty, with one spare byte so the file is read group by group.
std::vector<std::uint8_t> SmallStage(const std::vector<std::uint8_t>& groups, int groupCount) {
    std::vector<std::uint8_t> cells = groups;
    cells.resize(groups.size() + (96 - groupCount) + 1, 0);
    return StageBytes(3, 12, 8, cells);
}

MapCell Cell(std::uint8_t main, std::uint8_t actor = 0, std::uint8_t lift = 0,
             std::uint8_t water = 0) {
    return MapCell{main, actor, lift, water};
}

// --- Reading the cell groups (both readers share the decoder) ---

TEST(StageGroups, SecondLiftByteAddsFour) {
    const EditorStage stage = ReadEditorStage(SmallStage({12, 12, 0, 13, 0}, 2));
    EXPECT_EQ(stage.cells[0], Cell(0, 0, 16));
    EXPECT_EQ(stage.cells[1], Cell(0, 0, 13));
}

TEST(StageGroups, LayersThenEscapeFillOneCell) {
    const EditorStage stage = ReadEditorStage(SmallStage({13, 25, 40, 28, 5, 7}, 2));
    EXPECT_EQ(stage.cells[0], Cell(37, 40, 13, 25));
    EXPECT_EQ(stage.cells[1], Cell(7));
}

TEST(StageGroups, EscapesMakePortTiles) {
    const EditorStage stage = ReadEditorStage(SmallStage({28, 0, 28, 15, 29, 0, 29, 15}, 4));
    EXPECT_EQ(stage.cells[0].mainTile, 32);
    EXPECT_EQ(stage.cells[1].mainTile, 47);
    EXPECT_EQ(stage.cells[2].mainTile, 48);
    EXPECT_EQ(stage.cells[3].mainTile, 63);
}

TEST(StageGroups, EscapeAboveFifteenLeavesMainTileZeroAndTakesItsByte) {
    const EditorStage stage = ReadEditorStage(SmallStage({25, 28, 200, 29, 16, 9}, 3));
    EXPECT_EQ(stage.cells[0], Cell(0, 0, 0, 25));
    EXPECT_EQ(stage.cells[1], Cell(0));
    EXPECT_EQ(stage.cells[2], Cell(9));
}

TEST(StageGroups, EveryOtherByteIsAMainTileEndingTheGroup) {
    std::vector<std::uint8_t> groups;
    for (int v = 0; v < 256; ++v) {
        const bool layerOrEscape =
            (v >= 12 && v <= 15) || (v >= 25 && v <= 29 && v != 27) || (v >= 32 && v <= 63);
        if (!layerOrEscape) groups.push_back(static_cast<std::uint8_t>(v));
    }
    ASSERT_LE(groups.size(), 255u);
    const int width = static_cast<int>(groups.size());
    groups.push_back(0);  // one spare byte: group mode
    const EditorStage stage =
        ReadEditorStage(StageBytes(0, static_cast<std::uint8_t>(width), 1, groups));
    for (int i = 0; i < width; ++i)
        EXPECT_EQ(stage.cells[i], Cell(groups[i])) << i;
}

TEST(StageGroups, LastActorWinsAndLiftBytesAfterTheFirstAddFour) {
    const EditorStage stage = ReadEditorStage(SmallStage({40, 12, 50, 14, 1}, 1));
    EXPECT_EQ(stage.cells[0], Cell(1, 50, 18));
}

TEST(StageGroups, TenLayerBytesEndAGroupWithoutMainTile) {
    std::vector<std::uint8_t> groups(10, 25);
    groups.push_back(7);  // starts the next cell
    const EditorStage stage = ReadEditorStage(SmallStage(groups, 2));
    EXPECT_EQ(stage.cells[0], Cell(0, 0, 0, 25));
    EXPECT_EQ(stage.cells[1], Cell(7));
}

// --- One byte per cell ---

TEST(StageOneBytePerCell, ExactlyWidthTimesHeightBytesAreOneCellEach) {
    std::vector<std::uint8_t> cells(96, 0);
    cells[0] = 25;  // water alone
    cells[1] = 7;   // next cell, not the main tile of cell 0
    cells[2] = 12;
    cells[3] = 12;  // a second cell of lift 12, not a fast lift
    const std::vector<std::uint8_t> file = StageBytes(0, 12, 8, cells);
    ASSERT_EQ(file.size(), 5u + 96u);
    const EditorStage stage = ReadEditorStage(file);
    EXPECT_EQ(stage.cells[0], Cell(0, 0, 0, 25));
    EXPECT_EQ(stage.cells[1], Cell(7));
    EXPECT_EQ(stage.cells[2], Cell(0, 0, 12));
    EXPECT_EQ(stage.cells[3], Cell(0, 0, 12));
}

TEST(StageOneBytePerCell, OneMoreByteMeansGroups) {
    std::vector<std::uint8_t> cells(97, 0);
    cells[0] = 25;
    cells[1] = 7;
    const EditorStage stage = ReadEditorStage(StageBytes(0, 12, 8, cells));
    EXPECT_EQ(stage.cells[0], Cell(7, 0, 0, 25));
    EXPECT_EQ(stage.cells[1], Cell(0));
}

TEST(StageOneBytePerCell, AnEscapeStillTakesItsNumber) {
    std::vector<std::uint8_t> cells(96, 0);
    cells[0] = 29;
    cells[1] = 3;
    cells[2] = 8;
    const EditorStage stage = ReadEditorStage(StageBytes(0, 12, 8, cells));
    EXPECT_EQ(stage.cells[0], Cell(51));
    EXPECT_EQ(stage.cells[1], Cell(8));
}

TEST(StageOneBytePerCell, TheGameReaderUsesTheSameRule) {
    std::vector<std::uint8_t> cells(96, 0);
    cells[0] = 25;
    cells[1] = 7;
    const std::optional<GameStage> stage = ReadGameStage(StageBytes(0, 12, 8, cells), false, false);
    ASSERT_TRUE(stage);
    EXPECT_EQ(stage->waterMap[0], 25);
    EXPECT_EQ(stage->tileMap[0], 0);
    EXPECT_EQ(stage->tileMap[1], 7);
}

TEST(StageOneBytePerCell, LargestMapCountsCellsWithoutOverflow) {
    std::vector<std::uint8_t> cells(255 * 255, 1);
    cells[0] = 25;
    const EditorStage stage = ReadEditorStage(StageBytes(0, 255, 255, cells));
    EXPECT_EQ(stage.cells[0], Cell(0, 0, 0, 25));
    EXPECT_EQ(stage.cells[1], Cell(1));
    EXPECT_EQ(stage.cells.back(), Cell(1));
}

// --- Short files ---

TEST(StageShortFile, MissingCellsReadAsEmpty) {
    RandomSource random(3);
    const EditorStage original = test::RandomEditorStage(random, 12, 8);
    std::vector<std::uint8_t> file = WriteEditorStage(original, kMaterial);
    // Cut after the groups of the first 10 cells.
    std::size_t cut = 5;
    std::array<std::uint8_t, kMaxEditorGroupBytes> group;
    for (int i = 0; i < 10; ++i)
        cut += EncodeCellGroup(original.cells[i], group);
    file.resize(cut);

    const EditorStage editor = ReadEditorStage(file);
    const std::optional<GameStage> game = ReadGameStage(file, false, false);
    ASSERT_TRUE(game);
    for (int i = 0; i < 96; ++i) {
        const MapCell expected = i < 10 ? original.cells[i] : MapCell{};
        EXPECT_EQ(editor.cells[i], expected) << i;
        EXPECT_EQ(game->tileMap[i], expected.mainTile) << i;
        EXPECT_EQ(game->waterMap[i], expected.water) << i;
    }
}

TEST(StageShortFile, TheEditorReadsAnEmptyFileAsAnEmptyStage) {
    const EditorStage stage = ReadEditorStage({});
    EXPECT_EQ(stage.width, 0);
    EXPECT_EQ(stage.height, 0);
    EXPECT_TRUE(stage.cells.empty());
}

TEST(StageShortFile, TheGameRejectsAStageWithoutWidthOrHeight) {
    EXPECT_FALSE(ReadGameStage({}, false, false));
    EXPECT_FALSE(ReadGameStage(StageBytes(0, 0, 8, {}), false, false));
    EXPECT_FALSE(ReadGameStage(StageBytes(0, 12, 0, {}), false, false));
    const std::vector<std::uint8_t> headerCut = {5, 5, 9, 9};
    EXPECT_FALSE(ReadGameStage(headerCut, false, false));
}

// --- The game's layers ---

TEST(GameStage, SplitsCellsIntoLayersByColumnAndRow) {
    std::vector<std::uint8_t> cells(96, 0);
    cells.push_back(0);
    // Cell (1, 2) sits after 2 * 12 + 1 = 25 one-byte groups.
    cells.insert(cells.begin() + 25, {14, 33, 25});
    cells[25 + 3] = 70;
    const std::optional<GameStage> stage = ReadGameStage(StageBytes(9, 12, 8, cells), false, false);
    ASSERT_TRUE(stage);
    EXPECT_EQ(stage->background, 9);
    EXPECT_EQ(stage->mapWidth, 12);
    EXPECT_EQ(stage->mapHeight, 8);
    const std::size_t index = 1 + 2 * 12;
    EXPECT_EQ(stage->tileMap[index], 70);
    EXPECT_EQ(stage->spawnActor[index], 33);
    EXPECT_EQ(stage->spawnLift[index], 14);
    EXPECT_EQ(stage->waterMap[index], 25);
    EXPECT_EQ(stage->tileMap[index - 1], 0);
    EXPECT_EQ(stage->tileMap[index + 1], 0);
}

TEST(GameStage, TheLastStartCellWinsAndKeepsTileSixteen) {
    std::vector<std::uint8_t> cells(97, 0);
    cells[3] = 16;
    cells[20] = 16;  // cell (8, 1)
    const std::optional<GameStage> stage = ReadGameStage(StageBytes(0, 12, 8, cells), false, false);
    ASSERT_TRUE(stage);
    ASSERT_TRUE(stage->start);
    EXPECT_EQ(*stage->start, (StartCell{8, 1}));
    EXPECT_EQ(stage->tileMap[3], 16);
    EXPECT_EQ(stage->tileMap[20], 16);
}

TEST(GameStage, NoStartCellLeavesTheStartUnset) {
    const std::optional<GameStage> stage = ReadGameStage(SmallStage({}, 0), false, false);
    ASSERT_TRUE(stage);
    EXPECT_FALSE(stage->start);
}

TEST(GameStage, AgreesWithTheEditorReaderOnEveryLayer) {
    RandomSource random(17);
    for (int round = 0; round < 20; ++round) {
        const EditorStage original = test::RandomEditorStage(random, 12 + round, 8 + round);
        const std::vector<std::uint8_t> file = WriteEditorStage(original, kMaterial);
        const std::optional<GameStage> game = ReadGameStage(file, false, false);
        ASSERT_TRUE(game);
        for (std::size_t i = 0; i < original.cells.size(); ++i) {
            ASSERT_EQ(game->tileMap[i], original.cells[i].mainTile);
            ASSERT_EQ(game->spawnActor[i], original.cells[i].actorCode);
            ASSERT_EQ(game->spawnLift[i], original.cells[i].liftCode);
            ASSERT_EQ(game->waterMap[i], original.cells[i].water);
        }
    }
}

// --- Mirroring ---

TEST(GameStageMirroring, HorizontalMovesTheLeftColumnRightAndSwapsSidewaysLifts) {
    // Row 0: lifts 12, 13, 12 12 (16), 13 13 (17), 14, 26, start.
    const std::vector<std::uint8_t> groups = {12, 0, 13, 0, 12, 12, 0, 13, 13, 0, 14, 0, 26, 0, 16};
    const std::vector<std::uint8_t> file = SmallStage(groups, 7);
    const std::optional<GameStage> plain = ReadGameStage(file, false, false);
    const std::optional<GameStage> mirrored = ReadGameStage(file, true, false);
    ASSERT_TRUE(plain && mirrored);
    const std::vector<std::uint8_t> expected = {13, 12, 17, 16, 14, 26, 0};
    for (int c = 0; c < 7; ++c) {
        EXPECT_EQ(mirrored->spawnLift[11 - c], expected[c]) << c;
        EXPECT_EQ(mirrored->tileMap[11 - c], plain->tileMap[c]) << c;
    }
    ASSERT_TRUE(mirrored->start);
    EXPECT_EQ(*mirrored->start, (StartCell{5, 0}));
}

TEST(GameStageMirroring, VerticalTurnsRowsOverAndSwapsUpDownLifts) {
    const std::vector<std::uint8_t> groups = {14, 0, 15, 0, 14, 14, 0, 15, 15, 0, 12, 0, 26, 0, 16};
    const std::optional<GameStage> mirrored = ReadGameStage(SmallStage(groups, 7), false, true);
    ASSERT_TRUE(mirrored);
    const std::vector<std::uint8_t> expected = {15, 14, 19, 18, 12, 26, 0};
    for (int c = 0; c < 7; ++c)
        EXPECT_EQ(mirrored->spawnLift[c + 7 * 12], expected[c]) << c;
    EXPECT_EQ(mirrored->tileMap[6 + 7 * 12], 16);
    ASSERT_TRUE(mirrored->start);
    EXPECT_EQ(*mirrored->start, (StartCell{6, 7}));
}

TEST(GameStageMirroring, BothWaysIsTheMapTurnedHalfRound) {
    RandomSource random(5);
    const EditorStage original = test::RandomEditorStage(random, 20, 11);
    const std::vector<std::uint8_t> file = WriteEditorStage(original, kMaterial);
    const std::optional<GameStage> plain = ReadGameStage(file, false, false);
    const std::optional<GameStage> turned = ReadGameStage(file, true, true);
    ASSERT_TRUE(plain && turned);
    for (int y = 0; y < 11; ++y) {
        for (int x = 0; x < 20; ++x) {
            const std::size_t from = x + y * 20;
            const std::size_t to = (19 - x) + (10 - y) * 20;
            ASSERT_EQ(turned->tileMap[to], plain->tileMap[from]);
            ASSERT_EQ(turned->waterMap[to], plain->waterMap[from]);
            ASSERT_EQ(turned->spawnActor[to], plain->spawnActor[from]);
            const int lift = plain->spawnLift[from];
            const int swapped = (lift >= 12 && lift <= 19) ? (lift ^ 1) : lift;
            ASSERT_EQ(turned->spawnLift[to], swapped);
        }
    }
}

// --- The editor's writer ---

TEST(EditorWriter, WritesTheHeaderAndGroupsInLiftActorWaterMainOrder) {
    EditorStage stage;
    stage.background = 7;
    stage.width = 12;
    stage.height = 8;
    stage.cells.resize(96);
    stage.cells[0] = Cell(37, 40, 13, 25);
    stage.cells[1] = Cell(63, 0, 17, 0);
    stage.cells[2] = Cell(16);
    stage.cells[3] = Cell(70, 0, 26, 25);
    const std::vector<std::uint8_t> file = WriteEditorStage(stage, kMaterial);
    EXPECT_EQ(file[0], kMaterial.key);
    EXPECT_EQ(file[1], kMaterial.multiplier);
    std::vector<std::uint8_t> expected = {7,  12, 8,  13, 40, 25, 28, 5,
                                          13, 13, 29, 15, 16, 26, 25, 70};
    expected.resize(expected.size() + 92, 0);
    EXPECT_EQ(Unscrambled(file), expected);
}

TEST(EditorWriter, LeavesOutValuesALayerCannotHold) {
    EditorStage stage;
    stage.width = 12;
    stage.height = 8;
    stage.cells.resize(96);
    stage.cells[0] = Cell(12, 5, 20, 7);  // none of these can be stored in its layer
    stage.cells[1] = Cell(25);
    stage.cells[2] = Cell(29);
    stage.cells[3] = Cell(8);
    const EditorStage back = ReadEditorStage(WriteEditorStage(stage, kMaterial));
    EXPECT_EQ(back.cells[0], Cell(0));
    EXPECT_EQ(back.cells[1], Cell(0));
    EXPECT_EQ(back.cells[2], Cell(0));
    EXPECT_EQ(back.cells[3], Cell(8));
}

TEST(EditorWriter, WritesMissingCellsEmpty) {
    EditorStage stage;
    stage.width = 12;
    stage.height = 8;
    stage.cells = {Cell(5)};
    const EditorStage back = ReadEditorStage(WriteEditorStage(stage, kMaterial));
    ASSERT_EQ(back.cells.size(), 96u);
    EXPECT_EQ(back.cells[0], Cell(5));
    EXPECT_EQ(back.cells[95], Cell(0));
}

// --- Round trips ---

TEST(EditorRoundTrip, EveryCellTheEditorCanHoldSurvives) {
    std::vector<MapCell> all;
    for (std::uint8_t main : test::HoldableMainTiles()) {
        for (std::uint8_t actor : test::HoldableActorCodes()) {
            for (std::uint8_t lift : test::HoldableLiftCodes()) {
                for (std::uint8_t water : test::HoldableWater()) {
                    all.push_back(Cell(main, actor, lift, water));
                }
            }
        }
    }
    RandomSource random(11);
    for (std::size_t first = 0; first < all.size(); first += 255 * 255) {
        EditorStage stage;
        stage.background = 15;
        stage.width = 255;
        stage.height = 255;
        stage.cells.assign(all.begin() + first,
                           all.begin() + std::min(all.size(), first + 255 * 255));
        stage.cells.resize(255 * 255);
        const std::vector<std::uint8_t> file = WriteEditorStage(stage, DrawKeyMaterial(random));
        ASSERT_EQ(ReadEditorStage(file), stage);
    }
}

TEST(EditorRoundTrip, EverySizeSurvives) {
    RandomSource random(23);
    for (int width = 12; width <= 255; width += 9) {
        for (int height : {8, 9, 100, 254, 255}) {
            const EditorStage stage = test::RandomEditorStage(random, width, height);
            ASSERT_EQ(ReadEditorStage(WriteEditorStage(stage, DrawKeyMaterial(random))), stage)
                << width << " x " << height;
        }
    }
    const EditorStage largest = test::RandomEditorStage(random, 255, 255);
    EXPECT_EQ(ReadEditorStage(WriteEditorStage(largest, DrawKeyMaterial(random))), largest);
}

TEST(EditorRoundTrip, AllEmptyMapIsOneBytePerCellAndStillReadsBack) {
    EditorStage stage;
    stage.background = 2;
    stage.width = 12;
    stage.height = 8;
    stage.cells.assign(96, Cell(3));
    const std::vector<std::uint8_t> file = WriteEditorStage(stage, kMaterial);
    EXPECT_EQ(file.size(), 5u + 96u);
    EXPECT_EQ(ReadEditorStage(file), stage);
}

TEST(EditorRoundTrip, KeyMaterialZeroWorks) {
    RandomSource random(8);
    const EditorStage stage = test::RandomEditorStage(random, 30, 10);
    EXPECT_EQ(ReadEditorStage(WriteEditorStage(stage, KeyMaterial{0, 1})), stage);
    EXPECT_EQ(ReadEditorStage(WriteEditorStage(stage, KeyMaterial{0, 255})), stage);
}

}  // namespace
}  // namespace tovek

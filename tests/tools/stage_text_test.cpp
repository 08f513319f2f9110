#include "tools/stage_text.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <variant>
#include <vector>

#include "common/random_source.h"
#include "tests/support/stage_maps.h"

namespace tovek {
namespace {

std::string Rows(const std::string& row, int count) {
    std::string rows;
    for (int i = 0; i < count; ++i)
        rows += row + "\n";
    return rows;
}

// Twelve by eight: the smallest map a stage can have.
std::string SmallMap(const std::string& bottomRow = "############") {
    return "map\n" + Rows("............", 7) + bottomRow + "\n";
}

EditorStage Parsed(const std::string& text) {
    auto result = ParseStageText(text);
    if (const auto* error = std::get_if<StageTextError>(&result)) {
        ADD_FAILURE() << error->line << ":" << error->column << ": " << error->message << "\n"
                      << text;
        return {};
    }
    return std::get<EditorStage>(result);
}

TEST(StageText, EveryEditorStageSurvivesTextAndBack) {
    RandomSource random(14);
    for (int i = 0; i < 60; ++i) {
        const int width = 12 + random.Below(60);
        const int height = 8 + random.Below(30);
        const EditorStage stage = test::RandomEditorStage(random, width, height);
        ASSERT_EQ(Parsed(StageToText(stage)), stage) << "stage " << i;
    }
    // The largest map, nearly every cell different: symbols beyond ASCII.
    const EditorStage largest = test::RandomEditorStage(random, 255, 255);
    const std::string text = StageToText(largest);
    EXPECT_EQ(Parsed(text), largest);
    EXPECT_NE(text.find("\nkey \xE4\xB8\x80 "), std::string::npos);  // U+4E00 in the legend
}

TEST(StageText, CommonCellsNeedNoLegendAndOthersAreDescribed) {
    EditorStage stage;
    stage.background = 5;
    stage.width = 12;
    stage.height = 8;
    stage.cells.resize(96);
    const std::vector<MapCell> plain = {
        {1, 0, 0, 0},  {18, 0, 0, 0}, {16, 0, 0, 0}, {17, 0, 0, 0}, {0, 0, 0, 25},
        {0, 32, 0, 0}, {0, 50, 0, 0}, {0, 0, 26, 0}, {23, 0, 0, 0}, {24, 0, 0, 0},
    };
    for (std::size_t i = 0; i < plain.size(); ++i)
        stage.cells[i] = plain[i];
    stage.cells[20] = {35, 0, 0, 0};   // down port 3
    stage.cells[21] = {51, 0, 0, 0};   // up port 3
    stage.cells[22] = {18, 0, 0, 25};  // coin in water
    stage.cells[23] = {0, 0, 17, 0};   // fast lift
    const std::string text = StageToText(stage);
    EXPECT_EQ(text.substr(0, 30), "# name:\n# idea:\n\nbackground 5\n");
    // Each key line, found by its layers: symbol and description.
    const auto keyLine = [&](const std::string& layers) {
        const std::size_t at = text.find("  " + layers + " ");
        const std::size_t start = text.rfind('\n', at) + 1;
        return text.substr(start, text.find('\n', at) - start);
    };
    EXPECT_EQ(keyLine("main=35"), "key 3  main=35        # down port 3");
    EXPECT_EQ(keyLine("main=51"), "key \"  main=51        # up port 3");
    EXPECT_EQ(keyLine("main=18 water"), "key '  main=18 water  # coin, water");
    EXPECT_EQ(keyLine("lift=17"), "key !  lift=17        # fast lift moving right");
    std::size_t keyLines = 0;
    for (std::size_t at = text.find("\nkey "); at != std::string::npos;
         at = text.find("\nkey ", at + 1))
        ++keyLines;
    EXPECT_EQ(keyLines, 4u) << text;
    EXPECT_NE(text.find("\nmap\n#oSG~wC_^O..\n"), std::string::npos) << text;
    EXPECT_EQ(Parsed(text), stage);
}

TEST(StageText, KeysNameLayersAndMayRedefineDefaults) {
    const EditorStage stage = Parsed(
        "# name: テスト / Test\r\n"
        "background 7  # dusk\r\n"
        "\r\n"
        "key #  main=4            # stone instead of grass\r\n"
        "key é  water actor=40 lift=16\r\n"
        "  key k\r\n" +
        SmallMap("#é.k^wW<>AV_") + "\n\n");
    EXPECT_EQ(stage.background, 7);
    ASSERT_EQ(stage.width, 12);
    ASSERT_EQ(stage.height, 8);
    const MapCell* bottom = &stage.cells[84];
    EXPECT_EQ(bottom[0], (MapCell{4, 0, 0, 0}));
    EXPECT_EQ(bottom[1], (MapCell{0, 40, 16, 25}));
    EXPECT_EQ(bottom[2], MapCell{});
    EXPECT_EQ(bottom[3], MapCell{});
    EXPECT_EQ(bottom[4], (MapCell{23, 0, 0, 0}));
    EXPECT_EQ(bottom[5], (MapCell{0, 32, 0, 0}));
    EXPECT_EQ(bottom[6], (MapCell{0, 48, 0, 0}));
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(bottom[7 + i].liftCode, (std::array{12, 13, 14, 15, 26}[i]));
}

TEST(StageText, ErrorsNameLineColumnAndReason) {
    const std::string head = "background 1\n";
    struct Case {
        std::string text;
        int line;
        int column;
        std::string reason;
    };
    const std::vector<Case> cases = {
        {head + SmallMap("#####!######"), 10, 6, "'!' has no key and no default meaning"},
        {head + SmallMap("###########"), 10, 12, "row is 11 cells wide, the first row 12"},
        {head + SmallMap("#### #######"), 10, 5, "a blank is no symbol"},
        {head + SmallMap("##\xFF#########"), 10, 3, "not part of UTF-8"},
        {head + "key x main=12\n" + SmallMap(), 2, 7, "cannot hold main 12"},
        {head + "key x actor=31\n" + SmallMap(), 2, 7, "cannot hold actor 31"},
        {head + "key x lift=20\n" + SmallMap(), 2, 7, "cannot hold lift 20"},
        {head + "key x main=256\n" + SmallMap(), 2, 7, "main needs a whole number 0..255"},
        {head + "key x depth=2\n" + SmallMap(), 2, 7, "unknown layer 'depth=2'"},
        {head + "key x water water\n" + SmallMap(), 2, 13, "water is given twice"},
        {head + "key xy main=1\n" + SmallMap(), 2, 5, "a symbol is one character, not 'xy'"},
        {head + "key\n" + SmallMap(), 2, 0, "a key line is: key SYMBOL"},
        {head + "key x\n\nkey x main=1\n" + SmallMap(), 4, 5, "'x' has a key already, on line 2"},
        {head + "background 2\n" + SmallMap(), 2, 0, "second background line"},
        {"background 256\n" + SmallMap(), 1, 12, "0..255, not '256'"},
        {"key x\n" + SmallMap(), 2, 0, "no background line"},
        {head + "size 12 8\n" + SmallMap(), 2, 1, "'size' starts no line of a source"},
        {head + "............\n", 2, 1, "'............' starts no line"},
        {head + "key x\n", 2, 0, "no map line"},
        {"", 1, 0, "no map line"},
        {head + "map\n\n", 2, 0, "the map has no rows"},
        {head + "map\n" + Rows("...........", 8), 10, 0, "11 x 8 cells"},
        {head + "map\n" + Rows("............", 7), 9, 0, "12 x 7 cells"},
        {head + "map\n" + Rows(std::string(256, '.'), 8), 3, 256, "256 cells wide"},
        {head + "map\n" + Rows("............", 256), 258, 0, "a 256th row"},
        {head + "map\n" + Rows("............", 4) + "\n" + Rows("............", 4), 7, 0,
         "an empty line inside the map"},
    };
    for (const Case& c : cases) {
        const auto result = ParseStageText(c.text);
        const auto* error = std::get_if<StageTextError>(&result);
        ASSERT_NE(error, nullptr) << "accepted:\n" << c.text;
        EXPECT_EQ(error->line, c.line) << c.reason;
        EXPECT_EQ(error->column, c.column) << c.reason;
        EXPECT_NE(error->message.find(c.reason), std::string::npos)
            << error->message << "\nexpected: " << c.reason;
        EXPECT_EQ(error->message.find('\n'), std::string::npos) << error->message;
    }
}

}  // namespace
}  // namespace tovek

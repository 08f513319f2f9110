#include "tests/stages/stage_source.h"

#include <gtest/gtest.h>

#include <string>
#include <variant>

namespace tovek {
namespace {

// Twelve by eight: the smallest map a stage can have.
std::string Map(const std::string& bottomRow) {
    std::string rows;
    for (int i = 0; i < 7; ++i)
        rows += "............\n";
    return rows + bottomRow + "\n";
}

EditorStage Parsed(const std::string& text) {
    auto result = ParseStageSource(text);
    if (const auto* error = std::get_if<StageSourceError>(&result)) {
        ADD_FAILURE() << "line " << error->line << ":" << error->column << ": " << error->message;
        return {};
    }
    return std::get<EditorStage>(result);
}

StageSourceError Refused(const std::string& text) {
    auto result = ParseStageSource(text);
    if (std::holds_alternative<EditorStage>(result)) {
        ADD_FAILURE() << "accepted:\n" << text;
        return {};
    }
    return std::get<StageSourceError>(result);
}

const std::string kHeader =
    "# a test stage\n"
    "background 7\n"
    "key .\n"
    "key # main=1   # grassy earth\n"
    "key w water actor=40 lift=26\n"
    "key p main=33\n"
    "map\n";

TEST(StageSource, SymbolsFillEveryLayerOfTheirCells) {
    const EditorStage stage = Parsed(kHeader + Map("#w#p........"));
    EXPECT_EQ(stage.background, 7);
    ASSERT_EQ(stage.width, 12);
    ASSERT_EQ(stage.height, 8);
    ASSERT_EQ(stage.cells.size(), 96u);
    EXPECT_EQ(stage.cells[0], MapCell{});
    EXPECT_EQ(stage.cells[84], (MapCell{1, 0, 0, 0}));
    EXPECT_EQ(stage.cells[85], (MapCell{0, 40, 26, 25}));
    EXPECT_EQ(stage.cells[86], (MapCell{1, 0, 0, 0}));
    EXPECT_EQ(stage.cells[87], (MapCell{33, 0, 0, 0}));
}

TEST(StageSource, CarriageReturnsAndCommentLinesAreIgnored) {
    std::string text = "# first\r\n\r\nbackground 2\r\nkey . \r\n# between\r\nmap\r\n";
    for (int i = 0; i < 8; ++i)
        text += "............\r\n";
    const EditorStage stage = Parsed(text);
    EXPECT_EQ(stage.background, 2);
    EXPECT_EQ(stage.width, 12);
    EXPECT_EQ(stage.height, 8);
}

TEST(StageSource, UnknownSymbolIsNamedWithItsPlace) {
    const StageSourceError error = Refused(kHeader + Map("##x#........"));
    EXPECT_EQ(error.line, 15);
    EXPECT_EQ(error.column, 3);
    EXPECT_NE(error.message.find("'x'"), std::string::npos) << error.message;
}

TEST(StageSource, RowsOfDifferentLengthAreRefused) {
    EXPECT_EQ(Refused(kHeader + Map("#############")).line, 15);
}

TEST(StageSource, CodesALayerCannotHoldAreRefused) {
    for (const std::string key : {"main=12", "main=25", "main=29", "actor=31", "actor=64",
                                  "lift=20", "lift=11", "main=256", "main=x", "main", "depth=2"}) {
        const StageSourceError error =
            Refused("background 0\nkey . \nkey z " + key + "\nmap\n" + Map("............"));
        EXPECT_EQ(error.line, 3) << key;
        EXPECT_EQ(error.column, 7) << key;
    }
}

TEST(StageSource, SymbolWithTwoKeysIsRefused) {
    EXPECT_EQ(Refused("background 0\nkey . \nkey . main=1\nmap\n" + Map("............")).line, 3);
}

TEST(StageSource, MissingOrBadHeaderLinesAreRefused) {
    EXPECT_EQ(Refused("key . \nmap\n" + Map("............")).line, 2);
    EXPECT_EQ(Refused("background 16\nkey . \nmap\n" + Map("............")).line, 1);
    EXPECT_EQ(Refused("background 1\nbackground 2\nkey . \nmap\n" + Map("............")).line, 2);
    EXPECT_EQ(Refused("background 1\nsize 12 8\nmap\n").line, 2);
    EXPECT_EQ(Refused("background 1\nkey . \n").line, 2);
    EXPECT_EQ(Refused("background 1\nkey . \nmap\n").line, 3);
}

TEST(StageSource, MapsTheEditorCannotMakeAreRefused) {
    std::string small = "background 0\nkey . \nmap\n";
    for (int i = 0; i < 7; ++i)
        small += "............\n";
    EXPECT_NE(Refused(small).message.find("12 x 7"), std::string::npos);
    std::string thin = "background 0\nkey . \nmap\n";
    for (int i = 0; i < 8; ++i)
        thin += "...........\n";
    EXPECT_NE(Refused(thin).message.find("11 x 8"), std::string::npos);
}

}  // namespace
}  // namespace tovek

#include <gtest/gtest.h>

#include "editor/core/map_size.h"
#include "editor/core/map_view.h"
#include "editor/core/painting.h"
#include "editor/core/size_dialog.h"
#include "tests/editor/editor_test_support.h"

namespace quorle::testing {
namespace {

const MessageRequest kWidthRefused =
    Box("12～255の数字を入れて下さい。", MessageButtons::Ok, MessageIcon::Error);
const MessageRequest kHeightRefused =
    Box("8～255の数字を入れて下さい。", MessageButtons::Ok, MessageIcon::Error);
const MessageRequest kSizeQuestion =
    Box("マップサイズを変更します。", MessageButtons::OkCancel, MessageIcon::Information);

class MapSize : public EditorTest {
  protected:
    void TypeSize(const std::string& width, const std::string& height) {
        txtSize_Change(editor, 0, width);
        txtSize_Change(editor, 1, height);
        txtSize_LostFocus(editor, 0);
    }
    // Column x of row 0 holds main tile x + 1 (up to 255).
    void NumberTheColumns() {
        for (int y = 0; y < editor.mapHeight; ++y) {
            for (int x = 0; x < editor.mapWidth; ++x) {
                editor.map.At(x, y).mainTile = static_cast<std::uint8_t>(x + 1);
                editor.map.At(x, y).water = static_cast<std::uint8_t>(y);
            }
        }
    }
};

TEST_F(MapSize, OutOfRangeWidthsAreRefusedAndTheBoxGetsTheWidthBack) {
    for (const char* text : {"11", "256", "abc", "", "99999", "11.4"}) {
        services.ExpectMessage(kWidthRefused, MessageAnswer::Ok);
        TypeSize(text, "8");
        EXPECT_EQ(editor.txtSize[0].text, "48") << text;
        EXPECT_TRUE(editor.txtSize[0].wholeTextSelected);
        EXPECT_EQ(editor.mapWidth, 48);
    }
}

TEST_F(MapSize, OutOfRangeHeightsAreRefusedAndTheBoxGetsTheHeightBack) {
    for (const char* text : {"7", "256", "x8", "7.4"}) {
        services.ExpectMessage(kHeightRefused, MessageAnswer::Ok);
        TypeSize("20", text);
        EXPECT_EQ(editor.txtSize[1].text, "8") << text;
        EXPECT_TRUE(editor.txtSize[1].wholeTextSelected);
        EXPECT_EQ(editor.txtSize[0].text, "20");
        EXPECT_EQ(editor.mapWidth, 48);
    }
}

TEST_F(MapSize, TheLimitsThemselvesAreAccepted) {
    services.ExpectMessage(kSizeQuestion, MessageAnswer::Ok);
    TypeSize("12", "8.4");
    EXPECT_EQ(editor.mapWidth, 12);
    EXPECT_EQ(editor.mapHeight, 8);
    services.ExpectMessage(kSizeQuestion, MessageAnswer::Ok);
    TypeSize(" 255 ", "255");
    EXPECT_EQ(editor.mapWidth, 255);
    EXPECT_EQ(editor.mapHeight, 255);
    EXPECT_EQ(editor.map.Width(), 255);
    EXPECT_EQ(editor.txtSize[0].text, "255");
    EXPECT_EQ(editor.hscrMain.max, 243);
    EXPECT_EQ(editor.vscrMain.max, 247);
}

TEST_F(MapSize, TheCurrentSizeAsksNothingAndChangesNothing) {
    TypeSize("48", "8");
    TypeSize("48.0", " 8");
    EXPECT_FALSE(editor.modified);
    EXPECT_TRUE(services.shown.empty());
}

TEST_F(MapSize, CancelInTheQuestionPutsTheBoxesBack) {
    services.ExpectMessage(kSizeQuestion, MessageAnswer::Cancel);
    TypeSize("30", "9");
    EXPECT_EQ(editor.mapWidth, 48);
    EXPECT_EQ(editor.txtSize[0].text, "48");
    EXPECT_EQ(editor.txtSize[1].text, "8");
    EXPECT_FALSE(editor.modified);
}

TEST_F(MapSize, EnterDoesWhatLeavingTheBoxDoes) {
    txtSize_Change(editor, 1, "10");
    txtSize_KeyDown(editor, 1, 65);
    EXPECT_EQ(editor.mapHeight, 8);
    services.ExpectMessage(kSizeQuestion, MessageAnswer::Ok);
    txtSize_KeyDown(editor, 1, kEnterKey);
    EXPECT_EQ(editor.mapHeight, 10);
}

TEST_F(MapSize, ShrinkingKeepsTheOverlapAndGrowingAddsEmptyCells) {
    NumberTheColumns();
    services.ExpectMessage(kSizeQuestion, MessageAnswer::Ok);
    TypeSize("20", "8");
    EXPECT_TRUE(editor.modified);
    EXPECT_EQ(editor.caption, "Quorle*");
    for (int x = 0; x < 20; ++x)
        EXPECT_EQ(editor.map.At(x, 5).mainTile, x + 1);
    services.ExpectMessage(kSizeQuestion, MessageAnswer::Ok);
    TypeSize("48", "10");
    for (int y = 0; y < 10; ++y) {
        for (int x = 0; x < 48; ++x) {
            const MapCell expected = x < 20 && y < 8
                                         ? MapCell{.mainTile = static_cast<std::uint8_t>(x + 1),
                                                   .water = static_cast<std::uint8_t>(y)}
                                         : MapCell{};
            EXPECT_EQ(editor.map.At(x, y), expected) << x << "," << y;
        }
    }
}

TEST_F(MapSize, AfterShrinkingScrolledFarRightTheViewShowsTheNewRightEdge) {
    NumberTheColumns();
    hscrMain_Change(editor, 36);
    services.ExpectMessage(kSizeQuestion, MessageAnswer::Ok);
    TypeSize("20", "8");
    EXPECT_EQ(editor.hscrMain.max, 8);
    EXPECT_EQ(editor.hscrMain.value, 8);
    ClickCell(kRightButton, 11, 0);
    EXPECT_EQ(editor.lblPlace, "19, 0");
}

TEST_F(MapSize, AFreshMapResetsTheScrollBarsAndIsNotModified) {
    hscrMain_Change(editor, 20);
    SetMapSize(editor, 60, 30, true);
    EXPECT_EQ(editor.hscrMain.value, 0);
    EXPECT_EQ(editor.hscrMain.max, 48);
    EXPECT_EQ(editor.vscrMain.max, 22);
    EXPECT_FALSE(editor.modified);
    EXPECT_EQ(editor.txtSize[0].text, "60");
    EXPECT_EQ(editor.txtSize[1].text, "30");
}

TEST_F(MapSize, ScrollValuesStayInTheirRange) {
    hscrMain_Change(editor, 99);
    EXPECT_EQ(editor.hscrMain.value, 36);
    hscrMain_Change(editor, -3);
    EXPECT_EQ(editor.hscrMain.value, 0);
    vscrMain_Change(editor, 1);
    EXPECT_EQ(editor.vscrMain.value, 0);
    EXPECT_EQ(editor.hscrMain.largeChange, 12);
    EXPECT_EQ(editor.vscrMain.largeChange, 8);
}

TEST_F(MapSize, TheDialogStartsWithTheCurrentSizeAndAppliesItsOwnBoxes) {
    NumberTheColumns();
    services.ExpectSizeDialog([](SizeDialog& dialog) {
        EXPECT_EQ(dialog.txtSize[0].text, "48");
        EXPECT_EQ(dialog.txtSize[1].text, "8");
        dialog.txtSize_Change(0, "13");
        dialog.txtSize_Change(1, "9");
        dialog.cmdSize_Click(0);
        EXPECT_TRUE(dialog.closed);
    });
    services.ExpectMessage(kSizeQuestion, MessageAnswer::Ok);
    mnuSize_Click(editor);
    EXPECT_EQ(editor.mapWidth, 13);
    EXPECT_EQ(editor.mapHeight, 9);
    EXPECT_EQ(editor.map.Width(), 13);
    EXPECT_EQ(editor.map.Height(), 9);
    EXPECT_EQ(editor.map.At(12, 7).mainTile, 13);
    EXPECT_EQ(editor.map.At(12, 8).mainTile, 0);
    EXPECT_EQ(editor.txtSize[0].text, "13");
    EXPECT_EQ(editor.txtSize[1].text, "9");
    EXPECT_TRUE(editor.modified);
    EXPECT_FALSE(editor.dialogAccepted);
}

TEST_F(MapSize, TheDialogStaysOpenAfterARefusedNumber) {
    services.ExpectSizeDialog([this](SizeDialog& dialog) {
        dialog.txtSize_Change(1, "300");
        services.ExpectMessage(kHeightRefused, MessageAnswer::Ok);
        dialog.cmdSize_Click(0);
        EXPECT_FALSE(dialog.closed);
        EXPECT_EQ(dialog.txtSize[1].text, "8");
        EXPECT_TRUE(dialog.txtSize[1].wholeTextSelected);
        EXPECT_EQ(editor.txtSize[1].text, "8");
        dialog.cmdSize_Click(1);
        EXPECT_TRUE(dialog.closed);
    });
    mnuSize_Click(editor);
    EXPECT_EQ(editor.mapHeight, 8);
    EXPECT_FALSE(editor.modified);
}

TEST_F(MapSize, TheDialogClosesWithoutChangeOnTheSameSizeOrCancel) {
    services.ExpectSizeDialog([](SizeDialog& dialog) {
        dialog.cmdSize_Click(0);
        EXPECT_TRUE(dialog.closed);
    });
    mnuSize_Click(editor);
    services.ExpectSizeDialog([this](SizeDialog& dialog) {
        dialog.txtSize_Change(0, "100");
        services.ExpectMessage(kSizeQuestion, MessageAnswer::Cancel);
        dialog.cmdSize_Click(0);
        EXPECT_TRUE(dialog.closed);
    });
    mnuSize_Click(editor);
    services.ExpectSizeDialog([](SizeDialog& dialog) { dialog.txtSize_Change(0, "100"); });
    mnuSize_Click(editor);  // closed by the window button
    EXPECT_EQ(editor.mapWidth, 48);
    EXPECT_FALSE(editor.modified);
}

}  // namespace
}  // namespace quorle::testing

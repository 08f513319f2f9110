#include <gtest/gtest.h>

#include "editor/core/document.h"
#include "editor/core/map_size.h"
#include "editor/core/map_view.h"
#include "editor/core/painting.h"
#include "editor/core/regions.h"
#include "tests/editor/editor_test_support.h"

namespace quorle::testing {
namespace {

const std::string kOverwriteWarning =
    "\r\n現在上書きモードなので、塗りつぶしたところのデータはすべて消えます。";

class Regions : public EditorTest {
  protected:
    // Every cell (x, y) of the map gets a distinct main tile and actor.
    void FillWithPattern() {
        for (int y = 0; y < editor.mapHeight; ++y) {
            for (int x = 0; x < editor.mapWidth; ++x) {
                editor.map.At(x, y) = PatternCell(x, y);
            }
        }
    }
    static MapCell PatternCell(int x, int y) {
        return MapCell{.mainTile = static_cast<std::uint8_t>(64 + (x + 3 * y) % 16),
                       .actorCode = static_cast<std::uint8_t>(32 + (x * 5 + y) % 32),
                       .liftCode = static_cast<std::uint8_t>(y % 2 == 0 ? 0 : 26),
                       .water = static_cast<std::uint8_t>(x % 3 == 0 ? 25 : 0)};
    }
    std::array<int, 4> RegionFrame() const {
        return {editor.shpRegion.left, editor.shpRegion.top, editor.shpRegion.width,
                editor.shpRegion.height};
    }
};

TEST_F(Regions, CutAndCopyPromptForTheStartWithABlackCursor) {
    for (int index : {0, 1}) {
        const int beeps = services.beeps;
        mnuMap_Click(editor, index);
        EXPECT_EQ(services.beeps, beeps + 1);
        EXPECT_EQ(editor.lblStatus, "始点を設定して下さい。");
        EXPECT_TRUE(editor.mnuMapEnabled[4]);
        EXPECT_EQ(editor.shpMain.colour, kBlack);
        EXPECT_EQ(editor.editMode, index + 1);
    }
}

TEST_F(Regions, TheStartClickPromptsForTheEndAndShowsTheFrame) {
    hscrMain_Change(editor, 4);
    mnuMap_Click(editor, 0);
    const int beeps = services.beeps;
    ClickCell(kRightButton, 2, 3);
    EXPECT_EQ(editor.regionStartX, 6);
    EXPECT_EQ(editor.regionStartY, 3);
    EXPECT_EQ(editor.lblStatus, "始点:(6, 3)\r\n終点を指定して下さい。");
    EXPECT_EQ(services.beeps, beeps + 1);
    EXPECT_TRUE(editor.shpRegion.visible);
    EXPECT_EQ(RegionFrame(), (std::array{64, 96, 32, 32}));
    EXPECT_EQ(editor.editMode, 3);
    EXPECT_FALSE(editor.modified);
}

TEST_F(Regions, CutEmptiesTheRectangleIntoTheClipInEitherCornerOrder) {
    for (bool bottomRightFirst : {false, true}) {
        FillWithPattern();
        mnuMap_Click(editor, 0);
        ClickCell(kLeftButton, bottomRightFirst ? 5 : 2, bottomRightFirst ? 6 : 1);
        ClickCell(kLeftButton, bottomRightFirst ? 2 : 5, bottomRightFirst ? 1 : 6);
        ASSERT_EQ(editor.clipWidth, 4);
        ASSERT_EQ(editor.clipHeight, 6);
        for (int y = 0; y < 8; ++y) {
            for (int x = 0; x < 12; ++x) {
                const bool inside = x >= 2 && x <= 5 && y >= 1 && y <= 6;
                EXPECT_EQ(editor.map.At(x, y), inside ? MapCell{} : PatternCell(x, y));
                if (inside) {
                    EXPECT_EQ(editor.clip.At(x - 2, y - 1), PatternCell(x, y));
                }
            }
        }
        EXPECT_EQ(editor.lblStatus, "切り取りが完了しました。");
        EXPECT_TRUE(editor.modified);
        EXPECT_EQ(editor.editMode, 0);
        EXPECT_FALSE(editor.mnuMapEnabled[4]);
        EXPECT_EQ(editor.shpMain.colour, kRed);
        EXPECT_TRUE(editor.shpRegion.visible);
        EXPECT_EQ(RegionFrame(), (std::array{64, 32, 128, 192}));
    }
}

TEST_F(Regions, CopyKeepsTheMapAndTheModifiedMark) {
    FillWithPattern();
    mnuMap_Click(editor, 1);
    ClickCell(kLeftButton, 7, 2);
    const int beeps = services.beeps;
    ClickCell(kLeftButton, 7, 2);
    EXPECT_EQ(services.beeps, beeps + 1);
    EXPECT_EQ(editor.clipWidth, 1);
    EXPECT_EQ(editor.clipHeight, 1);
    EXPECT_EQ(editor.clip.At(0, 0), PatternCell(7, 2));
    EXPECT_EQ(editor.map.At(7, 2), PatternCell(7, 2));
    EXPECT_EQ(editor.lblStatus, "コピーが完了しました。");
    EXPECT_FALSE(editor.modified);
    mnuMap_Click(editor, 2);
    EXPECT_EQ(editor.lblStatus,
              "現在1×1のデータがコピーされています。\r\n左上端の移動位置を設定して下さい。");
}

TEST_F(Regions, PasteWithAnEmptyClipOnlySaysSo) {
    mnuMap_Click(editor, 2);
    EXPECT_EQ(editor.lblStatus, "貼り付けるデータがありません。");
    EXPECT_EQ(editor.editMode, 0);
    EXPECT_FALSE(editor.mnuMapEnabled[4]);
    EXPECT_EQ(services.beeps, 1);
}

TEST_F(Regions, PasteWritesWholeCellsEvenInInsertModeAndCanBeRepeated) {
    FillWithPattern();
    mnuMap_Click(editor, 1);
    ClickCell(kLeftButton, 0, 0);
    ClickCell(kLeftButton, 1, 1);
    mnuInsert_Click(editor);
    editor.map.At(0, 0) = MapCell{.mainTile = 3};  // an empty layer of the clip must win
    editor.clip.At(0, 0).liftCode = 0;
    for (const auto& [cx, cy] : {std::pair{6, 3}, std::pair{9, 5}}) {
        mnuMap_Click(editor, 2);
        EXPECT_EQ(editor.shpMain.colour, kBlack);
        EXPECT_EQ(editor.editMode, 5);
        ClickCell(kRightButton, cx, cy);
        for (int j = 0; j < 2; ++j) {
            for (int i = 0; i < 2; ++i) {
                EXPECT_EQ(editor.map.At(cx + i, cy + j), editor.clip.At(i, j));
            }
        }
        EXPECT_EQ(editor.lblStatus, "貼り付けが完了しました。");
        EXPECT_EQ(editor.editMode, 0);
        EXPECT_EQ(RegionFrame(), (std::array{cx * 32, cy * 32, 64, 64}));
    }
    EXPECT_TRUE(editor.modified);
    EXPECT_EQ(editor.clipWidth, 2);
}

TEST_F(Regions, PasteNearTheEdgeDropsWhatFallsOutside) {
    FillWithPattern();
    mnuMap_Click(editor, 1);
    ClickCell(kLeftButton, 0, 0);
    ClickCell(kLeftButton, 3, 2);
    hscrMain_Change(editor, 36);
    mnuMap_Click(editor, 2);
    ClickCell(kLeftButton, 10, 6);  // map cell (46, 6): two columns and rows fit
    for (int j = 0; j < 2; ++j) {
        for (int i = 0; i < 2; ++i) {
            EXPECT_EQ(editor.map.At(46 + i, 6 + j), PatternCell(i, j));
        }
    }
    EXPECT_EQ(RegionFrame(), (std::array{320, 192, 128, 96}));
}

TEST_F(Regions, PasteDoesNotShowAHiddenFrame) {
    mnuMap_Click(editor, 1);
    ClickCell(kLeftButton, 0, 0);
    ClickCell(kLeftButton, 0, 0);
    ClickCell(kLeftButton, 5, 5);  // a paint click hides the frame
    mnuMap_Click(editor, 2);
    ClickCell(kLeftButton, 3, 3);
    EXPECT_FALSE(editor.shpRegion.visible);
    EXPECT_EQ(RegionFrame(), (std::array{96, 96, 32, 32}));
}

TEST_F(Regions, FillPromptsWithAGreyCursorAndWarnsInOverwriteMode) {
    mnuMap_Click(editor, 3);
    EXPECT_EQ(editor.lblStatus, "塗りつぶす始点を設定して下さい。" + kOverwriteWarning);
    EXPECT_EQ(editor.shpMain.colour, kGrey);
    EXPECT_EQ(editor.editMode, 6);
    mnuInsert_Click(editor);
    mnuMap_Click(editor, 3);
    EXPECT_EQ(editor.lblStatus, "塗りつぶす始点を設定して下さい。");
}

TEST_F(Regions, FillUsesTheLeftToolWhicheverButtonClicks) {
    FillWithPattern();
    Pick(kLeftButton, 13, true);
    Pick(kRightButton, 9);
    mnuMap_Click(editor, 3);
    ClickCell(kRightButton, 4, 4);
    EXPECT_EQ(editor.editMode, 7);
    ClickCell(kRightButton, 1, 2);
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 12; ++x) {
            const bool inside = x >= 1 && x <= 4 && y >= 2 && y <= 4;
            EXPECT_EQ(editor.map.At(x, y), inside ? MapCell{.liftCode = 17} : PatternCell(x, y));
        }
    }
    EXPECT_EQ(editor.lblStatus, "塗りつぶしが完了しました。");
    EXPECT_EQ(RegionFrame(), (std::array{32, 64, 128, 96}));
    EXPECT_TRUE(editor.modified);
    EXPECT_EQ(editor.editMode, 0);
}

TEST_F(Regions, FillInInsertModeKeepsTheLayersUnderIt) {
    FillWithPattern();
    mnuInsert_Click(editor);
    Pick(kLeftButton, 25);
    mnuMap_Click(editor, 3);
    ClickCell(kLeftButton, 0, 0);
    ClickCell(kLeftButton, 2, 0);
    for (int x = 0; x <= 2; ++x) {
        MapCell expected = PatternCell(x, 0);
        expected.water = 25;
        EXPECT_EQ(editor.map.At(x, 0), expected);
    }
}

TEST_F(Regions, FillWithTheEraserEmptiesInOverwriteModeOnly) {
    FillWithPattern();
    Pick(kLeftButton, 0);
    mnuMap_Click(editor, 3);
    ClickCell(kLeftButton, 0, 0);
    ClickCell(kLeftButton, 1, 0);
    EXPECT_EQ(editor.map.At(0, 0), MapCell{});
    EXPECT_EQ(editor.map.At(1, 0), MapCell{});

    mnuInsert_Click(editor);
    SetModified(editor, false);
    mnuMap_Click(editor, 3);
    ClickCell(kLeftButton, 5, 5);
    ClickCell(kLeftButton, 6, 6);
    EXPECT_EQ(editor.map.At(6, 6), PatternCell(6, 6));
    EXPECT_TRUE(editor.modified);
}

TEST_F(Regions, FillWithAPortToolPaintsEveryCellAsAPort) {
    editor.map.At(1, 0).mainTile = 35;
    editor.map.At(2, 0).mainTile = 47;
    editor.map.At(3, 0).mainTile = 50;
    Pick(kLeftButton, 28);
    mnuMap_Click(editor, 3);
    ClickCell(kLeftButton, 0, 0);
    ClickCell(kLeftButton, 3, 1);
    const int expectedRow0[] = {32, 36, 32, 32};
    for (int x = 0; x < 4; ++x) {
        EXPECT_EQ(editor.map.At(x, 0).mainTile, expectedRow0[x]) << x;
        EXPECT_EQ(editor.map.At(x, 1).mainTile, 32) << x;
    }
    Pick(kLeftButton, 29);
    mnuMap_Click(editor, 3);
    ClickCell(kLeftButton, 0, 0);
    ClickCell(kLeftButton, 0, 0);
    EXPECT_EQ(editor.map.At(0, 0).mainTile, 48);
    for (const MapCell& cell : editor.map.Cells()) {
        EXPECT_NE(cell.mainTile, 28);
        EXPECT_NE(cell.mainTile, 29);
    }
}

TEST_F(Regions, CancelEndsAnyWaitAndLeavesTheFrame) {
    mnuMap_Click(editor, 0);
    ClickCell(kLeftButton, 3, 3);
    mnuMap_Click(editor, 4);
    EXPECT_EQ(editor.lblStatus, "動作は取り消されました。");
    EXPECT_EQ(editor.editMode, 0);
    EXPECT_FALSE(editor.mnuMapEnabled[4]);
    EXPECT_EQ(editor.shpMain.colour, kRed);
    EXPECT_TRUE(editor.shpRegion.visible);
    ClickCell(kLeftButton, 3, 3);
    EXPECT_EQ(editor.map.At(3, 3).mainTile, 1);
    EXPECT_EQ(editor.clipWidth, 0);
}

TEST_F(Regions, AnotherCommandReplacesTheWaitingOne) {
    mnuMap_Click(editor, 0);
    ClickCell(kLeftButton, 3, 3);
    mnuMap_Click(editor, 3);
    EXPECT_EQ(editor.editMode, 6);
    EXPECT_EQ(editor.shpMain.colour, kGrey);
}

TEST_F(Regions, OtherIndexesDoNothing) {
    mnuMap_Click(editor, 5);
    mnuMap_Click(editor, -1);
    EXPECT_EQ(services.beeps, 0);
    EXPECT_EQ(editor.editMode, 0);
}

TEST_F(Regions, TheFrameFollowsTheScrolling) {
    mnuMap_Click(editor, 1);
    ClickCell(kLeftButton, 2, 2);
    ClickCell(kLeftButton, 3, 4);
    hscrMain_Change(editor, 5);
    EXPECT_EQ(RegionFrame(), (std::array{-96, 64, 64, 96}));
}

TEST_F(Regions, ASizeChangeBetweenTheClicksLimitsTheOperationToTheMap) {
    services.ExpectMessage(
        Box("マップサイズを変更します。", MessageButtons::OkCancel, MessageIcon::Information),
        MessageAnswer::Ok);
    FillWithPattern();
    hscrMain_Change(editor, 36);
    mnuMap_Click(editor, 0);
    ClickCell(kLeftButton, 11, 2);  // map cell (47, 2)
    txtSize_Change(editor, 0, "20");
    txtSize_LostFocus(editor, 0);
    ASSERT_EQ(editor.hscrMain.value, 8);
    ClickCell(kLeftButton, 9, 4);  // map cell (17, 4)
    EXPECT_EQ(editor.clipWidth, 3);
    EXPECT_EQ(editor.clipHeight, 3);
    for (int y = 2; y <= 4; ++y) {
        for (int x = 17; x < 20; ++x)
            EXPECT_EQ(editor.map.At(x, y), MapCell{});
        EXPECT_EQ(editor.map.At(16, y), PatternCell(16, y));
    }
}

TEST_F(Regions, AFillAfterTheMapShrankStaysInside) {
    const MessageRequest question =
        Box("マップサイズを変更します。", MessageButtons::OkCancel, MessageIcon::Information);
    services.ExpectMessage(question, MessageAnswer::Ok);
    txtSize_Change(editor, 1, "20");
    txtSize_LostFocus(editor, 1);
    vscrMain_Change(editor, 12);
    mnuMap_Click(editor, 3);
    ClickCell(kLeftButton, 0, 7);  // map cell (0, 19)
    services.ExpectMessage(question, MessageAnswer::Ok);
    txtSize_Change(editor, 1, "10");
    txtSize_LostFocus(editor, 1);
    ClickCell(kLeftButton, 1, 0);  // map cell (1, 2)
    for (int y = 0; y < 10; ++y) {
        for (int x = 0; x < 48; ++x) {
            EXPECT_EQ(editor.map.At(x, y).mainTile, x <= 1 && y >= 2 ? 1 : 0) << x << "," << y;
        }
    }
}

}  // namespace
}  // namespace quorle::testing

// Undo and redo: every edit the user sees as one is one step, and undo and
// redo give back the exact document and modified mark.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "editor/core/document.h"
#include "editor/core/geometry.h"
#include "editor/core/map_size.h"
#include "editor/core/painting.h"
#include "editor/core/palette.h"
#include "editor/core/regions.h"
#include "editor/core/stage_files.h"
#include "editor/core/undo_redo.h"
#include "tests/editor/editor_test_support.h"

namespace quorle::testing {
namespace {

const MessageRequest kResizeQuestion =
    Box("マップサイズを変更します。", MessageButtons::OkCancel, MessageIcon::Information);

// A 20 x 10 stage of background 2 with something in every layer here and
// there, including the far corner that a shrink drops.
tovek::EditorStage BusyStage() {
    tovek::EditorStage stage = EmptyStage(20, 10, 2);
    for (int y = 0; y < stage.height; ++y) {
        for (int x = 0; x < stage.width; ++x) {
            MapCell& cell = stage.cells[static_cast<std::size_t>(y * stage.width + x)];
            if ((x + y) % 3 == 0) cell.mainTile = static_cast<std::uint8_t>(1 + x % 6);
            if ((x * y) % 5 == 1) cell.actorCode = static_cast<std::uint8_t>(32 + x);
            if (y == 9) cell.water = 25;
        }
    }
    return stage;
}

class Undo : public EditorTest {
  protected:
    StageDocument Document() const { return static_cast<const StageDocument&>(editor); }

    // A press at view cell (cx, cy), moves through `then`, a release.
    void Drag(int button, std::pair<int, int> from, const std::vector<std::pair<int, int>>& then) {
        pctMain_MouseDown(editor, button, from.first * kCell + 4, from.second * kCell + 4);
        for (auto [cx, cy] : then) {
            pctMain_MouseMove(editor, button, cx * kCell + 4, cy * kCell + 4);
        }
        const auto [lastX, lastY] = then.empty() ? from : then.back();
        pctMain_MouseUp(editor, button, lastX * kCell + 4, lastY * kCell + 4);
    }
    void Click(int cx, int cy) { Drag(kLeftButton, {cx, cy}, {}); }

    void OpenBusyStage() {
        WriteStage(3, BusyStage());
        editor.targetStage = 3;
        LoadStageFile(editor);
    }
};

struct NamedEdit {
    const char* name;
    std::function<void()> run;
};

TEST_F(Undo, EachEditIsOneStepThatUndoAndRedoGiveBackExactly) {
    const std::vector<NamedEdit> edits{
        {"drag of painting",
         [&] {
             Pick(kLeftButton, 3);
             Drag(kLeftButton, {1, 1}, {{2, 1}, {3, 2}, {3, 3}, {2, 1}});
         }},
        {"eraser drag in insert mode",
         [&] {
             mnuInsert_Click(editor);
             Drag(kRightButton, {0, 0}, {{1, 1}, {2, 2}});
             mnuInsert_Click(editor);
         }},
        {"cut",
         [&] {
             mnuMap_Click(editor, 0);
             Click(1, 1);
             Click(4, 3);
         }},
        {"paste",
         [&] {
             mnuMap_Click(editor, 1);
             Click(0, 0);
             Click(2, 2);
             mnuMap_Click(editor, 2);
             Click(10, 6);
         }},
        {"fill",
         [&] {
             Pick(kLeftButton, 13, true);
             mnuMap_Click(editor, 3);
             Click(2, 2);
             Click(7, 5);
         }},
        {"background", [&] { pctBack_MouseDown(editor, kLeftButton, 30, 60); }},
        {"shrink in the size boxes",
         [&] {
             services.ExpectMessage(kResizeQuestion, MessageAnswer::Ok);
             txtSize_Change(editor, 0, "12");
             txtSize_Change(editor, 1, "8");
             txtSize_LostFocus(editor, 0);
         }},
        {"growth in the size dialog",
         [&] {
             services.ExpectMessage(kResizeQuestion, MessageAnswer::Ok);
             services.ExpectSizeDialog([](SizeDialog& dialog) {
                 dialog.txtSize_Change(0, "40");
                 dialog.txtSize_Change(1, "30");
                 dialog.cmdSize_Click(0);
             });
             mnuSize_Click(editor);
         }},
    };
    for (const NamedEdit& edit : edits) {
        SCOPED_TRACE(edit.name);
        OpenBusyStage();
        const StageDocument before = Document();
        edit.run();
        const StageDocument after = Document();
        ASSERT_NE(after, before);
        ASSERT_TRUE(editor.history.CanUndo());
        EXPECT_EQ(editor.history.UndoCount(), 1u);

        mnuUndo_Click(editor);
        EXPECT_EQ(Document(), before);
        EXPECT_FALSE(editor.modified);
        EXPECT_EQ(editor.caption, "Quorle(3面)");
        EXPECT_EQ(editor.txtSize[0].text, std::to_string(before.mapWidth));
        EXPECT_FALSE(editor.history.CanUndo());

        mnuRedo_Click(editor);
        EXPECT_EQ(Document(), after);
        EXPECT_TRUE(editor.modified);
        EXPECT_EQ(editor.caption, "Quorle(3面)*");
        EXPECT_EQ(editor.hscrMain.max, after.mapWidth - kViewColumns);
        EXPECT_FALSE(editor.history.CanRedo());
    }
}

TEST_F(Undo, TheModifiedMarkFollowsTheSavedStateBothWays) {
    MakeStageFolder();
    Click(0, 0);
    editor.targetStage = 5;
    SaveStageFile(editor, true);
    Click(1, 0);
    ASSERT_TRUE(editor.modified);

    mnuUndo_Click(editor);  // back to what was saved
    EXPECT_FALSE(editor.modified);
    EXPECT_EQ(editor.caption, "Quorle(5面)");
    mnuUndo_Click(editor);  // before the save
    EXPECT_TRUE(editor.modified);
    EXPECT_EQ(editor.map.At(0, 0), MapCell{});
    mnuRedo_Click(editor);
    EXPECT_FALSE(editor.modified);
    mnuRedo_Click(editor);  // past the save
    EXPECT_TRUE(editor.modified);
    EXPECT_EQ(editor.map.At(1, 0).mainTile, 1);

    // A new edit after an undo drops the redo steps and with them the way
    // back to the saved state.
    mnuUndo_Click(editor);
    mnuUndo_Click(editor);
    Click(5, 5);
    EXPECT_FALSE(editor.history.CanRedo());
    mnuUndo_Click(editor);
    EXPECT_TRUE(editor.modified);
}

TEST_F(Undo, ASaveInTheMiddleOfADragSplitsItAtTheSave) {
    MakeStageFolder();
    editor.targetStage = 2;
    pctMain_MouseDown(editor, kLeftButton, 4, 4);
    pctMain_MouseMove(editor, kLeftButton, kCell + 4, 4);
    SaveStageFile(editor, true);
    const StageDocument saved = Document();
    pctMain_MouseMove(editor, kLeftButton, 2 * kCell + 4, 4);
    pctMain_MouseUp(editor, kLeftButton, 2 * kCell + 4, 4);
    ASSERT_TRUE(editor.modified);
    mnuUndo_Click(editor);
    EXPECT_EQ(Document(), saved);
    EXPECT_FALSE(editor.modified);
}

TEST_F(Undo, UndoInTheMiddleOfADragTakesBackWhatCameBeforeAndKeepsTheRest) {
    pctMain_MouseDown(editor, kLeftButton, 4, 4);
    pctMain_MouseMove(editor, kLeftButton, kCell + 4, 4);
    mnuUndo_Click(editor);
    EXPECT_EQ(editor.map.At(0, 0), MapCell{});
    EXPECT_EQ(editor.map.At(1, 0), MapCell{});
    pctMain_MouseMove(editor, kLeftButton, 2 * kCell + 4, 4);
    pctMain_MouseUp(editor, kLeftButton, 2 * kCell + 4, 4);
    EXPECT_EQ(editor.map.At(2, 0).mainTile, 1);
    mnuUndo_Click(editor);
    EXPECT_EQ(editor.map.At(2, 0), MapCell{});
    EXPECT_FALSE(editor.modified);
}

TEST_F(Undo, ASizeChangeInTheMiddleOfADragLeavesTheRestOfTheDragAStepOfItsOwn) {
    const StageDocument fresh = Document();
    pctMain_MouseDown(editor, kLeftButton, 4, 4);
    pctMain_MouseMove(editor, kLeftButton, kCell + 4, 4);
    services.ExpectMessage(kResizeQuestion, MessageAnswer::Ok);
    services.ExpectSizeDialog([](SizeDialog& dialog) {
        dialog.txtSize_Change(0, "40");
        dialog.cmdSize_Click(0);
    });
    mnuSize_Click(editor);  // its key, with the button still held
    pctMain_MouseMove(editor, kLeftButton, 2 * kCell + 4, 4);
    pctMain_MouseUp(editor, kLeftButton, 2 * kCell + 4, 4);
    ASSERT_EQ(editor.history.UndoCount(), 3u);
    mnuUndo_Click(editor);
    EXPECT_EQ(editor.map.At(2, 0), MapCell{});
    EXPECT_EQ(editor.mapWidth, 40);
    mnuUndo_Click(editor);
    mnuUndo_Click(editor);
    EXPECT_EQ(Document(), fresh);
    EXPECT_FALSE(editor.modified);
}

TEST_F(Undo, TheButtonStillHeldAfterTheOtherIsReleasedPaintsAStepOfItsOwn) {
    const StageDocument fresh = Document();
    Pick(kRightButton, 3);
    pctMain_MouseDown(editor, kLeftButton, 4, 4);
    pctMain_MouseDown(editor, kRightButton, kCell + 4, 4);
    pctMain_MouseUp(editor, kLeftButton, kCell + 4, 4);
    pctMain_MouseMove(editor, kRightButton, 2 * kCell + 4, 4);
    pctMain_MouseUp(editor, kRightButton, 2 * kCell + 4, 4);
    EXPECT_EQ(editor.map.At(2, 0).mainTile, 3);
    ASSERT_EQ(editor.history.UndoCount(), 3u);
    for (int step = 0; step < 3; ++step)
        mnuUndo_Click(editor);
    EXPECT_EQ(Document(), fresh);
    EXPECT_FALSE(editor.modified);
}

TEST_F(Undo, EditsThatChangeNothingMakeNoStep) {
    Drag(kRightButton, {4, 4}, {{5, 4}});  // the eraser over empty cells
    mnuMap_Click(editor, 1);               // a copy
    Click(0, 0);
    Click(3, 3);
    EXPECT_FALSE(editor.history.CanUndo());
}

TEST_F(Undo, OpeningOrANewMapClearsTheHistory) {
    OpenBusyStage();
    Click(1, 0);
    mnuUndo_Click(editor);
    ASSERT_TRUE(editor.history.CanRedo());
    OpenBusyStage();  // the same stage again: nothing to undo or redo
    EXPECT_FALSE(editor.history.CanUndo() || editor.history.CanRedo());

    Click(1, 0);
    services.ExpectMessage(
        Box("変更されています。保存しますか？", MessageButtons::YesNoCancel, MessageIcon::Warning),
        MessageAnswer::No);
    mnuNew_Click(editor);
    EXPECT_FALSE(editor.history.CanUndo());
}

TEST(EditHistory, KeepsAThousandStepsAndDropsTheOldestBeyondItsBudget) {
    StageDocument document{.map = CellGrid(48, 8), .mapWidth = 48, .mapHeight = 8};
    const auto paintSteps = [&document](EditHistory& history, int count) {
        for (int i = 0; i < count; ++i) {
            history.BeginEdit(document);
            document.map.At(i % 48, (i / 48) % 8).mainTile = static_cast<std::uint8_t>(1 + i % 11);
            ASSERT_TRUE(history.CommitEdit(document));
        }
    };
    const StageDocument empty = document;
    EditHistory unlimited;
    paintSteps(unlimited, 1200);
    EXPECT_EQ(unlimited.UndoCount(), 1200u);
    while (unlimited.CanUndo())
        unlimited.Undo(document);
    EXPECT_EQ(document, empty);
    EXPECT_TRUE(unlimited.AtSavedState());

    // A budget for a handful of one-cell steps keeps the newest ones.
    EditHistory small(unlimited.StoredBytes() / 1200 * 10);
    paintSteps(small, 100);
    const std::size_t kept = small.UndoCount();
    EXPECT_GE(kept, 5u);
    EXPECT_LE(kept, 10u);
    EXPECT_LE(small.StoredBytes(), unlimited.StoredBytes() / 1200 * 10);
    while (small.CanUndo())
        small.Undo(document);
    // The cells of the dropped steps stay as those steps left them, and the
    // saved state can no longer be reached.
    const int lastDropped = 99 - static_cast<int>(kept);
    EXPECT_EQ(document.map.At(99 % 48, 99 / 48).mainTile, 0);
    EXPECT_NE(document.map.At(lastDropped % 48, lastDropped / 48).mainTile, 0);
    EXPECT_FALSE(small.AtSavedState());

    small.Clear();
    EXPECT_FALSE(small.CanUndo() || small.CanRedo());
    EXPECT_TRUE(small.AtSavedState());
    EXPECT_EQ(small.StoredBytes(), 0u);
}

}  // namespace
}  // namespace quorle::testing

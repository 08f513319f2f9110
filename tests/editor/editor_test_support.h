#pragma once

#include <gtest/gtest.h>

#include <ostream>

#include <cstdint>
#include <deque>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "common/sheets.h"
#include "common/stage_file.h"
#include "editor/core/editor.h"
#include "editor/core/editor_services.h"
#include "editor/core/preview.h"
#include "editor/core/size_dialog.h"
#include "editor/core/stage_dialog.h"
#include "tests/support/temp_folder.h"

namespace tovek {
// Readable cells in test failures.
inline void PrintTo(const MapCell& cell, std::ostream* out) {
    *out << "{main " << int{cell.mainTile} << ", actor " << int{cell.actorCode} << ", lift "
         << int{cell.liftCode} << ", water " << int{cell.water} << "}";
}
}  // namespace tovek

namespace quorle::testing {

// Answers the editor's boxes and dialogs from a script and fails the test on
// any box or dialog the script did not expect.
class ScriptedServices : public EditorServices {
  public:
    // The next box must be exactly `expected`; it is answered with `answer`.
    void ExpectMessage(MessageRequest expected, MessageAnswer answer);
    // The same for a box whose text ends in something the system words.
    void ExpectMessageStartingWith(MessageRequest expected, MessageAnswer answer);
    void ExpectStageDialog(std::function<void(StageDialog&)> script);
    void ExpectSizeDialog(std::function<void(SizeDialog&)> script);
    void ExpectPreview(std::function<void(PreviewWindow&)> script);
    // Fails the test for every scripted step that never came.
    void VerifyAllUsed();

    int beeps = 0;
    std::vector<MessageRequest> shown;

    MessageAnswer ShowMessage(const MessageRequest& request) override;
    void Beep() override { ++beeps; }
    void ShowStageDialog(StageDialog& dialog) override;
    void ShowSizeDialog(SizeDialog& dialog) override;
    void ShowPreview(PreviewWindow& preview) override;

  private:
    struct ExpectedMessage {
        MessageRequest request;
        MessageAnswer answer;
        bool prefixOnly;
    };
    std::deque<ExpectedMessage> messages_;
    std::deque<std::function<void(StageDialog&)>> stageDialogs_;
    std::deque<std::function<void(SizeDialog&)>> sizeDialogs_;
    std::deque<std::function<void(PreviewWindow&)>> previews_;
};

MessageRequest Box(std::string text, MessageButtons buttons, MessageIcon icon);

// Sheets whose every cell differs: opaque tiles with distinct colours,
// masks white where transparent and black where solid over pictures that
// are black where transparent, backgrounds with a distinct colour per pixel.
tovek::PictureSheets TestSheets();
// Whether pixel (x, y) of the picture of mask cell `maskCode` is solid.
bool IsSolid(int maskCode, int x, int y);

// A fresh editor started up in an empty program folder whose map view has
// received the focus.
class EditorTest : public ::testing::Test {
  protected:
    EditorTest();
    void TearDown() override { services.VerifyAllUsed(); }

    // The stage folder of the program folder, created.
    std::filesystem::path MakeStageFolder();
    // Writes stage `number` into the stage folder with the editor's writer.
    void WriteStage(int number, const tovek::EditorStage& stage);
    std::vector<std::uint8_t> StageBytes(int number) const;

    // A press and release with `button` on view cell (cx, cy).
    void ClickCell(int button, int cx, int cy);
    // Picks palette code `code` for `button`, the lower half for a fast lift.
    void Pick(int button, int code, bool lowerHalf = false);

    tovek::test::TempFolder programFolder;
    ScriptedServices services;
    tovek::PictureSheets sheets;
    Editor editor;
};

// A stage of the given size with every cell empty.
tovek::EditorStage EmptyStage(int width, int height, int background = 0);

}  // namespace quorle::testing

// Quorle's core under any sequence of edits, made through the events the
// window forwards: paints and drags with any button and palette cell, cut,
// copy, paste and fill, resizes by the boxes and the dialog, background
// choices, the reverse and insert switches, scrolling, undo and redo. After
// every event the document is one the editor can save as it is; at the end
// undo gives back exactly the document opened, redo exactly the last one, and
// the stage writer and reader keep every layer.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "common/coded_stream.h"
#include "common/sheets.h"
#include "common/stage_file.h"
#include "common/stage_naming.h"
#include "editor/core/document.h"
#include "editor/core/geometry.h"
#include "editor/core/map_size.h"
#include "editor/core/map_view.h"
#include "editor/core/number_text.h"
#include "editor/core/painting.h"
#include "editor/core/palette.h"
#include "editor/core/regions.h"
#include "editor/core/size_dialog.h"
#include "editor/core/stage_dialog.h"
#include "editor/core/stage_files.h"
#include "editor/core/undo_redo.h"
#include "tests/fuzz/fuzz_check.h"
#include "tests/fuzz/layer_checks.h"
#include "tests/support/scrambled_bytes.h"
#include "tests/support/temp_folder.h"

namespace {

using namespace quorle;

// Enough events for drags across a map and undo over several steps, few
// enough for thousands of inputs a second.
constexpr int kMostEvents = 64;

// The input's bytes in order; past its end every byte reads 0.
class ByteSource {
  public:
    explicit ByteSource(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}
    bool Empty() const { return next_ >= bytes_.size(); }
    std::uint8_t Next() { return Empty() ? 0 : bytes_[next_++]; }
    int Below(int count) { return Next() % count; }

  private:
    std::span<const std::uint8_t> bytes_;
    std::size_t next_ = 0;
};

// A size box's text: small sizes, some of them refused.
std::string SizeText(ByteSource& input, int most) {
    return DecimalText(input.Below(most + 1));
}

// Boxes and dialogs answered from the input, as a user might.
class InputServices : public EditorServices {
  public:
    explicit InputServices(ByteSource& input) : input_(input) {}

    MessageAnswer ShowMessage(const MessageRequest& request) override {
        const bool agree = input_.Below(2) == 0;
        switch (request.buttons) {
            case MessageButtons::Ok:
                return MessageAnswer::Ok;
            case MessageButtons::OkCancel:
                return agree ? MessageAnswer::Ok : MessageAnswer::Cancel;
            case MessageButtons::YesNo:
                return agree ? MessageAnswer::Yes : MessageAnswer::No;
            case MessageButtons::YesNoCancel:
                return agree ? MessageAnswer::Yes : MessageAnswer::Cancel;
        }
        return MessageAnswer::Cancel;
    }
    void Beep() override {}
    void ShowStageDialog(StageDialog& dialog) override { dialog.Form_Unload(); }
    void ShowSizeDialog(SizeDialog& dialog) override {
        dialog.txtSize_Change(0, SizeText(input_, 48));
        dialog.txtSize_Change(1, SizeText(input_, 36));
        dialog.cmdSize_Click(input_.Below(2));
        if (!dialog.closed) dialog.Form_Unload();
    }
    void ShowPreview(PreviewWindow& /*preview*/) override {}

  private:
    ByteSource& input_;
};

enum Event {
    kPick,
    kPress,
    kMove,
    kRelease,
    kRegionCommand,
    kSizeBoxes,
    kSizeDialog,
    kBackground,
    kReverse,
    kInsert,
    kUndo,
    kRedo,
    kWheel,
    kEventCount
};

constexpr int kButtons[] = {kLeftButton, kRightButton, kMiddleButton};

// The middle of a cell of the map view, or of one just outside it.
std::pair<int, int> ViewPoint(ByteSource& input) {
    const int code = input.Next();
    const int column = code % (kViewColumns + 2) - 1;
    const int row = code / (kViewColumns + 2) % (kViewRows + 2) - 1;
    return {column * kCell + kCell / 2, row * kCell + kCell / 2};
}

// The stage file opened: its size, background and a few cells holding any
// values (the writer keeps those a layer can hold).
tovek::EditorStage OpenedStage(ByteSource& input) {
    tovek::EditorStage stage;
    stage.width = kMinMapWidth + input.Below(29);
    stage.height = kMinMapHeight + input.Below(23);
    stage.background = input.Next();
    stage.cells.resize(static_cast<std::size_t>(stage.width) * stage.height);
    for (int count = input.Below(8); count > 0; --count) {
        const std::size_t at = (input.Next() * 256u + input.Next()) % stage.cells.size();
        stage.cells[at] = MapCell{input.Next(), input.Next(), input.Next(), input.Next()};
    }
    return stage;
}

// Sizes within limits, a grid of exactly the declared size, every cell
// storable.
void CheckValid(const Editor& editor) {
    FUZZ_CHECK(editor.mapWidth >= kMinMapWidth && editor.mapWidth <= kMaxMapWidth);
    FUZZ_CHECK(editor.mapHeight >= kMinMapHeight && editor.mapHeight <= kMaxMapHeight);
    FUZZ_CHECK(editor.background >= 0 && editor.background <= 255);
    FUZZ_CHECK(editor.map.Width() == editor.mapWidth && editor.map.Height() == editor.mapHeight);
    FUZZ_CHECK(editor.map.Cells().size() ==
               static_cast<std::size_t>(editor.mapWidth) * editor.mapHeight);
    FUZZ_CHECK(tovek::fuzz::AllStorable(editor.map.Cells()));
}

StageDocument Document(const Editor& editor) {
    return editor;
}

// One event; `held` is the set of mouse buttons held on the map view. The
// mouse is captured by the map view during a drag: the palette, the
// background chooser and the size boxes take clicks only when no button is
// held, while the keys of the menus work at any time.
void RunEvent(Editor& editor, ByteSource& input, int& held) {
    switch (input.Below(kEventCount)) {
        case kPick:
            if (held == 0) {
                const int code = input.Below(80);
                const int button = kButtons[input.Below(2)];
                pctBase_MouseDown(editor, button, code % 16 * kCell + 4,
                                  code / 16 * kCell + (input.Below(2) == 0 ? 4 : 20));
            }
            break;
        case kPress: {
            const int button = kButtons[input.Below(3)];
            const auto [x, y] = ViewPoint(input);
            if ((held & button) == 0) {
                held |= button;
                pctMain_MouseDown(editor, button, x, y);
            }
            break;
        }
        case kMove: {
            const auto [x, y] = ViewPoint(input);
            pctMain_MouseMove(editor, held, x, y);
            break;
        }
        case kRelease: {
            const int button = kButtons[input.Below(3)];
            const auto [x, y] = ViewPoint(input);
            if ((held & button) != 0) {
                held &= ~button;
                pctMain_MouseUp(editor, button, x, y);
            }
            break;
        }
        case kRegionCommand:
            mnuMap_Click(editor, input.Below(5));
            break;
        case kSizeBoxes:
            if (held == 0) {
                txtSize_Change(editor, 0, SizeText(input, 48));
                txtSize_Change(editor, 1, SizeText(input, 36));
                txtSize_KeyDown(editor, input.Below(2), kEnterKey);
            }
            break;
        case kSizeDialog:
            mnuSize_Click(editor);
            break;
        case kBackground:
            if (held == 0) {
                pctBack_MouseDown(editor, kLeftButton, input.Below(4) * 28 + 14,
                                  input.Below(4) * 28 + 14);
            }
            break;
        case kReverse:
            cheRev_Click(editor, input.Below(2));
            break;
        case kInsert:
            optIns_Click(editor, input.Below(2));
            break;
        case kUndo:
            mnuUndo_Click(editor);
            break;
        case kRedo:
            mnuRedo_Click(editor);
            break;
        case kWheel:
            pctMain_MouseWheel(editor, input.Below(9) - 4, input.Below(7) - 3);
            break;
    }
}

// Sheets without pictures, and a map view without pixels below: what the
// view shows is not judged here, and drawing it took nearly all the time.
const tovek::PictureSheets kNoPictures;

// The program folder, whose stage folder holds the stage opened.
const std::filesystem::path& ProgramFolder() {
    static const tovek::test::TempFolder folder;
    return folder.Path();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    ByteSource input(std::span(data, size));
    InputServices services(input);
    Editor editor(services, kNoPictures, nullptr);
    editor.pctMain.image = tovek::Surface();
    Form_Load(editor, ProgramFolder());
    pctMain_GotFocus(editor);

    std::filesystem::create_directories(editor.stageFolder);
    tovek::test::WriteFile(
        tovek::StageFilePath(editor.stageFolder, 1),
        tovek::WriteEditorStage(OpenedStage(input), {.key = 77, .multiplier = 45}));
    editor.targetStage = 1;
    LoadStageFile(editor);
    FUZZ_CHECK(editor.currentStage == 1 && !editor.modified);
    CheckValid(editor);
    const StageDocument opened = Document(editor);

    int held = 0;
    for (int event = 0; event < kMostEvents && !input.Empty(); ++event) {
        RunEvent(editor, input, held);
        CheckValid(editor);
    }
    for (const int button : kButtons) {
        if ((held & button) != 0) pctMain_MouseUp(editor, button, 0, 0);
    }
    FUZZ_CHECK(!editor.history.EditOpen());

    // A click that changes nothing marks the document modified and makes no
    // step: the mark is the history's to judge only once undo or redo ran.
    const StageDocument last = Document(editor);
    const std::size_t steps = editor.history.UndoCount();
    for (std::size_t step = 0; step < steps; ++step) {
        mnuUndo_Click(editor);
        CheckValid(editor);
    }
    FUZZ_CHECK(!editor.history.CanUndo() && Document(editor) == opened);
    FUZZ_CHECK(steps == 0 || !editor.modified);
    for (std::size_t step = 0; step < steps; ++step) {
        mnuRedo_Click(editor);
        CheckValid(editor);
    }
    FUZZ_CHECK(Document(editor) == last);
    FUZZ_CHECK(steps == 0 || editor.modified);

    const std::vector<std::uint8_t> saved =
        tovek::WriteEditorStage(DocumentAsStage(editor), tovek::DrawKeyMaterial(editor.random));
    FUZZ_CHECK(WithEditorSize(tovek::ReadEditorStage(saved)) == DocumentAsStage(editor));
    return 0;
}

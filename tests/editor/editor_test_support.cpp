#include "tests/editor/editor_test_support.h"

#include <utility>

#include "common/file_access.h"
#include "common/stage_naming.h"
#include "common/text.h"
#include "editor/core/document.h"
#include "editor/core/geometry.h"
#include "editor/core/painting.h"
#include "editor/core/palette.h"
#include "tests/support/scrambled_bytes.h"

namespace quorle::testing {

void ScriptedServices::ExpectMessage(MessageRequest expected, MessageAnswer answer) {
    messages_.push_back({std::move(expected), answer, false});
}

void ScriptedServices::ExpectMessageStartingWith(MessageRequest expected, MessageAnswer answer) {
    messages_.push_back({std::move(expected), answer, true});
}

void ScriptedServices::ExpectStageDialog(std::function<void(StageDialog&)> script) {
    stageDialogs_.push_back(std::move(script));
}

void ScriptedServices::ExpectSizeDialog(std::function<void(SizeDialog&)> script) {
    sizeDialogs_.push_back(std::move(script));
}

void ScriptedServices::ExpectPreview(std::function<void(PreviewWindow&)> script) {
    previews_.push_back(std::move(script));
}

void ScriptedServices::VerifyAllUsed() {
    for (const ExpectedMessage& message : messages_) {
        ADD_FAILURE() << "message box never shown: " << message.request.text;
    }
    if (!stageDialogs_.empty()) ADD_FAILURE() << "stage dialog never shown";
    if (!sizeDialogs_.empty()) ADD_FAILURE() << "size dialog never shown";
    if (!previews_.empty()) ADD_FAILURE() << "preview never shown";
    messages_.clear();
    stageDialogs_.clear();
    sizeDialogs_.clear();
    previews_.clear();
}

MessageAnswer ScriptedServices::ShowMessage(const MessageRequest& request) {
    shown.push_back(request);
    if (messages_.empty()) {
        ADD_FAILURE() << "unexpected message box: " << request.text;
        return MessageAnswer::Cancel;
    }
    const ExpectedMessage expected = messages_.front();
    messages_.pop_front();
    if (expected.prefixOnly) {
        EXPECT_EQ(request.text.substr(0, expected.request.text.size()), expected.request.text);
        EXPECT_GT(request.text.size(), expected.request.text.size());
    } else {
        EXPECT_EQ(request.text, expected.request.text);
    }
    EXPECT_EQ(request.title, expected.request.title);
    EXPECT_EQ(request.buttons, expected.request.buttons);
    EXPECT_EQ(request.icon, expected.request.icon);
    return expected.answer;
}

namespace {

// Runs a scripted dialog; a script that leaves it open closes it as the user
// would by its window button.
template <typename Dialog>
void RunDialog(std::deque<std::function<void(Dialog&)>>& scripts, Dialog& dialog,
               const char* name) {
    if (scripts.empty()) {
        ADD_FAILURE() << "unexpected " << name;
        dialog.Form_Unload();
        return;
    }
    const auto script = std::move(scripts.front());
    scripts.pop_front();
    script(dialog);
    if (!dialog.closed) dialog.Form_Unload();
}

}  // namespace

void ScriptedServices::ShowStageDialog(StageDialog& dialog) {
    RunDialog(stageDialogs_, dialog, "stage dialog");
}

void ScriptedServices::ShowSizeDialog(SizeDialog& dialog) {
    RunDialog(sizeDialogs_, dialog, "size dialog");
}

void ScriptedServices::ShowPreview(PreviewWindow& preview) {
    if (previews_.empty()) {
        ADD_FAILURE() << "unexpected preview";
        return;
    }
    const auto script = std::move(previews_.front());
    previews_.pop_front();
    script(preview);
}

MessageRequest Box(std::string text, MessageButtons buttons, MessageIcon icon) {
    return MessageRequest{
        .text = std::move(text), .title = "Quorle", .buttons = buttons, .icon = icon};
}

bool IsSolid(int maskCode, int x, int y) {
    return (x * 3 + y * 5 + maskCode) % 7 < 4;
}

namespace {

std::uint32_t OpaqueColour(int code, int x, int y) {
    return static_cast<std::uint32_t>(((code + 1) << 16) | (x * 8 << 8) | (y * 8));
}

bool IsMaskCell(int code) {
    return (code >= 16 && code <= 24) || (code >= 32 && code <= 47);
}
bool IsPictureCell(int code) {
    return (code >= 48 && code <= 56) || code >= 64;
}

std::uint32_t SheetPixel(int code, int x, int y) {
    if (IsMaskCell(code)) return IsSolid(code, x, y) ? 0x000000 : 0xFFFFFF;
    if (IsPictureCell(code)) return IsSolid(code - 32, x, y) ? OpaqueColour(code, x, y) : 0;
    if (code >= 57 && code <= 63) return 0;
    return OpaqueColour(code, x, y);
}

}  // namespace

tovek::PictureSheets TestSheets() {
    tovek::PictureSheets sheets;
    sheets.picMap = tovek::Surface(kPaletteWidth, kPaletteHeight);
    for (int y = 0; y < kPaletteHeight; ++y) {
        for (int x = 0; x < kPaletteWidth; ++x) {
            const int code = (y / kCell) * 16 + x / kCell;
            sheets.picMap.SetPixel(x, y, SheetPixel(code, x % kCell, y % kCell));
        }
    }
    sheets.picPlayer = tovek::Surface(128, 192, 0x123456);
    sheets.picBackBase = tovek::Surface(256, 256);
    for (int y = 0; y < 256; ++y) {
        for (int x = 0; x < 256; ++x) {
            sheets.picBackBase.SetPixel(x, y, static_cast<std::uint32_t>(0x800000 | x << 8 | y));
        }
    }
    return sheets;
}

namespace {

std::unique_ptr<tovek::TextPainter> PortDigitPainter() {
    std::string error;
    auto painter = tovek::TextPainter::Create(tovek::FontFace::Serif, &error);
    EXPECT_NE(painter, nullptr) << error;
    return painter;
}

}  // namespace

EditorTest::EditorTest() : sheets(TestSheets()), editor(services, sheets, PortDigitPainter()) {
    Form_Load(editor, programFolder.Path());
    pctMain_GotFocus(editor);
}

std::filesystem::path EditorTest::MakeStageFolder() {
    const auto folder = programFolder.Path() / "data";
    std::filesystem::create_directories(folder);
    return folder;
}

void EditorTest::WriteStage(int number, const tovek::EditorStage& stage) {
    const auto bytes =
        tovek::WriteEditorStage(stage, tovek::KeyMaterial{.key = 77, .multiplier = 45});
    tovek::test::WriteFile(tovek::StageFilePath(MakeStageFolder(), number), bytes);
}

std::vector<std::uint8_t> EditorTest::StageBytes(int number) const {
    return tovek::ReadFileBytes(tovek::StageFilePath(programFolder.Path() / "data", number))
        .value_or(std::vector<std::uint8_t>{});
}

void EditorTest::ClickCell(int button, int cx, int cy) {
    pctMain_MouseDown(editor, button, cx * kCell + 5, cy * kCell + 7);
    pctMain_MouseMove(editor, 0, cx * kCell + 5, cy * kCell + 7);
}

void EditorTest::Pick(int button, int code, bool lowerHalf) {
    pctBase_MouseDown(editor, button, (code % 16) * kCell + 3,
                      (code / 16) * kCell + (lowerHalf ? 20 : 4));
}

tovek::EditorStage EmptyStage(int width, int height, int background) {
    return tovek::EditorStage{
        .background = background,
        .width = width,
        .height = height,
        .cells = std::vector<MapCell>(static_cast<std::size_t>(width) * height, MapCell{})};
}

}  // namespace quorle::testing

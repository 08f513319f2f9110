#include "editor/core/recovery_file.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <system_error>
#include <vector>

#include "common/file_access.h"
#include "common/stage_limits.h"
#include "editor/core/document.h"
#include "editor/core/map_size.h"
#include "editor/core/map_view.h"
#include "editor/core/number_text.h"
#include "editor/core/stage_files.h"

namespace quorle {
namespace {

// The file starts with these bytes and the stage number the document belongs
// to (0 for a map never saved); a stage file as the editor writes it follows.
constexpr std::string_view kRecoveryMagic = "QuorleRecovery1\n";

struct Recovered {
    int stageNumber = 0;
    tovek::EditorStage stage;
};

std::vector<std::uint8_t> RecoveryBytes(Editor& editor) {
    std::vector<std::uint8_t> bytes(kRecoveryMagic.begin(), kRecoveryMagic.end());
    bytes.push_back(static_cast<std::uint8_t>(editor.currentStage));
    const std::vector<std::uint8_t> stage =
        tovek::WriteEditorStage(DocumentAsStage(editor), tovek::DrawKeyMaterial(editor.random));
    bytes.insert(bytes.end(), stage.begin(), stage.end());
    return bytes;
}

// Nothing for a file that is not one of ours or does not hold its whole map.
std::optional<Recovered> ReadRecovery(const std::filesystem::path& path) {
    const std::size_t limit = kRecoveryMagic.size() + 1 + tovek::kMaxStageFileBytes;
    const std::optional<std::vector<std::uint8_t>> bytes = tovek::ReadFileBytes(path, limit);
    if (!bytes || bytes->size() <= kRecoveryMagic.size() ||
        !std::equal(kRecoveryMagic.begin(), kRecoveryMagic.end(), bytes->begin())) {
        return std::nullopt;
    }
    const int number = (*bytes)[kRecoveryMagic.size()];
    if (number > tovek::kStageCount) return std::nullopt;
    std::size_t cellsInFile = 0;
    const std::span<const std::uint8_t> stageBytes(bytes->data() + kRecoveryMagic.size() + 1,
                                                   bytes->size() - kRecoveryMagic.size() - 1);
    Recovered recovered{number, tovek::ReadEditorStage(stageBytes, &cellsInFile)};
    if (cellsInFile < recovered.stage.cells.size() || recovered.stage.width == 0) {
        return std::nullopt;
    }
    return recovered;
}

// The stage was saved after the recovery file was written (by another
// program): the recovery file is stale.
bool StageSavedSince(const Editor& editor, const std::filesystem::path& recovery, int number) {
    if (number == 0) return false;
    std::error_code error;
    const auto stageTime = std::filesystem::last_write_time(StageFilePath(editor, number), error);
    if (error) return false;
    const auto recoveryTime = std::filesystem::last_write_time(recovery, error);
    return !error && stageTime > recoveryTime;
}

void OpenRecovered(Editor& editor, const Recovered& recovered) {
    const tovek::EditorStage opened = WithEditorSize(recovered.stage);
    SetStageNumber(editor, recovered.stageNumber);
    if (recovered.stageNumber > 0) editor.targetStage = recovered.stageNumber;
    editor.background = opened.background;
    SetMapSize(editor, opened.width, opened.height, true);
    for (int y = 0; y < opened.height; ++y) {
        for (int x = 0; x < opened.width; ++x) {
            editor.map.At(x, y) = opened.cells[static_cast<std::size_t>(y) * opened.width + x];
        }
    }
    // Not what any file holds: undo never reaches a saved state.
    editor.history.ForgetSavedState();
    SetModified(editor, true);
    editor.lblStatus = "前回保存されなかった変更を復元しました。";
    DrawMapView(editor);
}

}  // namespace

std::filesystem::path RecoveryFilePath(const Editor& editor) {
    const std::filesystem::path folder =
        std::filesystem::path(editor.stageFolder).lexically_normal();
    const std::filesystem::path named = folder.has_filename() ? folder : folder.parent_path();
    return named.parent_path() / (named.filename().string() + ".quorle-recovery");
}

void Autosave(Editor& editor) {
    AutosaveState& state = editor.autosave;
    if (!editor.modified) {
        if (state.written) RemoveRecoveryFile(editor);
        return;
    }
    const StageDocument& document = editor;
    if (state.written && state.written->document == document &&
        state.written->stageNumber == editor.currentStage) {
        return;
    }
    if (const std::error_code error = tovek::ReplaceFileAtomically(
            RecoveryFilePath(editor), RecoveryBytes(editor), editor.fileFaults)) {
        if (!state.failureReported) {
            editor.lblStatus =
                JoinText({"変更を自動保存できませんでした。(", error.message(), ")"});
            state.failureReported = true;
        }
        return;
    }
    state.written = AutosaveState::Written{document, editor.currentStage};
    state.failureReported = false;
}

void RemoveRecoveryFile(Editor& editor) {
    std::error_code error;
    std::filesystem::remove(RecoveryFilePath(editor), error);
    editor.autosave.written.reset();
}

void OfferRecovery(Editor& editor) {
    const std::filesystem::path path = RecoveryFilePath(editor);
    if (!tovek::FileExists(path)) return;
    const std::optional<Recovered> recovered = ReadRecovery(path);
    if (!recovered || StageSavedSince(editor, path, recovered->stageNumber)) return;
    const MessageAnswer answer =
        ShowMessage(editor, "前回保存されなかった変更があります。復元しますか？",
                    MessageButtons::YesNo, MessageIcon::Warning);
    if (answer == MessageAnswer::Yes) {
        OpenRecovered(editor, *recovered);
    } else {
        RemoveRecoveryFile(editor);
    }
}

}  // namespace quorle

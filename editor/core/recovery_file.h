#pragma once

#include <filesystem>
#include <optional>

#include "editor/core/editor.h"

namespace quorle {

// How often unsaved edits are written to the recovery file.
inline constexpr int kAutosaveSeconds = 30;

// The file beside the stage folder that keeps the open document's unsaved
// edits, so that a crash or a power cut loses at most the last moments.
std::filesystem::path RecoveryFilePath(const Editor& editor);

// Run every kAutosaveSeconds: writes the document (atomically, never over a
// stage file) when it holds edits the recovery file lacks; once nothing is
// unsaved, removes the file this session wrote. A failure is reported once
// in the status line.
void Autosave(Editor& editor);

// The unsaved edits were saved or dropped on purpose.
void RemoveRecoveryFile(Editor& editor);

// At start-up: when a recovery file newer than its stage's file exists, asks
// whether to restore it. Yes opens it as an unsaved, modified document of
// the stage it belonged to; No removes it. A recovery file older than its
// stage's file, or one that cannot be read, is left alone.
void OfferRecovery(Editor& editor);

}  // namespace quorle

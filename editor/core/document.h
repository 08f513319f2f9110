#pragma once

#include <filesystem>
#include <string>

#include "editor/core/editor.h"

namespace quorle {

// Start-up: the stage folder from the settings, an empty 48 x 8 map.
void Form_Load(Editor& editor, const std::filesystem::path& programFolder);

void SetModified(Editor& editor, bool flag);
std::string MakeTitle(const Editor& editor);
std::filesystem::path StageFilePath(const Editor& editor, int number);
void SetStageNumber(Editor& editor, int number);

// "変更されています。保存しますか？"; Yes saves first. A Yes whose save did not
// happen (cancelled or failed) answers Cancel, so that no caller goes on to
// drop the changes.
MessageAnswer AskSaveChanges(Editor& editor);

void mnuNew_Click(Editor& editor);
// Closes the window (sets windowClosed) unless the close query is cancelled.
void mnuExit_Click(Editor& editor);
// The close query of every way of closing; true when the window may close.
bool Form_QueryUnload(Editor& editor);

}  // namespace quorle

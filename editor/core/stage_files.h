#pragma once

#include <string>

#include "common/stage_file.h"
#include "editor/core/editor.h"

namespace quorle {

// Opens stage targetStage. A file whose size lies outside 12..255 x 8..255
// opens with the size brought into range, which the status line reports.
void LoadStageFile(Editor& editor);
// Writes the map as stage targetStage, asking first before replacing an
// existing file unless `skipQuestion`. The file is replaced atomically: a
// failed save leaves the old file and the modified mark as they were.
void SaveStageFile(Editor& editor, bool skipQuestion);

void mnuOpen_Click(Editor& editor);
void mnuSave_Click(Editor& editor);
void mnuSaveAs_Click(Editor& editor);

void txtStage_Change(Editor& editor, std::string text);
void txtStage_LostFocus(Editor& editor);
void txtStage_KeyDown(Editor& editor, int keyCode);
// 0 "←", 1 "→": the nearest other stage that exists, wrapping in 1..100.
void cmdStage_Click(Editor& editor, int index);

// The stage as the editor opens it: width and height brought into 12..255
// and 8..255, cells beyond the file's map empty.
tovek::EditorStage WithEditorSize(const tovek::EditorStage& stage);

// The document as the stage writer takes it.
tovek::EditorStage DocumentAsStage(const Editor& editor);

}  // namespace quorle

#pragma once

#include "editor/core/editor.h"

namespace quorle {

// An edit of the document that undo takes back as one step: a whole drag of
// painting, a region click, a background choice, a size change.
void BeginEdit(Editor& editor);
// Ends the edit; a step is kept when the document changed.
void CommitEdit(Editor& editor);

// "元に戻す" and "やり直し": the document as before or after the step, with
// the view, the size boxes and the modified mark following it.
void mnuUndo_Click(Editor& editor);
void mnuRedo_Click(Editor& editor);

}  // namespace quorle

#include "editor/core/undo_redo.h"

#include "editor/core/document.h"
#include "editor/core/map_size.h"
#include "editor/core/map_view.h"

namespace quorle {
namespace {

// The document changed under the view: scroll ranges, size boxes, picture
// and the modified mark follow it.
void ShowMovedDocument(Editor& editor) {
    FitViewToMapSize(editor);
    DrawMapView(editor);
    SetModified(editor, !editor.history.AtSavedState());
}

}  // namespace

void BeginEdit(Editor& editor) {
    editor.history.BeginEdit(editor);
}

void CommitEdit(Editor& editor) {
    editor.history.CommitEdit(editor);
}

// Undo and redo close an edit still open (a key pressed during a drag); the
// rest of that drag becomes a step of its own.
void mnuUndo_Click(Editor& editor) {
    const bool editOpen = editor.history.EditOpen();
    CommitEdit(editor);
    if (editor.history.CanUndo()) {
        editor.history.Undo(editor);
        ShowMovedDocument(editor);
    }
    if (editOpen) BeginEdit(editor);
}

void mnuRedo_Click(Editor& editor) {
    const bool editOpen = editor.history.EditOpen();
    CommitEdit(editor);
    if (editor.history.CanRedo()) {
        editor.history.Redo(editor);
        ShowMovedDocument(editor);
    }
    if (editOpen) BeginEdit(editor);
}

}  // namespace quorle

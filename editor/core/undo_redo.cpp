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

void mnuUndo_Click(Editor& editor) {
    CommitEdit(editor);
    if (!editor.history.CanUndo()) return;
    editor.history.Undo(editor);
    ShowMovedDocument(editor);
}

void mnuRedo_Click(Editor& editor) {
    CommitEdit(editor);
    if (!editor.history.CanRedo()) return;
    editor.history.Redo(editor);
    ShowMovedDocument(editor);
}

}  // namespace quorle

#include "editor/core/editor.h"

#include <utility>

#include "editor/core/geometry.h"

namespace quorle {

Editor::Editor(EditorServices& services, const tovek::PictureSheets& sheets,
               std::unique_ptr<tovek::TextPainter> portDigits)
    : services(services), portDigits(std::move(portDigits)), pctBackBase(sheets.picBackBase) {
    pctMain.image = tovek::Surface(kViewWidth, kViewHeight);
    pctBase.image = sheets.picMap;
    pctBack.image = tovek::Surface(kChooserSize, kChooserSize, kPictureBackColour);
    for (PictureBox& chosen : pctChosen) {
        chosen.image = tovek::Surface(kCell, kCell, kPictureBackColour);
    }
}

bool IsInMap(const Editor& editor, int x, int y) {
    return x >= 0 && y >= 0 && x < editor.mapWidth && y < editor.mapHeight &&
           editor.map.Contains(x, y);
}

MessageAnswer ShowMessage(Editor& editor, std::string text, MessageButtons buttons,
                          MessageIcon icon) {
    return editor.services.ShowMessage(MessageRequest{
        .text = std::move(text), .title = "Quorle", .buttons = buttons, .icon = icon});
}

}  // namespace quorle

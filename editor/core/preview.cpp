#include "editor/core/preview.h"

namespace quorle {
namespace {

constexpr int kDot = 2;  // pixels per cell side

std::optional<std::uint32_t> MainTileColour(int tile) {
    if (tile >= 1 && tile <= 7) return 0x000000;
    if ((tile >= 8 && tile <= 11) || tile == 24 || tile == 27) return 0x00FF00;
    switch (tile) {
        case 16:
            return 0xFF0000;
        case 17:
            return 0x0000FF;
        case 18:
        case 19:
            return 0xFFFF00;
        case 20:
            return 0x808000;
        case 21:
            return 0x800000;
        case 22:
            return 0x000080;
        case 23:
            return 0x808080;
        case 28:
            return 0x008000;
        default:
            return std::nullopt;
    }
}

}  // namespace

std::optional<std::uint32_t> PreviewColour(const MapCell& cell) {
    std::optional<std::uint32_t> colour;
    if (cell.water != 0) colour = 0x0080FF;
    if (const auto tileColour = MainTileColour(cell.mainTile)) colour = tileColour;
    if (cell.liftCode != 0) colour = 0xC0C0C0;
    if (cell.actorCode != 0) colour = 0xFF00FF;
    return colour;
}

void PreviewWindow::Form_Load() {
    clientWidth = kDot * editor_.mapWidth;
    clientHeight = kDot * editor_.mapHeight;
}

void PreviewWindow::Form_GotFocus() {
    picture = tovek::Surface(clientWidth, clientHeight, kPreviewBackColour);
    for (int y = 0; y < editor_.mapHeight; ++y) {
        for (int x = 0; x < editor_.mapWidth; ++x) {
            if (!IsInMap(editor_, x, y)) continue;
            if (const auto colour = PreviewColour(editor_.map.At(x, y))) {
                picture.FillRect(kDot * x, kDot * y, kDot, kDot, *colour);
            }
        }
    }
}

void mnuPreview_Click(Editor& editor) {
    PreviewWindow preview(editor);
    preview.Form_Load();
    editor.services.ShowPreview(preview);
}

}  // namespace quorle

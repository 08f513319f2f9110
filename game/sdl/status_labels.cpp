#include "game/sdl/status_labels.h"

namespace tovek {

void DrawStatusLabel(Surface& client, const ClientRect& label, TextPainter& sans,
                     std::string_view text) {
    if (label.width <= 0 || label.height <= 0) return;
    // Drawn apart and copied in, so the text stays inside its own label.
    Surface picture(label.width, label.height, kLabelBackColour);
    const int top = (label.height - TextPainter::PixelSize(kLabelPoints)) / 2;
    sans.Print(picture, kLabelTextLeft, top, text,
               TextStyle{kLabelPoints, false, kLabelTextColour});
    BitBlt(client, label.x, label.y, label.width, label.height, picture, 0, 0, RasterOp::SrcCopy);
}

}  // namespace tovek

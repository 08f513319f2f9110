#include "game/sdl/status_labels.h"

namespace tovek {

void DrawStatusLabel(Surface& client, const ClientRect& label, TextPainter& sans,
                     std::string_view text, int points) {
    if (label.width <= 0 || label.height <= 0) return;
    // Drawn apart and copied in, so the text stays inside its own label.
    Surface picture(label.width, label.height, kLabelBackColour);
    const int top = (label.height - TextPainter::PixelSize(points)) / 2;
    const int left = kLabelTextLeft * points / kLabelPoints;
    sans.Print(picture, left, top, text, TextStyle{points, false, kLabelTextColour});
    BitBlt(client, label.x, label.y, label.width, label.height, picture, 0, 0, RasterOp::SrcCopy);
}

}  // namespace tovek

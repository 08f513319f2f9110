#include "game/sdl/client_layout.h"

#include <algorithm>

namespace tovek {

bool TreatAsMaximised(bool reportedMaximised, int clientWidth, int clientHeight) {
    return reportedMaximised ||
           (clientWidth > kNormalClientWidth && clientHeight > kNormalClientHeight);
}

ClientLayout LayOutClientArea(int clientWidth, int clientHeight, bool maximised) {
    ClientLayout layout;
    layout.clientWidth = std::max(clientWidth, 0);
    layout.clientHeight = std::max(clientHeight, 0);
    layout.stretched = maximised;
    if (maximised) {
        // A client area too low for the labels leaves no room for the picture.
        layout.picture = {0, 0, layout.clientWidth,
                          std::max(layout.clientHeight - kLabelBandHeight, 0)};
    } else {
        layout.picture = {0, 0, kPictureWidth, kPictureHeight};
    }
    for (int i = 0; i < 2; ++i) {
        layout.labels[i] = {0, layout.clientHeight - kLabelBandHeight + kLabelHeight * i,
                            layout.clientWidth, kLabelHeight};
    }
    return layout;
}

}  // namespace tovek

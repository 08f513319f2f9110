#include "game/sdl/client_layout.h"

#include <algorithm>
#include <cmath>

namespace tovek {
namespace {

// The labels across the whole width at the bottom, each `height` high.
void PlaceLabels(ClientLayout& layout, int height) {
    for (int i = 0; i < 2; ++i) {
        layout.labels[i] = {0, layout.clientHeight - 2 * height + height * i, layout.clientWidth,
                            height};
    }
}

// The picture of the given size centred in the client area above the labels.
ClientRect CentredAboveLabels(const ClientLayout& layout, int width, int height) {
    const int above = layout.labels[0].y;
    return {(layout.clientWidth - width) / 2, (above - height) / 2, width, height};
}

}  // namespace

std::optional<Scaling> ScalingFor(WindowState state, std::optional<Scaling> chosen) {
    switch (state) {
        case WindowState::Normal:
            return std::nullopt;
        case WindowState::Maximised:
            return chosen.value_or(Scaling::Stretch);
        case WindowState::Fullscreen:
            return chosen.value_or(Scaling::Integer);
    }
    return std::nullopt;
}

bool TreatAsMaximised(bool reportedMaximised, int clientWidth, int clientHeight) {
    return reportedMaximised ||
           (clientWidth > kNormalClientWidth && clientHeight > kNormalClientHeight);
}

ClientLayout LayOutClientArea(int clientWidth, int clientHeight, std::optional<Scaling> scaling) {
    ClientLayout layout;
    layout.clientWidth = std::max(clientWidth, 0);
    layout.clientHeight = std::max(clientHeight, 0);
    layout.stretched = scaling.has_value();
    if (!scaling) {
        PlaceLabels(layout, kLabelHeight);
        layout.picture = {0, 0, kPictureWidth, kPictureHeight};
        return layout;
    }
    switch (*scaling) {
        case Scaling::Stretch:
            PlaceLabels(layout, kLabelHeight);
            // A client area too low for the labels leaves no room for the picture.
            layout.picture = {0, 0, layout.clientWidth,
                              std::max(layout.clientHeight - kLabelBandHeight, 0)};
            break;
        case Scaling::Fit: {
            // The picture with its labels, kNormalClientWidth x kNormalClientHeight
            // at scale 1, grown as far as the client area allows.
            const double scale =
                std::min(static_cast<double>(layout.clientWidth) / kNormalClientWidth,
                         static_cast<double>(layout.clientHeight) / kNormalClientHeight);
            PlaceLabels(layout, std::max(1, static_cast<int>(kLabelHeight * scale)));
            layout.picture = CentredAboveLabels(layout, static_cast<int>(kPictureWidth * scale),
                                                static_cast<int>(kPictureHeight * scale));
            layout.labelPoints = std::max(1, static_cast<int>(std::lround(kLabelPoints * scale)));
            break;
        }
        case Scaling::Integer: {
            const int factor = std::max(1, std::min(layout.clientWidth / kNormalClientWidth,
                                                    layout.clientHeight / kNormalClientHeight));
            PlaceLabels(layout, kLabelHeight * factor);
            layout.picture =
                CentredAboveLabels(layout, kPictureWidth * factor, kPictureHeight * factor);
            layout.labelPoints = kLabelPoints * factor;
            break;
        }
    }
    return layout;
}

}  // namespace tovek

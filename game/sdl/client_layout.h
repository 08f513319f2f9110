#pragma once

#include <array>

namespace tovek {

// A rectangle of the window's client area, in pixels.
struct ClientRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;

    friend bool operator==(const ClientRect&, const ClientRect&) = default;
};

inline constexpr int kPictureWidth = 384;
inline constexpr int kPictureHeight = 256;
inline constexpr int kLabelHeight = 16;
inline constexpr int kLabelBandHeight = 2 * kLabelHeight;
// The client area of a window in its normal state: the picture with the two
// status labels below it.
inline constexpr int kNormalClientWidth = kPictureWidth;
inline constexpr int kNormalClientHeight = kPictureHeight + kLabelBandHeight;

// Where the picture and the two status labels sit.
struct ClientLayout {
    int clientWidth = 0;
    int clientHeight = 0;
    // Maximised: the picture is stretched over the client area above the
    // labels. Otherwise it shows one to one at the top left.
    bool stretched = false;
    ClientRect picture;
    // Label 0 above label 1, both across the whole width at the bottom.
    std::array<ClientRect, 2> labels;
};

// Whether the window is treated as maximised: when the window system says so,
// and also when the client area is larger than the normal one in both
// directions, which is how a maximised window looks where the window system's
// maximised state does not reach the program.
bool TreatAsMaximised(bool reportedMaximised, int clientWidth, int clientHeight);

ClientLayout LayOutClientArea(int clientWidth, int clientHeight, bool maximised);

}  // namespace tovek

#pragma once

#include <array>
#include <optional>

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
// The label text's size in points when the labels are not scaled.
inline constexpr int kLabelPoints = 9;
// The client area of a window in its normal state: the picture with the two
// status labels below it. The window is never made smaller than this.
inline constexpr int kNormalClientWidth = kPictureWidth;
inline constexpr int kNormalClientHeight = kPictureHeight + kLabelBandHeight;

// How a maximised or fullscreen window scales the picture:
//   Stretch  over the whole client area above the labels, whatever its shape;
//   Fit      the largest size that keeps the picture's 3:2, centred;
//   Integer  the largest whole multiple that fits, centred.
// With Fit and Integer the labels grow with the picture.
enum class Scaling { Stretch, Fit, Integer };

enum class WindowState { Normal, Maximised, Fullscreen };

// The scaling of a window state: none in the normal state (the picture shows
// one to one); otherwise the chosen one, or by default Stretch when maximised
// and Integer in fullscreen.
std::optional<Scaling> ScalingFor(WindowState state, std::optional<Scaling> chosen);

// Where the picture and the two status labels sit.
struct ClientLayout {
    int clientWidth = 0;
    int clientHeight = 0;
    // The picture is scaled to fill `picture`; otherwise it shows one to one
    // at the top left.
    bool stretched = false;
    ClientRect picture;
    // Label 0 above label 1, both across the whole width at the bottom.
    std::array<ClientRect, 2> labels;
    int labelPoints = kLabelPoints;
};

// Whether the window is treated as maximised: when the window system says so,
// and also when the client area is larger than the normal one in both
// directions, which is how a maximised window looks where the window system's
// maximised state does not reach the program.
bool TreatAsMaximised(bool reportedMaximised, int clientWidth, int clientHeight);

// The layout of a client area shown with the given scaling, or one to one.
ClientLayout LayOutClientArea(int clientWidth, int clientHeight, std::optional<Scaling> scaling);

}  // namespace tovek

#include "game/sdl/client_layout.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

namespace tovek {
namespace {

TEST(ClientLayoutTest, NormalWindowShowsThePictureOneToOneWithTheLabelsBelow) {
    const ClientLayout layout = LayOutClientArea(384, 288, std::nullopt);
    EXPECT_FALSE(layout.stretched);
    EXPECT_EQ(layout.picture, (ClientRect{0, 0, 384, 256}));
    EXPECT_EQ(layout.labels[0], (ClientRect{0, 256, 384, 16}));
    EXPECT_EQ(layout.labels[1], (ClientRect{0, 272, 384, 16}));
}

TEST(ClientLayoutTest, MaximisedWindowStretchesThePictureOverAllButTheBottom32Pixels) {
    const ClientLayout layout = LayOutClientArea(1024, 700, Scaling::Stretch);
    EXPECT_TRUE(layout.stretched);
    EXPECT_EQ(layout.picture, (ClientRect{0, 0, 1024, 668}));
    EXPECT_EQ(layout.labels[0], (ClientRect{0, 668, 1024, 16}));
    EXPECT_EQ(layout.labels[1], (ClientRect{0, 684, 1024, 16}));
}

TEST(ClientLayoutTest, LabelsSpanTheBottomOfALargerNormalWindow) {
    const ClientLayout layout = LayOutClientArea(600, 400, std::nullopt);
    EXPECT_EQ(layout.picture, (ClientRect{0, 0, 384, 256}));
    EXPECT_EQ(layout.labels[0], (ClientRect{0, 368, 600, 16}));
    EXPECT_EQ(layout.labels[1], (ClientRect{0, 384, 600, 16}));
}

TEST(ClientLayoutTest, ClientTooLowForTheLabelsLeavesNoRoomForAStretchedPicture) {
    const ClientLayout layout = LayOutClientArea(500, 20, Scaling::Stretch);
    EXPECT_EQ(layout.picture.height, 0);
    EXPECT_EQ(layout.labels[0], (ClientRect{0, -12, 500, 16}));
    EXPECT_EQ(layout.labels[1], (ClientRect{0, 4, 500, 16}));
}

TEST(ClientLayoutTest, NegativeSizesCountAsEmpty) {
    const ClientLayout layout = LayOutClientArea(-5, -5, Scaling::Stretch);
    EXPECT_EQ(layout.clientWidth, 0);
    EXPECT_EQ(layout.clientHeight, 0);
    EXPECT_EQ(layout.picture, (ClientRect{0, 0, 0, 0}));
}

TEST(ClientLayoutTest, WindowReportedMaximisedIsMaximisedWhateverItsSize) {
    EXPECT_TRUE(TreatAsMaximised(true, 384, 288));
    EXPECT_TRUE(TreatAsMaximised(true, 200, 100));
}

TEST(ClientLayoutTest, WindowLargerInBothDirectionsCountsAsMaximised) {
    EXPECT_TRUE(TreatAsMaximised(false, 385, 289));
    EXPECT_TRUE(TreatAsMaximised(false, 1920, 1050));
}

TEST(ClientLayoutTest, WindowNotLargerInBothDirectionsIsNormal) {
    EXPECT_FALSE(TreatAsMaximised(false, 384, 288));
    EXPECT_FALSE(TreatAsMaximised(false, 1000, 288));
    EXPECT_FALSE(TreatAsMaximised(false, 384, 1000));
    EXPECT_FALSE(TreatAsMaximised(false, 300, 200));
}

TEST(ClientLayoutTest, ScalingFollowsTheWindowStateAndTheSetting) {
    EXPECT_EQ(ScalingFor(WindowState::Normal, Scaling::Fit), std::nullopt);
    EXPECT_EQ(ScalingFor(WindowState::Maximised, std::nullopt), Scaling::Stretch);
    EXPECT_EQ(ScalingFor(WindowState::Fullscreen, std::nullopt), Scaling::Integer);
    EXPECT_EQ(ScalingFor(WindowState::Maximised, Scaling::Integer), Scaling::Integer);
    EXPECT_EQ(ScalingFor(WindowState::Fullscreen, Scaling::Fit), Scaling::Fit);
}

TEST(ClientLayoutTest, FullHdScreenInEachScaling) {
    const ClientLayout integer = LayOutClientArea(1920, 1080, Scaling::Integer);
    EXPECT_EQ(integer.picture, (ClientRect{384, 108, 1152, 768}));
    EXPECT_EQ(integer.labels[0], (ClientRect{0, 984, 1920, 48}));
    EXPECT_EQ(integer.labels[1], (ClientRect{0, 1032, 1920, 48}));
    EXPECT_EQ(integer.labelPoints, 27);

    const ClientLayout fit = LayOutClientArea(1920, 1080, Scaling::Fit);
    EXPECT_EQ(fit.picture, (ClientRect{240, 0, 1440, 960}));
    EXPECT_EQ(fit.labels[0], (ClientRect{0, 960, 1920, 60}));
    EXPECT_EQ(fit.labelPoints, 34);  // 33.75

    const ClientLayout stretch = LayOutClientArea(1920, 1080, Scaling::Stretch);
    EXPECT_EQ(stretch.picture, (ClientRect{0, 0, 1920, 1048}));
    EXPECT_EQ(stretch.labelPoints, 9);
}

// Every size a window or a screen may have, in steps that hit odd and even
// sizes and the edges of each scale.
std::vector<std::pair<int, int>> ClientSizes() {
    std::vector<std::pair<int, int>> sizes;
    for (int width = 384; width <= 3840; width += 37) {
        for (int height = 288; height <= 2160; height += 29)
            sizes.emplace_back(width, height);
    }
    return sizes;
}

// The picture lies inside the client area above the labels, centred there,
// and the two labels fill the bottom in equal heights.
void ExpectCentredAboveTheLabels(const ClientLayout& layout, int width, int height) {
    const ClientRect& picture = layout.picture;
    const int above = layout.labels[0].y;
    EXPECT_GE(picture.x, 0);
    EXPECT_GE(picture.y, 0);
    EXPECT_LE(picture.y + picture.height, above);
    EXPECT_LE(std::abs(picture.x - (width - picture.x - picture.width)), 1);
    EXPECT_LE(std::abs(picture.y - (above - picture.y - picture.height)), 1);
    EXPECT_EQ(layout.labels[1].y, above + layout.labels[0].height);
    EXPECT_EQ(layout.labels[1].y + layout.labels[1].height, height);
    EXPECT_EQ(layout.labels[0].height, layout.labels[1].height);
}

TEST(ClientLayoutTest, IntegerScalingTakesTheLargestWholeMultipleThatFits) {
    for (const auto& [width, height] : ClientSizes()) {
        SCOPED_TRACE(std::to_string(width) + "x" + std::to_string(height));
        const ClientLayout layout = LayOutClientArea(width, height, Scaling::Integer);
        const int factor = layout.picture.width / kPictureWidth;
        ASSERT_GE(factor, 1);
        EXPECT_EQ(layout.picture.width, kPictureWidth * factor);
        EXPECT_EQ(layout.picture.height, kPictureHeight * factor);
        EXPECT_EQ(layout.labels[0].height, kLabelHeight * factor);
        EXPECT_EQ(layout.labelPoints, kLabelPoints * factor);
        EXPECT_TRUE(kNormalClientWidth * (factor + 1) > width ||
                    kNormalClientHeight * (factor + 1) > height);
        ExpectCentredAboveTheLabels(layout, width, height);
    }
}

TEST(ClientLayoutTest, FitScalingKeepsThreeToTwoAndFillsOneDirection) {
    for (const auto& [width, height] : ClientSizes()) {
        SCOPED_TRACE(std::to_string(width) + "x" + std::to_string(height));
        const ClientLayout layout = LayOutClientArea(width, height, Scaling::Fit);
        const ClientRect& picture = layout.picture;
        EXPECT_LE(std::abs(picture.width * 2 - picture.height * 3), 3);
        const double scale = picture.width / static_cast<double>(kPictureWidth);
        EXPECT_NEAR(layout.labels[0].height, kLabelHeight * scale, 1.0);
        EXPECT_NEAR(layout.labelPoints, kLabelPoints * scale, 0.6);
        // The picture and its labels reach the client area's sides or its top
        // and bottom, each within a pixel or two of rounding.
        const int band = 2 * layout.labels[0].height;
        EXPECT_TRUE(width - picture.width <= 1 || height - picture.height - band <= 3);
        ExpectCentredAboveTheLabels(layout, width, height);
    }
}

TEST(ClientLayoutTest, StretchScalingFillsAllButTheLabelBand) {
    for (const auto& [width, height] : ClientSizes()) {
        const ClientLayout layout = LayOutClientArea(width, height, Scaling::Stretch);
        ASSERT_EQ(layout.picture, (ClientRect{0, 0, width, height - kLabelBandHeight}));
        ASSERT_EQ(layout.labels[0], (ClientRect{0, height - 32, width, 16}));
    }
}

}  // namespace
}  // namespace tovek

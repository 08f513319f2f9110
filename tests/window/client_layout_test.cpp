#include "game/sdl/client_layout.h"

#include <gtest/gtest.h>

namespace tovek {
namespace {

TEST(ClientLayoutTest, NormalWindowShowsThePictureOneToOneWithTheLabelsBelow) {
    const ClientLayout layout = LayOutClientArea(384, 288, false);
    EXPECT_FALSE(layout.stretched);
    EXPECT_EQ(layout.picture, (ClientRect{0, 0, 384, 256}));
    EXPECT_EQ(layout.labels[0], (ClientRect{0, 256, 384, 16}));
    EXPECT_EQ(layout.labels[1], (ClientRect{0, 272, 384, 16}));
}

TEST(ClientLayoutTest, MaximisedWindowStretchesThePictureOverAllButTheBottom32Pixels) {
    const ClientLayout layout = LayOutClientArea(1024, 700, true);
    EXPECT_TRUE(layout.stretched);
    EXPECT_EQ(layout.picture, (ClientRect{0, 0, 1024, 668}));
    EXPECT_EQ(layout.labels[0], (ClientRect{0, 668, 1024, 16}));
    EXPECT_EQ(layout.labels[1], (ClientRect{0, 684, 1024, 16}));
}

TEST(ClientLayoutTest, LabelsSpanTheBottomOfALargerNormalWindow) {
    const ClientLayout layout = LayOutClientArea(600, 400, false);
    EXPECT_EQ(layout.picture, (ClientRect{0, 0, 384, 256}));
    EXPECT_EQ(layout.labels[0], (ClientRect{0, 368, 600, 16}));
    EXPECT_EQ(layout.labels[1], (ClientRect{0, 384, 600, 16}));
}

TEST(ClientLayoutTest, ClientTooLowForTheLabelsLeavesNoRoomForAStretchedPicture) {
    const ClientLayout layout = LayOutClientArea(500, 20, true);
    EXPECT_EQ(layout.picture.height, 0);
    EXPECT_EQ(layout.labels[0], (ClientRect{0, -12, 500, 16}));
    EXPECT_EQ(layout.labels[1], (ClientRect{0, 4, 500, 16}));
}

TEST(ClientLayoutTest, NegativeSizesCountAsEmpty) {
    const ClientLayout layout = LayOutClientArea(-5, -5, true);
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

}  // namespace
}  // namespace tovek

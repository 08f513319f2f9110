#include "game/sdl/status_labels.h"

#include <gtest/gtest.h>

#include <memory>

namespace tovek {
namespace {

constexpr std::uint32_t kMarker = 0x123456;
const ClientRect kLabel{10, 20, 200, 16};

class StatusLabelTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string error;
        sans_ = TextPainter::Create(FontFace::Sans, &error);
        ASSERT_TRUE(sans_) << error;
    }

    // The bounds of the pixels that are not the label's grey.
    static ClientRect Ink(const Surface& surface, const ClientRect& area) {
        int left = area.x + area.width, right = area.x - 1, top = area.y + area.height, bottom = -1;
        for (int y = area.y; y < area.y + area.height; ++y) {
            for (int x = area.x; x < area.x + area.width; ++x) {
                if (surface.Pixel(x, y) == kLabelBackColour) continue;
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
        }
        return {left, top, right - left + 1, bottom - top + 1};
    }

    std::unique_ptr<TextPainter> sans_;
};

TEST_F(StatusLabelTest, TextIsBlackOnGreyInsideTheLabel) {
    Surface client(300, 60, kMarker);
    DrawStatusLabel(client, kLabel, *sans_, "サウンド: オン(Sキーで切り替え)");
    bool black = false;
    for (int y = 0; y < client.Height(); ++y) {
        for (int x = 0; x < client.Width(); ++x) {
            const bool inside =
                x >= kLabel.x && x < kLabel.x + kLabel.width && y >= kLabel.y && y < kLabel.y + 16;
            const std::uint32_t pixel = client.Pixel(x, y);
            if (!inside) {
                ASSERT_EQ(pixel, kMarker) << x << "," << y;
                continue;
            }
            black = black || pixel == kLabelTextColour;
            // Anti-aliased ink lies between the text colour and the grey.
            const std::uint32_t red = pixel >> 16, green = (pixel >> 8) & 0xFF, blue = pixel & 0xFF;
            ASSERT_TRUE(red == green && green == blue && red <= 0xF0) << std::hex << pixel;
        }
    }
    EXPECT_TRUE(black);
}

TEST_F(StatusLabelTest, TextStartsTwoPixelsInAndSitsInTheMiddleRows) {
    Surface client(300, 60, kMarker);
    DrawStatusLabel(client, kLabel, *sans_, "ステージ12");
    const ClientRect ink = Ink(client, kLabel);
    EXPECT_GE(ink.x, kLabel.x + kLabelTextLeft);
    EXPECT_LE(ink.x, kLabel.x + kLabelTextLeft + 2);
    // A 9-point line is 12 pixels high, two pixels below the label's top.
    EXPECT_GE(ink.y, kLabel.y + 2);
    EXPECT_LE(ink.y + ink.height, kLabel.y + 14);
}

TEST_F(StatusLabelTest, IsTheSansFaceAtNinePointsInBlack) {
    Surface client(300, 60, kMarker);
    DrawStatusLabel(client, kLabel, *sans_, "ゲームオーバー!! スペースキーでコンティニュー");
    Surface expected(kLabel.width, kLabel.height, kLabelBackColour);
    sans_->Print(expected, 2, 2, "ゲームオーバー!! スペースキーでコンティニュー",
                 TextStyle{9, false, 0x000000});
    Surface shown(kLabel.width, kLabel.height);
    BitBlt(shown, 0, 0, kLabel.width, kLabel.height, client, kLabel.x, kLabel.y, RasterOp::SrcCopy);
    EXPECT_EQ(shown, expected);
}

TEST_F(StatusLabelTest, LongTextIsCutAtTheLabelsRightEdge) {
    Surface client(300, 60, kMarker);
    const std::string text = "Escキーでメニューに戻れます。Escキーでメニューに戻れます。";
    ASSERT_GT(sans_->Measure(text, TextStyle{9, false, 0}), kLabel.width);
    DrawStatusLabel(client, kLabel, *sans_, text);
    const ClientRect ink = Ink(client, kLabel);
    EXPECT_GT(ink.x + ink.width, kLabel.x + kLabel.width - 12);
    for (int y = 0; y < client.Height(); ++y) {
        for (int x = kLabel.x + kLabel.width; x < client.Width(); ++x)
            ASSERT_EQ(client.Pixel(x, y), kMarker);
    }
}

TEST_F(StatusLabelTest, EmptyTextLeavesPlainGrey) {
    Surface client(300, 60, kMarker);
    DrawStatusLabel(client, kLabel, *sans_, "");
    const ClientRect ink = Ink(client, kLabel);
    EXPECT_LE(ink.width, 0);
    EXPECT_EQ(client.Pixel(kLabel.x, kLabel.y), kLabelBackColour);
}

TEST_F(StatusLabelTest, LabelPartlyOutsideTheClientAreaIsClipped) {
    Surface client(100, 20, kMarker);
    DrawStatusLabel(client, {0, 12, 100, 16}, *sans_, "ステージ1");
    EXPECT_EQ(client.Pixel(0, 11), kMarker);
    EXPECT_NE(client.Pixel(0, 12), kMarker);
}

}  // namespace
}  // namespace tovek

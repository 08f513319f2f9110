// Which keys are the game's keys, and what Tovek.ini adds to them.
#include "game/sdl/key_bindings.h"

#include <gtest/gtest.h>

#include <fstream>

#include "common/settings_file.h"
#include "game/core/keyboard.h"
#include "game/sdl/window_settings.h"
#include "tests/support/temp_folder.h"

namespace tovek {
namespace {

KeyBindings Bound(const std::string& lines, std::vector<std::string>* problems = nullptr) {
    return KeyBindings::FromSettings(SettingsFile::Parse("[Keys]\n" + lines, "Keys"), problems);
}

TEST(KeyBindingsTest, TodaysKeysWithoutBindings) {
    const KeyBindings keys;
    for (const Uint16 modifiers : {KMOD_NONE, KMOD_NUM, KMOD_SHIFT, KMOD_CAPS}) {
        EXPECT_EQ(keys.GameKey(SDLK_LEFT, modifiers), 37);
        EXPECT_EQ(keys.GameKey(SDLK_UP, modifiers), 38);
        EXPECT_EQ(keys.GameKey(SDLK_RIGHT, modifiers), 39);
        EXPECT_EQ(keys.GameKey(SDLK_DOWN, modifiers), 40);
        EXPECT_EQ(keys.GameKey(SDLK_SPACE, modifiers), 32);
        EXPECT_EQ(keys.GameKey(SDLK_ESCAPE, modifiers), 27);
        EXPECT_EQ(keys.GameKey(SDLK_s, modifiers), 83);
    }
    // With Num Lock off the keypad's arrows are arrows; with it on, digits.
    EXPECT_EQ(keys.GameKey(SDLK_KP_4, KMOD_NONE), 37);
    EXPECT_EQ(keys.GameKey(SDLK_KP_8, KMOD_NONE), 38);
    EXPECT_EQ(keys.GameKey(SDLK_KP_6, KMOD_NONE), 39);
    EXPECT_EQ(keys.GameKey(SDLK_KP_2, KMOD_SHIFT), 40);
    for (const SDL_Keycode key : {SDLK_KP_4, SDLK_KP_8, SDLK_KP_6, SDLK_KP_2}) {
        EXPECT_FALSE(keys.GameKey(key, KMOD_NUM).has_value()) << key;
    }
    for (const SDL_Keycode key : {SDLK_a, SDLK_z, SDLK_RETURN, SDLK_KP_5, SDLK_LSHIFT, SDLK_F1}) {
        EXPECT_FALSE(keys.GameKey(key, KMOD_NONE).has_value()) << key;
    }
}

TEST(KeyBindingsTest, KeysSectionAddsKeysByTheirSdlNames) {
    std::vector<std::string> problems;
    const KeyBindings keys =
        Bound("Up=Up, Z ,w\nleft=A\nSpace=Return,Keypad Enter\nEscape=Backspace\n", &problems);
    EXPECT_TRUE(problems.empty());
    EXPECT_EQ(keys.GameKey(SDLK_z, KMOD_NONE), kKeyUp);
    EXPECT_EQ(keys.GameKey(SDLK_w, KMOD_NONE), kKeyUp);
    EXPECT_EQ(keys.GameKey(SDLK_UP, KMOD_NONE), kKeyUp);
    EXPECT_EQ(keys.GameKey(SDLK_a, KMOD_NONE), kKeyLeft);
    EXPECT_EQ(keys.GameKey(SDLK_RETURN, KMOD_NONE), kKeySpace);
    EXPECT_EQ(keys.GameKey(SDLK_KP_ENTER, KMOD_NUM), kKeySpace);
    EXPECT_EQ(keys.GameKey(SDLK_BACKSPACE, KMOD_NONE), kKeyEscape);
    EXPECT_EQ(keys.GameKey(SDLK_LEFT, KMOD_NONE), kKeyLeft) << "today's keys stay";
}

TEST(KeyBindingsTest, WhatCannotBeBoundIsLeftOutWithOneLineEach) {
    std::vector<std::string> problems;
    const KeyBindings keys = Bound("Up=Zed,X\nJump=Y\nDown=P,F11\nRight=Left,D\nS=X\n", &problems);
    ASSERT_EQ(problems.size(), 6u);
    EXPECT_NE(problems[0].find("\"Zed\""), std::string::npos) << problems[0];
    EXPECT_NE(problems[1].find("\"Jump\""), std::string::npos) << problems[1];
    EXPECT_NE(problems[2].find("\"P\""), std::string::npos) << problems[2];
    EXPECT_NE(problems[3].find("\"F11\""), std::string::npos) << problems[3];
    EXPECT_NE(problems[4].find("\"Left\""), std::string::npos) << problems[4];
    EXPECT_NE(problems[5].find("\"X\""), std::string::npos) << problems[5];
    // The good names of the same lines are bound; the refused ones keep
    // their own meaning.
    EXPECT_EQ(keys.GameKey(SDLK_x, KMOD_NONE), kKeyUp);
    EXPECT_EQ(keys.GameKey(SDLK_d, KMOD_NONE), kKeyRight);
    EXPECT_EQ(keys.GameKey(SDLK_LEFT, KMOD_NONE), kKeyLeft);
    EXPECT_FALSE(keys.GameKey(SDLK_p, KMOD_NONE).has_value());
    EXPECT_FALSE(keys.GameKey(SDLK_y, KMOD_NONE).has_value());
}

TEST(KeyBindingsTest, AReportedNameIsQuotedShortWithControlBytesEscaped) {
    std::vector<std::string> problems;
    Bound(std::string(5000, 'J') + "=Z\nUp=\x1b\x7f" + std::string(5000, 'k') + "\n", &problems);
    ASSERT_EQ(problems.size(), 2u);
    for (const std::string& problem : problems) {
        EXPECT_LT(problem.size(), 200u) << problem;
        EXPECT_EQ(problem.find_first_of("\x1b\x7f"), std::string::npos) << problem;
    }
    EXPECT_NE(problems[1].find("\"\\x1b\\x7fkkk"), std::string::npos) << problems[1];
}

class WindowSettingsTest : public ::testing::Test {
  protected:
    WindowSettings Read(const std::string& text) {
        std::ofstream(folder_.Path() / "Tovek.ini") << text;
        problems_.clear();
        return ReadWindowSettings(folder_.Path(), &problems_);
    }
    test::TempFolder folder_;
    std::vector<std::string> problems_;
};

TEST_F(WindowSettingsTest, AutoPauseIsOnUnlessSetToZero) {
    EXPECT_TRUE(Read("").autoPause);
    EXPECT_TRUE(Read("[Customize]\nAutoPause=1\n").autoPause);
    EXPECT_FALSE(Read("[Customize]\nAutoPause=0\n").autoPause);
    EXPECT_FALSE(Read("[Customize]\n; comment\nAutoPause = 0 \n").autoPause);
}

TEST_F(WindowSettingsTest, ScalingIsOneOfThreeWordsAnyOtherIsReported) {
    EXPECT_EQ(Read("").scaling, std::nullopt);
    EXPECT_EQ(Read("[Customize]\nScaling=fit\n").scaling, Scaling::Fit);
    EXPECT_EQ(Read("[Customize]\nScaling=Integer\n").scaling, Scaling::Integer);
    EXPECT_EQ(Read("[Customize]\nScaling=stretch\n").scaling, Scaling::Stretch);
    EXPECT_TRUE(problems_.empty());
    EXPECT_EQ(Read("[Customize]\nScaling=sharp\n").scaling, std::nullopt);
    ASSERT_EQ(problems_.size(), 1u);
    EXPECT_NE(problems_[0].find("\"sharp\""), std::string::npos);
    Read("[Customize]\nScaling=\x1b[2J\n");
    ASSERT_EQ(problems_.size(), 1u);
    EXPECT_NE(problems_[0].find("\"\\x1b[2J\""), std::string::npos) << problems_[0];
}

TEST_F(WindowSettingsTest, KeysComeFromTheirOwnSection) {
    const WindowSettings settings =
        Read("[Customize]\nTitle=Tovek\nUp=Q\n[Keys]\n; Up=W\nUp=Z\n[Other]\nUp=X\n");
    EXPECT_TRUE(problems_.empty());
    EXPECT_EQ(settings.keys.GameKey(SDLK_z, KMOD_NONE), kKeyUp);
    for (const SDL_Keycode key : {SDLK_q, SDLK_w, SDLK_x}) {
        EXPECT_FALSE(settings.keys.GameKey(key, KMOD_NONE).has_value()) << key;
    }
}

TEST_F(WindowSettingsTest, ShippedSettingsBindNothingNewAndSayNothing) {
    std::filesystem::copy_file(TOVEK_DIST_FOLDER "/Tovek.ini", folder_.Path() / "Tovek.ini");
    const WindowSettings settings = ReadWindowSettings(folder_.Path(), &problems_);
    EXPECT_TRUE(problems_.empty());
    EXPECT_TRUE(settings.autoPause);
    EXPECT_EQ(settings.scaling, std::nullopt);
    for (SDL_Keycode key = SDLK_a; key <= SDLK_z; ++key) {
        EXPECT_EQ(settings.keys.GameKey(key, KMOD_NONE), KeyBindings().GameKey(key, KMOD_NONE));
    }
}

}  // namespace
}  // namespace tovek

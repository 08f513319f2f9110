#include "game/sdl/key_mapping.h"

#include <gtest/gtest.h>

namespace tovek {
namespace {

TEST(KeyMappingTest, GameKeysGetTheirVirtualKeyCodes) {
    for (const Uint16 modifiers : {KMOD_NONE, KMOD_NUM, KMOD_SHIFT, KMOD_CAPS}) {
        EXPECT_EQ(VirtualKeyCode(SDLK_LEFT, modifiers), 37);
        EXPECT_EQ(VirtualKeyCode(SDLK_UP, modifiers), 38);
        EXPECT_EQ(VirtualKeyCode(SDLK_RIGHT, modifiers), 39);
        EXPECT_EQ(VirtualKeyCode(SDLK_DOWN, modifiers), 40);
        EXPECT_EQ(VirtualKeyCode(SDLK_SPACE, modifiers), 32);
        EXPECT_EQ(VirtualKeyCode(SDLK_ESCAPE, modifiers), 27);
        EXPECT_EQ(VirtualKeyCode(SDLK_s, modifiers), 83);
    }
}

TEST(KeyMappingTest, KeypadArrowsMoveWhileNumLockIsOff) {
    EXPECT_EQ(VirtualKeyCode(SDLK_KP_4, KMOD_NONE), 37);
    EXPECT_EQ(VirtualKeyCode(SDLK_KP_8, KMOD_NONE), 38);
    EXPECT_EQ(VirtualKeyCode(SDLK_KP_6, KMOD_NONE), 39);
    EXPECT_EQ(VirtualKeyCode(SDLK_KP_2, KMOD_SHIFT), 40);
}

TEST(KeyMappingTest, KeypadDigitsReachNothingWhileNumLockIsOn) {
    for (const SDL_Keycode key : {SDLK_KP_4, SDLK_KP_8, SDLK_KP_6, SDLK_KP_2}) {
        EXPECT_FALSE(VirtualKeyCode(key, KMOD_NUM).has_value()) << key;
    }
}

TEST(KeyMappingTest, OtherKeysReachNothing) {
    for (const SDL_Keycode key :
         {SDLK_a, SDLK_RETURN, SDLK_KP_5, SDLK_KP_0, SDLK_KP_ENTER, SDLK_LSHIFT, SDLK_F1, SDLK_0}) {
        EXPECT_FALSE(VirtualKeyCode(key, KMOD_NONE).has_value()) << key;
        EXPECT_FALSE(VirtualKeyCode(key, KMOD_NUM).has_value()) << key;
    }
}

}  // namespace
}  // namespace tovek

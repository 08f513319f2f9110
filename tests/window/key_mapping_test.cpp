#include "game/sdl/key_mapping.h"

#include <gtest/gtest.h>

namespace tovek {
namespace {

TEST(KeyMappingTest, GameKeysGetTheirVirtualKeyCodes) {
    EXPECT_EQ(VirtualKeyCode(SDLK_LEFT), 37);
    EXPECT_EQ(VirtualKeyCode(SDLK_UP), 38);
    EXPECT_EQ(VirtualKeyCode(SDLK_RIGHT), 39);
    EXPECT_EQ(VirtualKeyCode(SDLK_DOWN), 40);
    EXPECT_EQ(VirtualKeyCode(SDLK_SPACE), 32);
    EXPECT_EQ(VirtualKeyCode(SDLK_ESCAPE), 27);
    EXPECT_EQ(VirtualKeyCode(SDLK_s), 83);
}

TEST(KeyMappingTest, OtherKeysReachNothing) {
    for (const SDL_Keycode key : {SDLK_a, SDLK_RETURN, SDLK_KP_4, SDLK_LSHIFT, SDLK_F1, SDLK_0}) {
        EXPECT_FALSE(VirtualKeyCode(key).has_value()) << key;
    }
}

}  // namespace
}  // namespace tovek

// The [Keys] section of Tovek.ini on any text: the game's own keys and the
// window's keys stay as they are, every key binds to at most one game key,
// and each entry left out is reported in one line of bounded length.
#include <SDL_keyboard.h>
#include <SDL_keycode.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/settings_file.h"
#include "game/core/keyboard.h"
#include "game/sdl/key_bindings.h"
#include "tests/fuzz/fuzz_check.h"

namespace {

bool IsOneLineProblem(std::string_view problem) {
    for (const char c : problem) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) return false;
    }
    // The prefix, two names quoted with at most 80 characters of four bytes
    // each, and the reason.
    return problem.starts_with("Tovek.ini [Keys]: ") && problem.size() <= 2 * (80 * 4 + 5) + 120;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const tovek::SettingsFile section = tovek::SettingsFile::Parse(text, "Keys");
    std::vector<std::string> problems;
    const tovek::KeyBindings bindings = tovek::KeyBindings::FromSettings(section, &problems);
    for (const std::string& problem : problems)
        FUZZ_CHECK(IsOneLineProblem(problem));
    constexpr SDL_Keycode kStandardKeys[] = {SDLK_LEFT,  SDLK_RIGHT,  SDLK_UP, SDLK_DOWN,
                                             SDLK_SPACE, SDLK_ESCAPE, SDLK_s};
    constexpr std::array kGameKeys = {tovek::kKeyLeft, tovek::kKeyRight, tovek::kKeyUp,
                                      tovek::kKeyDown, tovek::kKeySpace, tovek::kKeyEscape,
                                      tovek::kKeyS};
    for (std::size_t i = 0; i < kGameKeys.size(); ++i)
        FUZZ_CHECK(bindings.GameKey(kStandardKeys[i], KMOD_NUM) == kGameKeys[i]);
    for (const SDL_Keycode key : {SDLK_p, SDLK_PAUSE, SDLK_F1, SDLK_F11})
        FUZZ_CHECK(!bindings.GameKey(key, KMOD_NONE).has_value());
    // A key named in the section is one of the seven game keys or none.
    for (const auto& [name, value] : section.Entries()) {
        for (std::size_t start = 0; start <= value.size();) {
            const std::size_t comma = std::min(value.find(',', start), value.size());
            const std::string keyName = value.substr(start, comma - start);
            const std::optional<int> bound =
                bindings.GameKey(SDL_GetKeyFromName(keyName.c_str()), KMOD_NUM);
            FUZZ_CHECK(!bound || std::ranges::find(kGameKeys, *bound) != kGameKeys.end());
            start = comma + 1;
        }
    }
    return 0;
}

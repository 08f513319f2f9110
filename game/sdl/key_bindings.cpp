#include "game/sdl/key_bindings.h"

#include <SDL_keyboard.h>

#include <array>
#include <string_view>
#include <utility>

#include "common/settings_file.h"
#include "common/text_encoding.h"
#include "game/core/keyboard.h"

namespace tovek {
namespace {

// Names in messages are quoted with control bytes escaped, cut after this
// many characters: a line of Tovek.ini may hold anything.
constexpr std::size_t kQuotedCharacters = 80;

struct GameKeyName {
    std::string_view name;
    int keyCode;
};

constexpr std::array<GameKeyName, 7> kGameKeyNames = {{
    {"Left", kKeyLeft},
    {"Right", kKeyRight},
    {"Up", kKeyUp},
    {"Down", kKeyDown},
    {"Space", kKeySpace},
    {"Escape", kKeyEscape},
    {"S", kKeyS},
}};

std::optional<int> GameKeyNamed(std::string_view name) {
    for (const GameKeyName& key : kGameKeyNames) {
        if (EqualIgnoringAsciiCase(key.name, name)) return key.keyCode;
    }
    return std::nullopt;
}

std::string_view NameOfGameKey(int keyCode) {
    for (const GameKeyName& key : kGameKeyNames) {
        if (key.keyCode == keyCode) return key.name;
    }
    return "";
}

// The keypad's arrows, which SDL names by their digits whatever Num Lock says.
SDL_Keycode KeypadArrow(SDL_Keycode key) {
    switch (key) {
        case SDLK_KP_4:
            return SDLK_LEFT;
        case SDLK_KP_8:
            return SDLK_UP;
        case SDLK_KP_6:
            return SDLK_RIGHT;
        case SDLK_KP_2:
            return SDLK_DOWN;
        default:
            return key;
    }
}

std::optional<int> DefaultGameKey(SDL_Keycode key) {
    switch (key) {
        case SDLK_LEFT:
            return kKeyLeft;
        case SDLK_UP:
            return kKeyUp;
        case SDLK_RIGHT:
            return kKeyRight;
        case SDLK_DOWN:
            return kKeyDown;
        case SDLK_SPACE:
            return kKeySpace;
        case SDLK_ESCAPE:
            return kKeyEscape;
        case SDLK_s:
            return kKeyS;
        default:
            return std::nullopt;
    }
}

std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    return text;
}

}  // namespace

bool IsWindowKey(SDL_Keycode key) {
    return key == SDLK_p || key == SDLK_PAUSE || key == SDLK_F1 || key == SDLK_F11;
}

KeyBindings KeyBindings::FromSettings(const SettingsFile& keysSection,
                                      std::vector<std::string>* problems) {
    const auto problem = [problems](std::string text) {
        if (problems != nullptr) problems->push_back("Tovek.ini [Keys]: " + std::move(text));
    };
    KeyBindings bindings;
    for (const auto& [gameKeyName, value] : keysSection.Entries()) {
        const std::optional<int> gameKey = GameKeyNamed(gameKeyName);
        if (!gameKey) {
            problem(QuotedForMessage(gameKeyName, kQuotedCharacters) +
                    " is not a game key (Left, Right, Up, Down, Space, Escape, S)");
            continue;
        }
        std::string_view names = value;
        while (!names.empty()) {
            const std::size_t comma = names.find(',');
            const std::string name(TrimBlanks(names.substr(0, comma)));
            names.remove_prefix(comma == std::string_view::npos ? names.size() : comma + 1);
            if (name.empty()) continue;
            const SDL_Keycode key = SDL_GetKeyFromName(name.c_str());
            if (key == SDLK_UNKNOWN) {
                problem("no key is named " + QuotedForMessage(name, kQuotedCharacters));
                continue;
            }
            if (IsWindowKey(key)) {
                problem(QuotedForMessage(name, kQuotedCharacters) +
                        " is one of the window's own keys (P, Pause, F1, F11)");
                continue;
            }
            const std::optional<int> bound = bindings.GameKey(key, KMOD_NUM);
            if (bound && *bound != *gameKey) {
                problem(QuotedForMessage(name, kQuotedCharacters) + " is already the key " +
                        std::string(NameOfGameKey(*bound)));
                continue;
            }
            bindings.added_.emplace(key, *gameKey);
        }
    }
    return bindings;
}

std::optional<int> KeyBindings::GameKey(SDL_Keycode key, Uint16 modifiers) const {
    if (const std::optional<int> standard = DefaultGameKey(key)) return standard;
    if (const auto added = added_.find(key); added != added_.end()) return added->second;
    if ((modifiers & KMOD_NUM) == 0) return DefaultGameKey(KeypadArrow(key));
    return std::nullopt;
}

}  // namespace tovek

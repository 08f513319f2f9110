#include "game/sdl/pad_input.h"

#include <SDL.h>

#include <cstdlib>
#include <optional>

#include "game/core/keyboard.h"

namespace tovek {
namespace {

// Stick directions as source codes, apart from the buttons' numbers.
constexpr int kStickLeft = 100;
constexpr int kStickRight = 101;
constexpr int kStickUp = 102;
constexpr int kStickDown = 103;
// A direction is held from half way out, and let go only back within a third,
// so a stick resting near the threshold does not chatter.
constexpr int kStickPress = 16384;
constexpr int kStickRelease = 10923;

std::optional<int> GameKeyOfButton(int button) {
    switch (button) {
        case SDL_CONTROLLER_BUTTON_DPAD_LEFT:
            return kKeyLeft;
        case SDL_CONTROLLER_BUTTON_DPAD_RIGHT:
            return kKeyRight;
        case SDL_CONTROLLER_BUTTON_DPAD_UP:
        case SDL_CONTROLLER_BUTTON_A:
            return kKeyUp;
        case SDL_CONTROLLER_BUTTON_DPAD_DOWN:
            return kKeyDown;
        case SDL_CONTROLLER_BUTTON_BACK:
            return kKeyEscape;
        case SDL_CONTROLLER_BUTTON_Y:
            return kKeyS;
        default:
            return std::nullopt;
    }
}

}  // namespace

void PadInput::ControllerClose::operator()(SDL_GameController* controller) const {
    SDL_GameControllerClose(controller);
}

PadInput::PadInput(std::vector<std::string>* problems) {
    started_ = SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) == 0;
    if (!started_) return;
    // SDL reads the file itself too; reading it here says when it cannot.
    if (const char* file = std::getenv("SDL_GAMECONTROLLERCONFIG_FILE"); file && *file) {
        if (SDL_GameControllerAddMappingsFromFile(file) < 0 && problems != nullptr) {
            problems->push_back(std::string("the pad mappings in ") + file +
                                " cannot be read: " + SDL_GetError());
        }
    }
}

PadInput::~PadInput() {
    pads_.clear();
    if (started_) SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
}

std::vector<PadAction> PadInput::Handle(const SDL_Event& event) {
    switch (event.type) {
        case SDL_CONTROLLERDEVICEADDED:
            Add(event.cdevice.which);
            return {};
        case SDL_CONTROLLERDEVICEREMOVED:
            return Remove(event.cdevice.which);
        case SDL_CONTROLLERBUTTONDOWN:
        case SDL_CONTROLLERBUTTONUP:
            return Button(event.cbutton);
        case SDL_CONTROLLERAXISMOTION:
            return Axis(event.caxis);
        default:
            return {};
    }
}

void PadInput::Add(int deviceIndex) {
    SDL_GameController* controller = SDL_GameControllerOpen(deviceIndex);
    if (controller == nullptr) return;
    const SDL_JoystickID id = SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(controller));
    pads_[id].controller.reset(controller);
}

std::vector<PadAction> PadInput::Remove(SDL_JoystickID id) {
    const auto pad = pads_.find(id);
    if (pad == pads_.end()) return {};
    std::vector<PadAction> actions;
    for (auto held = buttonsHeld_.begin(); held != buttonsHeld_.end();) {
        if (held->first.device == id) {
            actions.push_back({PadAction::Kind::Release, held->second, held->first});
            held = buttonsHeld_.erase(held);
        } else {
            ++held;
        }
    }
    for (const auto& [code, gameKey] : pad->second.stickHeld) {
        actions.push_back({PadAction::Kind::Release, gameKey, {id, code}});
    }
    actions.push_back({PadAction::Kind::Removed, 0, {id, 0}});
    pads_.erase(pad);
    return actions;
}

std::vector<PadAction> PadInput::Button(const SDL_ControllerButtonEvent& event) {
    if (pads_.count(event.which) == 0) return {};
    const InputSource source{event.which, event.button};
    if (event.type == SDL_CONTROLLERBUTTONUP) {
        const auto held = buttonsHeld_.find(source);
        if (held == buttonsHeld_.end()) return {};
        const int gameKey = held->second;
        buttonsHeld_.erase(held);
        return {{PadAction::Kind::Release, gameKey, source}};
    }
    if (event.button == SDL_CONTROLLER_BUTTON_START) {
        buttonsHeld_[source] = kKeySpace;
        return {{PadAction::Kind::Start, kKeySpace, source}};
    }
    const std::optional<int> gameKey = GameKeyOfButton(event.button);
    if (!gameKey) return {{PadAction::Kind::Other, 0, source}};
    buttonsHeld_[source] = *gameKey;
    return {{PadAction::Kind::Press, *gameKey, source}};
}

std::vector<PadAction> PadInput::Axis(const SDL_ControllerAxisEvent& event) {
    const auto pad = pads_.find(event.which);
    if (pad == pads_.end()) return {};
    std::vector<PadAction> actions;
    // One direction of the stick; `amount` grows toward it.
    const auto direction = [&](int code, int gameKey, int amount) {
        std::map<int, int>& held = pad->second.stickHeld;
        const InputSource source{event.which, code};
        if (held.count(code) == 0 && amount >= kStickPress) {
            held[code] = gameKey;
            actions.push_back({PadAction::Kind::Press, gameKey, source});
        } else if (held.count(code) != 0 && amount < kStickRelease) {
            held.erase(code);
            actions.push_back({PadAction::Kind::Release, gameKey, source});
        }
    };
    const int value = event.value;
    if (event.axis == SDL_CONTROLLER_AXIS_LEFTX) {
        direction(kStickLeft, kKeyLeft, -value);
        direction(kStickRight, kKeyRight, value);
    } else if (event.axis == SDL_CONTROLLER_AXIS_LEFTY) {
        direction(kStickUp, kKeyUp, -value);
        direction(kStickDown, kKeyDown, value);
    }
    return actions;
}

}  // namespace tovek

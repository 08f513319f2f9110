#pragma once

#include <SDL_events.h>
#include <SDL_gamecontroller.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "game/sdl/key_delivery.h"

namespace tovek {

// What a pad asks of the game.
struct PadAction {
    enum class Kind {
        Press,    // a game key goes down
        Release,  // a game key goes up
        Start,    // Start went down: pause during play, Space elsewhere
        Other,    // a button that is no game key went down
        Removed,  // the pad is gone (its held keys were released just before)
    };
    Kind kind;
    int gameKey = 0;  // Press, Release, and Start's Space
    InputSource source;
};

// Pads through SDL's GameController, found when plugged in: the D-pad and
// the left stick steer (Left, Right, Up, Down), the south button jumps (Up),
// Start is Space or the pause, Back is Escape, the north button switches the
// sound (S). The mappings are SDL's own, and those of the file named by
// SDL_GAMECONTROLLERCONFIG_FILE when it is set.
class PadInput {
  public:
    // Starts SDL's GameController subsystem; without it there are no pads.
    // A mapping file that cannot be read adds a line to `problems`.
    explicit PadInput(std::vector<std::string>* problems);
    ~PadInput();
    PadInput(const PadInput&) = delete;
    PadInput& operator=(const PadInput&) = delete;

    // The actions of one SDL event; none for events that are not a pad's.
    std::vector<PadAction> Handle(const SDL_Event& event);

  private:
    struct ControllerClose {
        void operator()(SDL_GameController* controller) const;
    };
    struct Pad {
        std::unique_ptr<SDL_GameController, ControllerClose> controller;
        // The stick directions held now, by their source codes.
        std::map<int, int> stickHeld;
    };

    void Add(int deviceIndex);
    std::vector<PadAction> Remove(SDL_JoystickID id);
    std::vector<PadAction> Button(const SDL_ControllerButtonEvent& event);
    std::vector<PadAction> Axis(const SDL_ControllerAxisEvent& event);

    bool started_ = false;
    std::map<SDL_JoystickID, Pad> pads_;
    // Buttons held now, per pad, with the game key each pressed.
    std::map<InputSource, int> buttonsHeld_;
};

}  // namespace tovek

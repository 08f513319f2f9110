#pragma once

#include <compare>
#include <map>
#include <set>
#include <vector>

namespace tovek {

// Where a press of a game key comes from: a keyboard key, or a button or a
// stick direction of one pad.
struct InputSource {
    static constexpr int kKeyboard = -1;
    int device = kKeyboard;  // kKeyboard, or the pad's joystick instance id
    int code = 0;            // the key, the button or the stick direction

    friend auto operator<=>(const InputSource&, const InputSource&) = default;
};

// Passes presses and releases of the game keys on so that none is lost. A
// game key may be held by several sources at once (an arrow and its bound
// letter, the pad's D-pad and stick): it is released when the last of them
// lets go. And no release comes before a tick has seen the key held: a tap
// that starts and ends between two ticks holds the key for the next tick and
// releases it after that tick.
class KeyDelivery {
  public:
    // Every press goes to the game at once.
    void Press(int gameKey, InputSource source);
    // Whether the game is to see the release now; a release that waits for
    // a tick comes from TickRan.
    bool Release(int gameKey, InputSource source);
    // After each tick: the game keys to release now.
    std::vector<int> TickRan();

  private:
    struct HeldKey {
        std::set<InputSource> sources;
        bool seenByTick = false;
        bool releaseAfterTick = false;
    };
    std::map<int, HeldKey> held_;
};

}  // namespace tovek

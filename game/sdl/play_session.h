#pragma once

#include "game/sdl/held_music.h"
#include "game/sdl/key_delivery.h"
#include "game/sdl/local_clock.h"

namespace tovek {

struct Game;

// The game as the window program drives it, apart from the window: game keys
// from any number of sources without losing a short press, the ticks, and the
// pause. Paused, no tick runs, the play clock stands still and the music
// waits; the game's state is untouched, so play goes on exactly as if the
// pause had not been.
class PlaySession {
  public:
    PlaySession(Game& game, LocalClock& clock, HeldMusic& music);

    void Press(int gameKey, InputSource source);
    // A key's auto-repeat: one more press, as the game expects.
    void Repeat(int gameKey);
    void Release(int gameKey, InputSource source);

    // One tick of the game (none while paused), then the releases that
    // waited for it.
    void Tick();

    // Whether a stage is being played: only then is there anything to pause
    // (not on the stage-select, tally and game-over screens).
    bool CanPause() const;
    bool Paused() const { return paused_; }
    void Pause();
    void Resume();
    void TogglePause();

  private:
    // A key that left play (Escape) ends the pause with it.
    void EndPauseWithoutPlay();

    Game& game_;
    LocalClock& clock_;
    HeldMusic& music_;
    KeyDelivery delivery_;
    bool paused_ = false;
};

}  // namespace tovek

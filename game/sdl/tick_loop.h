#pragma once

#include <SDL_events.h>

#include <chrono>

namespace tovek {

// What the loop drives, one call at a time on the window's thread.
class LoopHandler {
  public:
    virtual ~LoopHandler() = default;
    virtual void HandleEvent(const SDL_Event& event) = 0;
    virtual void Tick() = 0;
    // The loop ends as soon as this turns false.
    virtual bool Running() const = 0;
    // While true no tick runs, and the ticks afterwards keep their spacing
    // from those before, as if the time between had not passed.
    virtual bool TicksHeld() const { return false; }
};

// Delivers window events as they come and a tick every interval, scheduled
// against the clock (TickSchedule): it waits for events until shortly before
// a tick is due and then, still taking events, sleeps in short steps up to
// the deadline. An event or a tick always completes before the next starts.
void RunTickLoop(LoopHandler& handler, std::chrono::milliseconds interval);

}  // namespace tovek

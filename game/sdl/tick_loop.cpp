#include "game/sdl/tick_loop.h"

#include <algorithm>
#include <thread>

#include "game/sdl/tick_schedule.h"

namespace tovek {
namespace {

using Clock = TickSchedule::Clock;

// Waiting for events wakes up to a millisecond or two late; the last stretch
// before a tick is slept in short steps instead.
constexpr Clock::duration kFineWait = std::chrono::milliseconds(2);
constexpr Clock::duration kFineStep = std::chrono::microseconds(250);
// While ticks are held only events come; the wait ends now and then all the
// same, so that the loop sees its handler stop running.
constexpr int kHeldWaitMs = 100;

}  // namespace

void RunTickLoop(LoopHandler& handler, std::chrono::milliseconds interval) {
    TickSchedule schedule(Clock::now(), interval);
    SDL_Event event;
    while (handler.Running()) {
        const Clock::time_point now = Clock::now();
        if (handler.TicksHeld() != schedule.Held()) {
            if (schedule.Held()) {
                schedule.Release(now);
            } else {
                schedule.Hold(now);
            }
        }
        const Clock::duration remaining = schedule.Deadline() - now;
        if (schedule.Held()) {
            if (SDL_WaitEventTimeout(&event, kHeldWaitMs)) handler.HandleEvent(event);
        } else if (remaining <= Clock::duration::zero()) {
            handler.Tick();
            schedule.Advance(now);
        } else if (remaining > kFineWait) {
            const auto coarse =
                std::chrono::duration_cast<std::chrono::milliseconds>(remaining - kFineWait);
            if (SDL_WaitEventTimeout(&event,
                                     static_cast<int>(std::max<std::int64_t>(coarse.count(), 1)))) {
                handler.HandleEvent(event);
            }
        } else if (SDL_PollEvent(&event)) {
            handler.HandleEvent(event);
        } else {
            std::this_thread::sleep_for(std::min(remaining, kFineStep));
        }
    }
}

}  // namespace tovek

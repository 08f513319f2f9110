#include "game/sdl/tick_loop.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <thread>
#include <vector>

namespace tovek {
namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

constexpr milliseconds kInterval(20);

// Records what the loop delivers; ends after a number of ticks.
class RecordingHandler : public LoopHandler {
  public:
    explicit RecordingHandler(int ticks) : ticksToRun_(ticks) {}

    void HandleEvent(const SDL_Event& event) override {
        if (inside_) overlapped_ = true;
        if (event.type == SDL_USEREVENT) eventTicks_.push_back(static_cast<int>(ticks_.size()));
    }
    void Tick() override {
        if (inside_) overlapped_ = true;
        inside_ = true;
        ticks_.push_back(Clock::now());
        if (ticks_.size() == 3) {
            // Events that arrive during a tick wait for it to end.
            PushUserEvent();
            PushUserEvent();
        }
        if (ticks_.size() == static_cast<std::size_t>(stallAt_)) {
            std::this_thread::sleep_for(stall_);
        }
        inside_ = false;
    }
    bool Running() const override { return static_cast<int>(ticks_.size()) < ticksToRun_; }

    void StallAt(int tick, Clock::duration length) {
        stallAt_ = tick;
        stall_ = length;
    }

    static void PushUserEvent() {
        SDL_Event event{};
        event.type = SDL_USEREVENT;
        SDL_PushEvent(&event);
    }

    std::vector<Clock::time_point> ticks_;
    std::vector<int> eventTicks_;
    bool overlapped_ = false;

  private:
    int ticksToRun_;
    int stallAt_ = 0;
    Clock::duration stall_{};
    bool inside_ = false;
};

class TickLoopTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_EVENTS), 0) << SDL_GetError(); }
    void TearDown() override { SDL_Quit(); }
};

TEST_F(TickLoopTest, TicksAreNeverEarly) {
    RecordingHandler handler(10);
    const Clock::time_point before = Clock::now();
    RunTickLoop(handler, kInterval);
    ASSERT_EQ(handler.ticks_.size(), 10u);
    for (std::size_t k = 0; k < handler.ticks_.size(); ++k) {
        EXPECT_GE(handler.ticks_[k], before + static_cast<int>(k + 1) * kInterval) << k;
    }
}

TEST_F(TickLoopTest, EventsAreDeliveredBetweenTicks) {
    RecordingHandler handler(6);
    RunTickLoop(handler, kInterval);
    EXPECT_FALSE(handler.overlapped_);
    ASSERT_EQ(handler.eventTicks_.size(), 2u);
    EXPECT_EQ(handler.eventTicks_[0], 3) << "the events pushed during tick 3 come right after it";
    EXPECT_EQ(handler.eventTicks_[1], 3);
}

TEST_F(TickLoopTest, StallDropsTheMissedTicksInsteadOfCatchingUp) {
    RecordingHandler handler(12);
    handler.StallAt(2, 5 * kInterval);  // tick 2 takes five intervals
    const Clock::time_point before = Clock::now();
    RunTickLoop(handler, kInterval);
    // Catching up would run tick 12 near grid point 12; dropping the four
    // missed points puts it near point 16 (later still on a busy machine).
    const auto gridPoints = (handler.ticks_.back() - before) / kInterval;
    EXPECT_GE(gridPoints, 15) << "the missed ticks ran in a burst";
}

}  // namespace
}  // namespace tovek

#include "game/sdl/tick_schedule.h"

#include <gtest/gtest.h>

namespace tovek {
namespace {

using Clock = TickSchedule::Clock;
using std::chrono::milliseconds;

const Clock::time_point kStart = Clock::time_point(std::chrono::hours(1));
constexpr milliseconds kInterval(40);

TEST(TickScheduleTest, FirstTickIsDueOneIntervalAfterTheStart) {
    const TickSchedule schedule(kStart, kInterval);
    EXPECT_EQ(schedule.Deadline(), kStart + kInterval);
}

TEST(TickScheduleTest, TickThatRanLateKeepsTheNextOnTheGrid) {
    TickSchedule schedule(kStart, kInterval);
    schedule.Advance(kStart + milliseconds(40 + 15));
    EXPECT_EQ(schedule.Deadline(), kStart + 2 * kInterval);
}

TEST(TickScheduleTest, ManyLateTicksDoNotDrift) {
    TickSchedule schedule(kStart, kInterval);
    for (int tick = 1; tick <= 1000; ++tick) {
        const Clock::time_point deadline = schedule.Deadline();
        ASSERT_EQ(deadline, kStart + tick * kInterval);
        schedule.Advance(deadline + milliseconds(tick % 39));  // each runs up to 38 ms late
    }
    EXPECT_EQ(schedule.Deadline(), kStart + 1001 * kInterval);
}

TEST(TickScheduleTest, LongTickIsFollowedByOneTickAtOnceAndTheMissedOnesAreDropped) {
    TickSchedule schedule(kStart, kInterval);
    // Tick 1 starts on time and takes 130 ms: the points at 80, 120 and 160 ms pass.
    schedule.Advance(kStart + milliseconds(40));
    EXPECT_EQ(schedule.Deadline(), kStart + milliseconds(80)) << "already due when it ends";
    schedule.Advance(kStart + milliseconds(170));
    EXPECT_EQ(schedule.Deadline(), kStart + milliseconds(200)) << "120 and 160 are dropped";
}

TEST(TickScheduleTest, TickThatStartedAfterLaterPointsSkipsThem) {
    TickSchedule schedule(kStart, kInterval);
    schedule.Advance(kStart + milliseconds(130));  // due at 40, started after 80 and 120
    EXPECT_EQ(schedule.Deadline(), kStart + milliseconds(160));
}

TEST(TickScheduleTest, TickStartingOnAGridPointIsFollowedByTheNextPoint) {
    TickSchedule schedule(kStart, kInterval);
    schedule.Advance(kStart + milliseconds(80));
    EXPECT_EQ(schedule.Deadline(), kStart + milliseconds(120));
}

TEST(TickScheduleTest, ClockBeforeTheStartCountsAsTheStart) {
    TickSchedule schedule(kStart, kInterval);
    schedule.Advance(kStart - milliseconds(500));
    EXPECT_EQ(schedule.Deadline(), kStart + 2 * kInterval);
}

TEST(TickScheduleTest, ZeroIntervalStillMovesForward) {
    TickSchedule schedule(kStart, Clock::duration::zero());
    const Clock::time_point first = schedule.Deadline();
    schedule.Advance(first);
    EXPECT_GT(schedule.Deadline(), first);
}

TEST(TickScheduleTest, HoldMovesTheGridOnByTheTimeHeld) {
    TickSchedule schedule(kStart, kInterval);
    schedule.Advance(kStart + milliseconds(40));
    // Held 10 ms into the interval, for 5 s: the next tick comes 30 ms after.
    schedule.Hold(kStart + milliseconds(50));
    EXPECT_TRUE(schedule.Held());
    schedule.Release(kStart + milliseconds(5050));
    EXPECT_FALSE(schedule.Held());
    EXPECT_EQ(schedule.Deadline(), kStart + milliseconds(5080));
    schedule.Advance(kStart + milliseconds(5081));
    EXPECT_EQ(schedule.Deadline(), kStart + milliseconds(5120));
}

}  // namespace
}  // namespace tovek

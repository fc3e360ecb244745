// The schedule's conflict rule and the trigger's decisions, with the time
// given: Wednesday 10 March 2027, local time.
#include "platform/timing/TimingSchedule.h"

#include "tests/platform/timing/TimingTestSupport.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace {

const __time64_t kNoon = LocalTime(2027, 3, 10, 12, 0);

struct CheckCase
{
    const char* what;
    _tagTimingParam timing;
    int expected;
};

// Schedule: Thursday 20:00-21:00 once; Monday and Friday 22:00-24:00 weekly;
// a once item that ended yesterday.
class ConflictTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        thursday = schedule.Insert(Once(2027, 3, 11, 20, 0, 3600), Execute(3600), kNoon);
        ASSERT_NE(nullptr, thursday);
        ASSERT_NE(nullptr, schedule.Insert(Weekly(kMonday | kFriday, 22, 0, 7200), Execute(7200), kNoon));
        ASSERT_NE(nullptr, schedule.Insert(Once(2027, 3, 9, 10, 0, 600), Execute(600),
                                           LocalTime(2027, 3, 9, 9, 0)));
    }

    CTimingSchedule schedule;
    HTIMINGITEM thursday = nullptr;
};

TEST_F(ConflictTest, CasesAgainstOnceAndWeeklyItems)
{
    const CheckCase cases[] = {
        {"before the once item", Once(2027, 3, 11, 19, 0, 1800), TIMING_CHECK_FREE},
        {"ends as the once item starts", Once(2027, 3, 11, 19, 30, 1800), TIMING_CHECK_FREE},
        {"starts as the once item ends", Once(2027, 3, 11, 21, 0, 600), TIMING_CHECK_FREE},
        {"inside the once item", Once(2027, 3, 11, 20, 30, 600), TIMING_CHECK_OVERLAPS_ONCE},
        {"around the once item", Once(2027, 3, 11, 19, 0, 4 * 3600), TIMING_CHECK_OVERLAPS_ONCE},
        {"weekly on the once item's weekday", Weekly(kThursday, 20, 30, 600), TIMING_CHECK_OVERLAPS_ONCE},
        {"weekly on another weekday", Weekly(kWednesday, 20, 30, 600), TIMING_CHECK_FREE},
        {"once on a Friday night", Once(2027, 3, 12, 23, 0, 600), TIMING_CHECK_OVERLAPS_WEEKLY},
        {"once past midnight after Friday", Once(2027, 3, 13, 0, 0, 600), TIMING_CHECK_FREE},
        {"once past midnight after Monday", Once(2027, 3, 16, 0, 0, 600), TIMING_CHECK_FREE},
        {"once in Monday's occurrence next week", Once(2027, 3, 15, 23, 59, 60), TIMING_CHECK_OVERLAPS_WEEKLY},
        {"weekly Sunday night into Monday's", Weekly(kSunday, 23, 30, 23 * 3600), TIMING_CHECK_OVERLAPS_WEEKLY},
        {"weekly Saturday right after Friday's", Weekly(kSaturday, 0, 0, 60), TIMING_CHECK_FREE},
        {"on the passed item's time", Weekly(kTuesday, 10, 0, 600), TIMING_CHECK_FREE},
        {"once now running", Once(2027, 3, 10, 11, 30, 3600), TIMING_CHECK_STARTS_NOW},
        {"weekly now running", Weekly(kWednesday, 11, 59, 120), TIMING_CHECK_STARTS_NOW},
        {"weekly from yesterday into now", Weekly(kTuesday, 13, 0, 86400), TIMING_CHECK_STARTS_NOW},
        {"second unreadable (-1)", Once(2027, 3, 11, 8, 0, 60, -1), TIMING_CHECK_FREE},
        {"once already over", Once(2027, 3, 10, 11, 0, 3600), TIMING_CHECK_INVALID},
        {"month 13", Once(2027, 13, 1, 8, 0, 60), TIMING_CHECK_INVALID},
        {"31 April", Once(2027, 4, 31, 8, 0, 60), TIMING_CHECK_INVALID},
        {"hour 24", Once(2027, 3, 11, 24, 0, 60), TIMING_CHECK_INVALID},
        {"second -2", Once(2027, 3, 11, 8, 0, 60, -2), TIMING_CHECK_INVALID},
        {"no duration", Once(2027, 3, 11, 8, 0, 0), TIMING_CHECK_INVALID},
        {"longer than a day", Once(2027, 3, 11, 8, 0, 86401), TIMING_CHECK_INVALID},
        {"weekly with no day", Weekly(0, 8, 0, 60), TIMING_CHECK_INVALID},
        {"weekly with a bit past Sunday", Weekly(0x80 | kMonday, 8, 0, 60), TIMING_CHECK_INVALID},
    };
    for (const CheckCase& c : cases)
        EXPECT_EQ(c.expected, schedule.Check(nullptr, c.timing, kNoon)) << c.what;
}

TEST_F(ConflictTest, EditedItemIsLeftOut)
{
    const _tagTimingParam later = Once(2027, 3, 11, 20, 30, 3600);
    EXPECT_EQ(TIMING_CHECK_OVERLAPS_ONCE, schedule.Check(nullptr, later, kNoon));
    EXPECT_EQ(TIMING_CHECK_FREE, schedule.Check(thursday, later, kNoon));
    EXPECT_TRUE(schedule.Update(thursday, later, Execute(3600), kNoon));
    EXPECT_EQ(later.nMinute, schedule.Find(thursday)->timing.nMinute);
}

TEST_F(ConflictTest, OverlapOrFullStoreIsNotStored)
{
    EXPECT_EQ(nullptr, schedule.Insert(Once(2027, 3, 11, 20, 30, 600), Execute(600), kNoon));
    EXPECT_FALSE(schedule.Update(thursday, Once(2027, 3, 12, 23, 0, 600), Execute(600), kNoon));
    EXPECT_EQ(20, schedule.Find(thursday)->timing.nHour);

    CTimingSchedule small(3);
    small.Assign(schedule.Items());
    const _tagTimingParam free = Once(2027, 3, 11, 8, 0, 60);
    EXPECT_EQ(TIMING_CHECK_INVALID, small.Check(nullptr, free, kNoon));
    EXPECT_EQ(nullptr, small.Insert(free, Execute(60), kNoon));
    EXPECT_EQ(TIMING_CHECK_FREE, small.Check(small.First(), free, kNoon)); // an edit still fits
}

TEST(TimingScheduleTest, HandlesAreStableNonZeroAndNotReused)
{
    CTimingSchedule schedule;
    HTIMINGITEM a = schedule.Insert(Once(2027, 3, 11, 8, 0, 60), Execute(60), kNoon);
    HTIMINGITEM b = schedule.Insert(Once(2027, 3, 11, 9, 0, 60), Execute(60), kNoon);
    HTIMINGITEM c = schedule.Insert(Once(2027, 3, 11, 10, 0, 60), Execute(60), kNoon);
    ASSERT_TRUE(a && b && c);
    EXPECT_EQ(a, schedule.First());
    EXPECT_EQ(b, schedule.Next(a));
    EXPECT_EQ(c, schedule.Next(b));
    EXPECT_EQ(nullptr, schedule.Next(c));
    EXPECT_TRUE(schedule.Remove(b));
    EXPECT_FALSE(schedule.Remove(b));
    EXPECT_EQ(c, schedule.Next(a));
    EXPECT_EQ(nullptr, schedule.Next(b)); // a removed item leads nowhere
    EXPECT_EQ(nullptr, schedule.Find(b));
    HTIMINGITEM d = schedule.Insert(Once(2027, 3, 11, 9, 0, 60), Execute(60), kNoon);
    EXPECT_TRUE(d != a && d != b && d != c && d != nullptr);
    EXPECT_EQ(a, schedule.First());
}

// A sequence of ticks and actions over named items; each step lists the
// events it must give, as "start A", "stop B", joined by ", ".
struct Step
{
    __time64_t at;
    const char* action; // "", "cancel", "remove A"
    const char* events;
};

class TriggerTest : public ::testing::Test
{
protected:
    void Add(const char* name, const _tagTimingParam& timing)
    {
        HTIMINGITEM item = schedule.Insert(timing, Execute(timing.nDuration), LocalTime(2027, 3, 1, 0, 0));
        ASSERT_NE(nullptr, item) << name;
        names[item] = name;
        items[name] = item;
    }

    void Run(const std::vector<Step>& steps)
    {
        for (const Step& step : steps) {
            const std::string action = step.action;
            if (action == "cancel") {
                schedule.Cancel();
            } else if (action.rfind("remove ", 0) == 0) {
                ASSERT_TRUE(schedule.Remove(items[action.substr(7)]));
            }
            bool changed = false;
            std::string got;
            for (const CTimingSchedule::Event& event : schedule.Tick(step.at, &changed)) {
                got += got.empty() ? "" : ", ";
                got += (event.kind == TIMING_EVENT_START ? "start " : "stop ") + names[event.item];
            }
            EXPECT_EQ(step.events, got) << "at " << (step.at - kNoon) << " s from noon, " << action;
        }
    }

    CTimingSchedule schedule;
    std::map<HTIMINGITEM, std::string> names;
    std::map<std::string, HTIMINGITEM> items;
};

__time64_t At(int hour, int minute, int second = 0, int day = 10)
{
    return LocalTime(2027, 3, day, hour, minute, second);
}

TEST_F(TriggerTest, StartsAndStopsOnTime)
{
    Add("A", Once(2027, 3, 10, 12, 10, 600));
    Run({{At(12, 0), "", ""},
         {At(12, 9, 59), "", ""},
         {At(12, 10), "", "start A"},
         {At(12, 15), "", ""},
         {At(12, 19, 59), "", ""},
         {At(12, 20), "", "stop A"},
         {At(12, 21), "", ""}});
}

TEST_F(TriggerTest, LateStartStopsAtTheScheduledEnd)
{
    Add("A", Once(2027, 3, 10, 12, 10, 600));
    Run({{At(12, 15), "", "start A"}, {At(12, 20), "", "stop A"}});
}

TEST_F(TriggerTest, WindowPassedBetweenTicksIsSkipped)
{
    Add("A", Once(2027, 3, 10, 12, 10, 600));
    Run({{At(12, 0), "", ""}, {At(12, 30), "", ""}, {At(12, 31), "", ""}});
}

TEST_F(TriggerTest, CancelledOccurrenceNeitherStopsNorStartsAgain)
{
    Add("A", Once(2027, 3, 10, 12, 10, 600));
    Run({{At(12, 10), "", "start A"},
         {At(12, 11), "cancel", ""},
         {At(12, 12), "", ""},
         {At(12, 20), "", ""}});
}

TEST_F(TriggerTest, RemovingTheRunningItemStopsIt)
{
    Add("A", Once(2027, 3, 10, 12, 10, 600));
    Add("B", Once(2027, 3, 10, 13, 0, 600));
    Run({{At(12, 10), "", "start A"},
         {At(12, 12), "remove A", "stop A"},
         {At(12, 20), "", ""},
         {At(13, 0), "", "start B"}});
}

TEST_F(TriggerTest, BackToBackItemsStopThenStart)
{
    Add("A", Once(2027, 3, 10, 12, 0, 600));
    Add("B", Once(2027, 3, 10, 12, 10, 600));
    Run({{At(12, 5), "", "start A"}, {At(12, 10), "", "stop A, start B"}, {At(12, 20), "", "stop B"}});
}

TEST_F(TriggerTest, WeeklyItemAcrossMidnightAndIntoNextWeek)
{
    // Wednesday 23:30 for an hour, and Sunday 23:30 into Monday.
    Add("W", Weekly(kWednesday | kSunday, 23, 30, 3600));
    Run({{At(23, 29), "", ""},
         {At(23, 30), "", "start W"},
         {At(0, 15, 0, 11), "", ""},
         {At(0, 30, 0, 11), "", "stop W"},
         {At(23, 30, 0, 11), "", ""}, // Thursday is not set
         {At(23, 45, 0, 14), "", "start W"},
         {At(0, 30, 0, 15), "", "stop W"},
         {At(23, 30, 0, 17), "", "start W"}}); // the next Wednesday
}

TEST_F(TriggerTest, EditedRunningItemRunsToItsNewEnd)
{
    Add("A", Once(2027, 3, 10, 12, 10, 600));
    Run({{At(12, 10), "", "start A"}});
    ASSERT_TRUE(schedule.Update(items["A"], Once(2027, 3, 10, 12, 10, 1200), Execute(1200), At(12, 11)));
    Run({{At(12, 20), "", ""}, {At(12, 30), "", "stop A"}});
}

} // namespace

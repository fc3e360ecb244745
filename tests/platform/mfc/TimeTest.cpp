// Times come from settings files; impossible dates must be refused rather
// than silently normalised into another day, and Format must use the C
// library's conversions on the local time.
#include "platform/mfc/Time.h"

#include <gtest/gtest.h>

TEST(CTimeFromLocalFields, RefusesImpossibleDates)
{
    struct { int y, mo, d, h, mi, s; bool ok; } cases[] = {
        {2024, 2, 29, 0, 0, 0, true},   {2023, 2, 29, 0, 0, 0, false}, {2100, 2, 29, 0, 0, 0, false},
        {2000, 2, 29, 12, 0, 0, true},  {2024, 13, 1, 0, 0, 0, false}, {2024, 0, 1, 0, 0, 0, false},
        {2024, 4, 31, 0, 0, 0, false},  {2024, 12, 31, 23, 59, 59, true}, {2024, 1, 1, 24, 0, 0, false},
        {2024, 1, 1, 0, 60, 0, false},  {2024, 1, 1, 0, 0, -1, false}, {1969, 12, 31, 0, 0, 0, false},
        {0, 0, 0, 0, 0, 0, false},
    };
    for (const auto& c : cases) {
        CTime t(123);
        EXPECT_EQ(c.ok, CTime::FromLocalFields(c.y, c.mo, c.d, c.h, c.mi, c.s, t) != FALSE)
            << c.y << "-" << c.mo << "-" << c.d << " " << c.h << ":" << c.mi << ":" << c.s;
        if (c.ok) {
            EXPECT_EQ(c.y, t.GetYear());
            EXPECT_EQ(c.d, t.GetDay());
            EXPECT_EQ(c.s, t.GetSecond());
        } else {
            EXPECT_EQ(123, t.GetTime());
        }
    }
}

TEST(CTimeFormat, LocalFieldsAndSpans)
{
    CTime t(2025, 3, 7, 9, 5, 1);
    EXPECT_EQ("20250307-090501", t.Format("%Y%m%d-%H%M%S"));
    EXPECT_EQ("2025,03,07,09,05,01", t.Format("%Y,%m,%d,%H,%M,%S"));
    CTime later = t + CTimeSpan(1, 2, 3, 4);
    EXPECT_EQ("2025,03,08,11,08,05", later.Format("%Y,%m,%d,%H,%M,%S"));
    CTimeSpan span = later - t;
    EXPECT_EQ(1, span.GetDays());
    EXPECT_EQ(2, span.GetHours());
    EXPECT_EQ(3, span.GetMinutes());
    EXPECT_EQ(4, span.GetSeconds());
    EXPECT_EQ(6, t.GetDayOfWeek()); // a Friday
    EXPECT_EQ("", t.Format(""));
}

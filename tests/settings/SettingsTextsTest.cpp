// What the channel, schedule and storage pages read from the user and show
// back: typed frequencies, a schedule row's texts and refusals, a disk's
// sizes. Tables of cases.
#include "engine/ChannelTable.h"
#include "resources/Resource.h"
#include "settings/ChannelFrequency.h"
#include "settings/DiskRow.h"
#include "settings/ScheduleRecord.h"

#include <gtest/gtest.h>

#include <string>

TEST(ChannelFrequency, TypedTextIsReadAsExactDecimalMHz)
{
    const long kMin = 44000, kMax = 958000;
    struct { const char* text; bool ok; long kHz; } cases[] = {
        {"48.29", true, 48290},      // not 48289 from a float times 1000
        {"471.25", true, 471250},
        {"471.2499", true, 471249},  // below the kHz: cut
        {" 175.25 ", true, 175250},
        {"175", true, 175000},
        {"175.", true, 175000},
        {"958", true, 958000},
        {"44", true, 44000},
        {"43.999", false, 0},        // below the tuner
        {"958.001", false, 0},       // above it
        {"", false, 0},
        {"   ", false, 0},
        {".", false, 0},
        {"abc", false, 0},
        {"12a", false, 0},
        {"-48.25", false, 0},
        {"1.2.3", false, 0},
        {"48,25", false, 0},
        {"99999999999999999999", false, 0},
    };
    for (const auto& c : cases) {
        long kHz = -1;
        EXPECT_EQ(c.ok, CChannelFrequency::Parse(c.text, kMin, kMax, kHz) != FALSE) << "'" << c.text << "'";
        EXPECT_EQ(c.ok ? c.kHz : -1, kHz) << "'" << c.text << "'";
    }
    EXPECT_EQ("471.25", std::string(CChannelFrequency::Format(471250)));
    EXPECT_EQ("48.29", std::string(CChannelFrequency::Format(48290)));
    EXPECT_EQ("175", std::string(CChannelFrequency::Format(175000)));
}

namespace {

_tagTimingParam Timing(int once, int mask, int duration, int y = 2030, int mo = 5, int d = 17, int h = 20, int mi = 15,
                       int s = 0)
{
    _tagTimingParam t = {y, mo, d, h, mi, s, duration, once, once ? 0 : mask, 0};
    return t;
}

_tagExcuteParam Execute(int source, int frequency, int duration = 3000)
{
    _tagExcuteParam e = {44, 0, duration, source, 0, frequency, 0, 0, {0, 0, 0}};
    return e;
}

} // namespace

TEST(ScheduleRecord, RowTextsLookTheChannelUpInTheItemsOwnTable)
{
    CChannelTable tv, fm;
    fm.SetFM(TRUE);
    tv.AddChannel(CChannel(5, 175250, "Eins", CHANNEL_VALID));
    tv.AddChannel(CChannel(7, 471250, "Sport", CHANNEL_VALID));
    fm.AddChannel(CChannel(2, 471250, "Radio", CHANNEL_VALID)); // the same number, another band

    struct { _tagTimingParam t; _tagExcuteParam e; const char* texts[5]; } cases[] = {
        {Timing(1, 0, 3000), Execute(0, 471250), {"2030-05-17", "20:15:00", "00:50:00", "7.Sport", "TV"}},
        {Timing(1, 0, 3000), Execute(3, 471250), {"2030-05-17", "20:15:00", "00:50:00", "2.Radio", "FM"}},
        {Timing(0, 0x41, 90061), Execute(0, 175250), {"Monday,Sunday", "20:15:00", "25:01:01", "5.Eins", "TV"}},
        {Timing(0, 0, 60), Execute(1, 471250), {"", "20:15:00", "00:01:00", "", "AV"}},
        {Timing(1, 0, 60, 2030, 1, 2, 3, 4, -1), Execute(2, 0), {"2030-01-02", "03:04:00", "00:01:00", "", "SV"}},
        {Timing(1, 0, 60), Execute(0, 999999), {"2030-05-17", "20:15:00", "00:01:00", "", "TV"}},
    };
    for (const auto& c : cases) {
        CString texts[CScheduleRecord::kColumnCount];
        CScheduleRecord::RowTexts(c.t, c.e, tv, fm, texts);
        for (int i = 0; i < CScheduleRecord::kColumnCount; ++i)
            EXPECT_EQ(c.texts[i], std::string(texts[i])) << "column " << i << " of " << c.texts[0];
    }
}

TEST(ScheduleRecord, ItemsThatCannotRecordAreRefused)
{
    const CTime now(2030, 5, 17, 20, 15, 0);
    struct { _tagTimingParam t; UINT refusal; } cases[] = {
        {Timing(1, 0, 3000, 2030, 5, 17, 20, 16), 0},
        {Timing(1, 0, 3000, 2030, 5, 17, 20, 15), IDS_SCHEDULE_START_PASSED}, // exactly now
        {Timing(1, 0, 3000, 2030, 5, 16, 23, 0), IDS_SCHEDULE_START_PASSED},
        {Timing(1, 0, 3000, 2030, 2, 30, 20, 0), IDS_SCHEDULE_START_PASSED},  // no such day
        {Timing(0, 0x01, 3000), 0},
        {Timing(0, 0x00, 3000), IDS_SCHEDULE_NO_WEEKDAY},
        {Timing(0, 0x80, 3000), IDS_SCHEDULE_NO_WEEKDAY}, // no day bit
        {Timing(0, 0x7F, 0), IDS_SCHEDULE_NO_DURATION},
        {Timing(1, 0, 0, 2031), IDS_SCHEDULE_NO_DURATION},
        {Timing(1, 0, 24 * 3600 + 59 * 60 + 59, 2031), 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.refusal, CScheduleRecord::Refusal(c.t, now))
            << c.t.nYear << "-" << c.t.nMonth << "-" << c.t.nDay << " mask " << c.t.nWeekMask;
}

TEST(ScheduleRecord, WeekdayChecksAndMaskMapOntoEachOther)
{
    // Sunday is the list's first item and the mask's bit 6.
    const BOOL sundayOnly[7] = {TRUE, FALSE, FALSE, FALSE, FALSE, FALSE, FALSE};
    const BOOL mondayAndSaturday[7] = {FALSE, TRUE, FALSE, FALSE, FALSE, FALSE, TRUE};
    EXPECT_EQ(0x40, CScheduleRecord::MaskFromChecks(sundayOnly));
    EXPECT_EQ(0x21, CScheduleRecord::MaskFromChecks(mondayAndSaturday));
    for (int mask = 0; mask < 0x80; ++mask) {
        BOOL checks[7];
        CScheduleRecord::ChecksFromMask(mask, checks);
        EXPECT_EQ(mask, CScheduleRecord::MaskFromChecks(checks));
    }
}

TEST(ScheduleRecord, APowerOnTimeAlreadyPassedTodayRollsToTomorrow)
{
    const CTime now(2030, 5, 17, 20, 15, 0);
    struct { int hour, minute; int day, expectedHour; } cases[] = {
        {21, 0, 17, 21}, {20, 15, 18, 20}, {6, 30, 18, 6}, {23, 59, 17, 23},
    };
    for (const auto& c : cases) {
        const CTime next = CScheduleRecord::NextTimeOfDay(CTime(2001, 1, 1, c.hour, c.minute, 0), now);
        EXPECT_EQ(c.day, next.GetDay()) << c.hour << ":" << c.minute;
        EXPECT_EQ(c.expectedHour, next.GetHour());
        EXPECT_EQ(c.minute, next.GetMinute());
        EXPECT_GT(next.GetTime(), now.GetTime());
    }
    // The last day of a month rolls into the next month.
    const CTime endOfMonth(2030, 5, 31, 22, 0, 0);
    const CTime next = CScheduleRecord::NextTimeOfDay(CTime(2001, 1, 1, 7, 0, 0), endOfMonth);
    EXPECT_EQ(6, next.GetMonth());
    EXPECT_EQ(1, next.GetDay());
}

TEST(DiskRow, SizesInSixtyFourBitsAndAZeroTotal)
{
    struct { ULONGLONG free, total; const char* freeText; const char* totalText; } cases[] = {
        {51200, 102400, "     51200 MB ( 50% )", "    102400 MB"},
        {0, 0, "         0 MB (  0% )", "         0 MB"},
        {5000000, 8000000, "   5000000 MB ( 62% )", "   8000000 MB"},                 // 7.6 TiB
        {3000000000ull, 4294967295ull, "3000000000 MB ( 69% )", "4294967295 MB"},     // 4 PiB
        {9000000000ull, 12000000000ull, "9000000000 MB ( 75% )", "12000000000 MB"},
        {200, 100, "       200 MB ( 100% )", "       100 MB"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.freeText, std::string(CDiskRow::FreeText(c.free, c.total))) << c.total;
        EXPECT_EQ(c.totalText, std::string(CDiskRow::TotalText(c.total))) << c.total;
    }
}

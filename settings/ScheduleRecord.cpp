#include "settings/ScheduleRecord.h"

#include "engine/ChannelTable.h"
#include "resources/Resource.h"

#include <windows.h>

#include <commctrl.h>

namespace {

// Bit k of the record's weekday mask.
constexpr const char* kWeekdayNames[7] = {"Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday", "Sunday"};
constexpr const char* kSourceNames[4] = {"TV", "AV", "SV", "FM"};
constexpr int kSourceFM = 3;
constexpr int kAllDays = 0x7F;

} // namespace

CString CScheduleRecord::DateText(const _tagTimingParam& timing)
{
    CString text;
    if (timing.nOnce) {
        text.Format("%04d-%02d-%02d", timing.nYear, timing.nMonth, timing.nDay);
        return text;
    }
    for (int bit = 0; bit < 7; ++bit) {
        if (!(timing.nWeekMask & (1 << bit)))
            continue;
        if (!text.IsEmpty())
            text += ",";
        text += kWeekdayNames[bit];
    }
    return text;
}

CString CScheduleRecord::ClockText(int hour, int minute, int second)
{
    CString text;
    text.Format("%02d:%02d:%02d", hour, minute, second);
    return text;
}

void CScheduleRecord::ShowClockFormat(HWND timePicker)
{
    if (timePicker != NULL)
        ::SendMessageA(timePicker, DTM_SETFORMATA, 0, (LPARAM) "HH':'mm':'ss");
}

CString CScheduleRecord::DurationText(int seconds)
{
    if (seconds < 0)
        seconds = 0;
    return ClockText(seconds / 3600, seconds / 60 % 60, seconds % 60);
}

CString CScheduleRecord::SourceText(int source)
{
    return source >= 0 && source < 4 ? kSourceNames[source] : "";
}

const CChannelTable& CScheduleRecord::SourceTable(int source, const CChannelTable& tv, const CChannelTable& fm)
{
    return source == kSourceFM ? fm : tv;
}

CString CScheduleRecord::ChannelText(const _tagExcuteParam& execute, const CChannelTable& tv, const CChannelTable& fm)
{
    if (execute.nSource != 0 && execute.nSource != kSourceFM)
        return CString();
    const CChannelTable& table = SourceTable(execute.nSource, tv, fm);
    const CChannel* channel = table.GetChannel(table.FindByFrequency(execute.nFrequency));
    CString text;
    if (channel)
        text.Format("%ld.%s", channel->ID, (LPCSTR)channel->Name);
    return text;
}

void CScheduleRecord::RowTexts(const _tagTimingParam& timing, const _tagExcuteParam& execute, const CChannelTable& tv,
                               const CChannelTable& fm, CString texts[kColumnCount])
{
    texts[kDate] = DateText(timing);
    texts[kStart] = ClockText(timing.nHour, timing.nMinute, timing.nSecond < 0 ? 0 : timing.nSecond);
    texts[kDuration] = DurationText(timing.nDuration);
    texts[kChannel] = ChannelText(execute, tv, fm);
    texts[kSource] = SourceText(execute.nSource);
}

CTime CScheduleRecord::StartOf(const _tagTimingParam& timing)
{
    CTime start;
    if (!CTime::FromLocalFields(timing.nYear, timing.nMonth, timing.nDay, timing.nHour, timing.nMinute,
                                timing.nSecond < 0 ? 0 : timing.nSecond, start))
        return CTime();
    return start;
}

UINT CScheduleRecord::Refusal(const _tagTimingParam& timing, const CTime& now)
{
    if (!timing.nOnce && (timing.nWeekMask & kAllDays) == 0)
        return IDS_SCHEDULE_NO_WEEKDAY;
    if (timing.nDuration <= 0)
        return IDS_SCHEDULE_NO_DURATION;
    if (timing.nOnce && StartOf(timing).GetTime() <= now.GetTime())
        return IDS_SCHEDULE_START_PASSED;
    return 0;
}

int CScheduleRecord::MaskFromChecks(const BOOL checks[7])
{
    int mask = checks[0] ? 1 << 6 : 0; // Sunday
    for (int item = 1; item < 7; ++item)
        if (checks[item])
            mask |= 1 << (item - 1);
    return mask;
}

void CScheduleRecord::ChecksFromMask(int mask, BOOL checks[7])
{
    checks[0] = (mask >> 6) & 1;
    for (int item = 1; item < 7; ++item)
        checks[item] = (mask >> (item - 1)) & 1;
}

CTime CScheduleRecord::NextTimeOfDay(const CTime& timeOfDay, const CTime& now)
{
    CTime next;
    if (!CTime::FromLocalFields(now.GetYear(), now.GetMonth(), now.GetDay(), timeOfDay.GetHour(),
                                timeOfDay.GetMinute(), timeOfDay.GetSecond(), next))
        return now;
    if (next.GetTime() <= now.GetTime()) {
        // The same clock time a day later, whatever daylight saving does:
        // tomorrow's date from today's noon.
        CTime noon;
        CTime::FromLocalFields(now.GetYear(), now.GetMonth(), now.GetDay(), 12, 0, 0, noon);
        const CTime tomorrow = noon + CTimeSpan(24 * 3600);
        CTime rolled;
        if (CTime::FromLocalFields(tomorrow.GetYear(), tomorrow.GetMonth(), tomorrow.GetDay(), timeOfDay.GetHour(),
                                   timeOfDay.GetMinute(), timeOfDay.GetSecond(), rolled))
            return rolled;
        return next + CTimeSpan(24 * 3600);
    }
    return next;
}

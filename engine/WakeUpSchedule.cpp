#include "engine/WakeUpSchedule.h"

namespace WakeUpSchedule {
namespace {

constexpr int kDaysSearched = 8; // a whole week after today, so today's weekday comes round again

// The dialogs write -1 for a second they could not read.
int SecondOf(const _tagTimingParam& item) { return item.nSecond < 0 ? 0 : item.nSecond; }

// The local date `days` days after the date of `from`, at the item's time.
BOOL OnDayAfter(const CTime& from, int days, const _tagTimingParam& item, CTime& at, int& weekdayBit)
{
    struct tm day = {};
    if (!from.GetLocalTm(&day))
        return FALSE;
    day.tm_mday += days;
    day.tm_hour = 12; // noon: no daylight-saving change moves it to another day
    day.tm_min = day.tm_sec = 0;
    day.tm_isdst = -1;
    if (_mktime64(&day) == -1)
        return FALSE;
    weekdayBit = (day.tm_wday + 6) % 7; // Monday is bit 0, Sunday bit 6
    return CTime::FromLocalFields(day.tm_year + 1900, day.tm_mon + 1, day.tm_mday, item.nHour, item.nMinute,
                                  SecondOf(item), at);
}

} // namespace

BOOL NextOccurrence(const _tagTimingParam& item, const CTime& notBefore, CTime& occurrence)
{
    CTime at;
    if (item.nOnce) {
        if (!CTime::FromLocalFields(item.nYear, item.nMonth, item.nDay, item.nHour, item.nMinute, SecondOf(item), at) ||
            at < notBefore)
            return FALSE;
        occurrence = at;
        return TRUE;
    }
    for (int days = 0; days < kDaysSearched; ++days) {
        int bit = 0;
        if (OnDayAfter(notBefore, days, item, at, bit) && (item.nWeekMask & (1 << bit)) && at >= notBefore) {
            occurrence = at;
            return TRUE;
        }
    }
    return FALSE;
}

BOOL EarliestOccurrence(const std::vector<_tagTimingParam>& items, const CTime& notBefore, CTime& earliest)
{
    BOOL found = FALSE;
    for (const _tagTimingParam& item : items) {
        CTime occurrence;
        if (NextOccurrence(item, notBefore, occurrence) && (!found || occurrence < earliest)) {
            earliest = occurrence;
            found = TRUE;
        }
    }
    return found;
}

WORD PowerOnMinutes(const CTime& now, const CTime& openTime)
{
    const LONGLONG minutes = (openTime - now).GetTotalMinutes();
    if (minutes < 1)
        return 1;
    return minutes > 0xFFFF ? 0xFFFF : static_cast<WORD>(minutes);
}

} // namespace WakeUpSchedule

// CScheduleRecord: what the schedule page and its dialog know of one
// scheduled recording beyond the timing library's two records: the texts of
// its row, whether it may be stored, the weekday checks of the dialog, and
// the next power-on time. Plain functions; UI thread (channel tables).
#pragma once
#include "platform/mfc/Time.h"
#include "platform/timing/Timing.h"

class CChannelTable;

class CScheduleRecord
{
public:
    enum Column { kDate, kStart, kDuration, kChannel, kSource, kColumnCount };

    // The five texts of the item's row. The channel is looked up by
    // frequency in the item's own source's table.
    static void RowTexts(const _tagTimingParam& timing, const _tagExcuteParam& execute, const CChannelTable& tv,
                         const CChannelTable& fm, CString texts[kColumnCount]);
    static CString DateText(const _tagTimingParam& timing);
    static CString ClockText(int hour, int minute, int second);
    // The time pickers show the clock as the list does ("14:05:09"): the
    // locale's own time format pads a one-digit hour with a blank under
    // Wine ("2 :05:09 PM").
    static void ShowClockFormat(HWND timePicker);
    static CString DurationText(int seconds);
    static CString SourceText(int source);
    static CString ChannelText(const _tagExcuteParam& execute, const CChannelTable& tv, const CChannelTable& fm);
    // The table the item's source records from (the FM table for FM, the TV
    // table otherwise).
    static const CChannelTable& SourceTable(int source, const CChannelTable& tv, const CChannelTable& fm);

    // 0 when the item may be stored, else the string id of the message that
    // says why not: a weekly item without days, no length, a single item
    // that starts no later than `now`.
    static UINT Refusal(const _tagTimingParam& timing, const CTime& now);
    // The start of a single item (local time); 0 when its fields are no time.
    static CTime StartOf(const _tagTimingParam& timing);

    // The dialog's weekday list runs Sunday to Saturday; the record's mask
    // has Monday in bit 0 and Sunday in bit 6.
    static int MaskFromChecks(const BOOL checks[7]);
    static void ChecksFromMask(int mask, BOOL checks[7]);

    // Today at the time of day of `timeOfDay`, or tomorrow when that has
    // passed by `now`.
    static CTime NextTimeOfDay(const CTime& timeOfDay, const CTime& now);
};

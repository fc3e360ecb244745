// The timing library: keeps the scheduled recordings in the store file
// "Rec.rec" and posts WM_TIMING_EVENT to the registered window when one
// starts (lParam 0) or stops (lParam 1). Every call is safe before
// Timing_Initialize and after Timing_Uninitialize (it does nothing and
// answers 0 or null). Called on the user-interface thread; the trigger is a
// thread timer of the thread that called Timing_StartTrigger, dispatched by
// its message loop.
#pragma once
#include <windows.h>

// A scheduled recording starts (lParam 0) or stops (lParam 1); wParam the item.
const UINT WM_TIMING_EVENT = 0x4C8;
const LPARAM TIMING_EVENT_START = 0;
const LPARAM TIMING_EVENT_STOP = 1;

#pragma pack(push, 4)
// When an item records, as ten signed 32-bit fields.
struct _tagTimingParam
{
    INT32 nYear;      // four digits
    INT32 nMonth;     // 1-12
    INT32 nDay;       // day of month
    INT32 nHour;
    INT32 nMinute;
    INT32 nSecond;    // -1 when the dialog could not convert it; read as 0
    INT32 nDuration;  // seconds
    INT32 nOnce;      // non-zero: once, on the date above; 0: weekly
    INT32 nWeekMask;  // bit 0 Monday ... bit 6 Sunday; 0 when once
    INT32 nReserved;  // 0
};
static_assert(sizeof(_tagTimingParam) == 40, "timing record is 40 bytes");

// What an item does, as eleven signed 32-bit fields; kept as it was given.
struct _tagExcuteParam
{
    INT32 nSize;      // 44
    INT32 nZero;
    INT32 nDuration;  // seconds
    INT32 nSource;    // 0 TV, 1 AV, 2 SV, 3 FM
    INT32 nChannel;   // index in the TV or FM table
    INT32 nFrequency; // kHz
    INT32 bPowerOff;
    INT32 bHibernate;
    INT32 nUnused[3];
};
static_assert(sizeof(_tagExcuteParam) == 44, "execute record is 44 bytes");
#pragma pack(pop)

// An item of the schedule: stable for the item's life and never 0; a
// handle of a removed item is never given out again in the same run.
typedef struct TimingItem_* HTIMINGITEM;

// Results of Timing_CheckItem.
enum TimingCheckResult
{
    TIMING_CHECK_FREE = 0,         // may be stored
    TIMING_CHECK_STARTS_NOW = 1,   // may be stored; its time has come, it starts late
    TIMING_CHECK_INVALID = 2,      // a field out of range, a once item already over, or the store full
    TIMING_CHECK_OVERLAPS_ONCE = 3,   // overlaps a once item
    TIMING_CHECK_OVERLAPS_WEEKLY = 4, // overlaps a weekly item
};

// Opens the store at `path` (created on the first change when missing);
// `maxItems` bounds the schedule (0: the library's own bound). Non-zero
// when open. A store that cannot be read is moved aside to the first free
// name of "<path>.unread", "<path>.unread2", ... "<path>.unread100" and the
// schedule starts empty.
BOOL Timing_Initialize(LPCSTR path, UINT maxItems);
BOOL Timing_Uninitialize();
BOOL Timing_RegisterMsgWnd(HWND window);
// The trigger: a one-second thread timer on the calling thread.
BOOL Timing_StartTrigger(UINT reserved);
BOOL Timing_StopTrigger(UINT reserved);
// Looks at the clock at once, as a tick of the trigger would.
BOOL Timing_RefreshTrigger(UINT reserved);
// Drops the running recording: no stop event follows, and that occurrence
// does not start again.
BOOL Timing_CancelItem(UINT reserved);

HTIMINGITEM Timing_GetFirstItem(UINT reserved);
HTIMINGITEM Timing_GetNextItem(UINT reserved, HTIMINGITEM item);
BOOL Timing_GetItemTimingParam(HTIMINGITEM item, _tagTimingParam* timing);
BOOL Timing_GetItemExcuteParam(HTIMINGITEM item, void* buffer, UINT size);

// Checks a timing record against the schedule, leaving out `exclude` (the
// item being edited; null when adding); the answer (TimingCheckResult)
// goes to *result.
BOOL Timing_CheckItem(UINT reserved, HTIMINGITEM exclude, _tagTimingParam timing, int* result);
// Stores a new item; its handle, or null when refused (the check's answer
// not 0 or 1) or the store could not be written.
HTIMINGITEM Timing_InsertItem(UINT reserved, _tagTimingParam timing, const _tagExcuteParam* execute);
// Non-zero when stored; the item keeps its handle and its place.
BOOL Timing_UpdateItem(HTIMINGITEM item, _tagTimingParam timing, const _tagExcuteParam* execute);
// A running item that is removed stops (its stop event is posted).
BOOL Timing_RemoveItem(HTIMINGITEM item);

// CTimingSchedule: the timing library's items in their order, the conflict
// rule and the trigger's decisions, with the time passed in by the caller
// (no clock, file or window of its own). Owned by the library's state, which
// serialises every call to it.
#pragma once
#include "platform/timing/Timing.h"

#include <time.h>

#include <vector>

// One occurrence of an item: [start, end) in seconds since 1970 (UTC).
struct TimingWindow
{
    __time64_t start;
    __time64_t end;
};

class CTimingSchedule
{
public:
    struct Item
    {
        UINT_PTR id;                // the handle's value
        _tagTimingParam timing;     // as given
        _tagExcuteParam execute;    // as given
        __time64_t handledUntil;    // end of the last occurrence started or cancelled
    };

    struct Event
    {
        HTIMINGITEM item;
        LPARAM kind; // TIMING_EVENT_START or TIMING_EVENT_STOP
    };

    // Bounds on one item: at most a day long, so that a weekly item never
    // overlaps its own next occurrence.
    static constexpr INT32 kMaxDuration = 24 * 3600;
    static constexpr size_t kDefaultMaxItems = 128;

    explicit CTimingSchedule(size_t maxItems = kDefaultMaxItems);

    // A TimingCheckResult for `timing` at `now`, leaving out `exclude`.
    int Check(HTIMINGITEM exclude, const _tagTimingParam& timing, __time64_t now) const;
    // Null when Check does not answer 0 or 1.
    HTIMINGITEM Insert(const _tagTimingParam& timing, const _tagExcuteParam& execute, __time64_t now);
    BOOL Update(HTIMINGITEM item, const _tagTimingParam& timing, const _tagExcuteParam& execute,
                __time64_t now);
    BOOL Remove(HTIMINGITEM item);

    const Item* Find(HTIMINGITEM item) const;
    HTIMINGITEM First() const;
    HTIMINGITEM Next(HTIMINGITEM item) const;
    const std::vector<Item>& Items() const { return m_items; }
    // Replaces the items (a store just read); handles are given out anew.
    // Handles count up across every schedule of the process, so a handle
    // from before the library was closed and opened again matches nothing.
    void Assign(const std::vector<Item>& items);
    void Clear();

    // What the trigger does at `now`: the running item stops once no
    // occurrence of it covers `now` (also when it was removed); then, when
    // none runs, the first item with an occurrence covering `now` that was
    // not started or cancelled before starts, late if need be. An
    // occurrence that passed between two ticks is skipped. `changed` is set
    // when a handled mark moved (the store should be written).
    std::vector<Event> Tick(__time64_t now, bool* changed);
    // Drops the running occurrence without a stop; FALSE when none runs.
    BOOL Cancel();
    HTIMINGITEM Running() const { return m_running.id ? ToHandle(m_running.id) : nullptr; }

    // The occurrence of `timing` that covers `now`; FALSE when none does.
    static BOOL WindowAt(const _tagTimingParam& timing, __time64_t now, TimingWindow* window);
    static BOOL IsValid(const _tagTimingParam& timing);

    static HTIMINGITEM ToHandle(UINT_PTR id) { return reinterpret_cast<HTIMINGITEM>(id); }
    static UINT_PTR ToId(HTIMINGITEM item) { return reinterpret_cast<UINT_PTR>(item); }

private:
    Item* FindItem(HTIMINGITEM item);
    BOOL Overlaps(const _tagTimingParam& a, const _tagTimingParam& b, __time64_t now) const;

    size_t m_maxItems;
    std::vector<Item> m_items;
    struct RunningOccurrence
    {
        UINT_PTR id = 0;
        TimingWindow window = {0, 0};
    } m_running;
};

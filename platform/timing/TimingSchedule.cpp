#include "platform/timing/TimingSchedule.h"

#include <algorithm>
#include <atomic>

namespace {

constexpr __time64_t kDay = 24 * 3600;
constexpr __time64_t kWeek = 7 * kDay;
constexpr INT32 kAllDays = 0x7F;

bool IsOnce(const _tagTimingParam& t) { return t.nOnce != 0; }

// The dialogs write -1 for a second they could not read.
int SecondOf(const _tagTimingParam& t) { return t.nSecond < 0 ? 0 : t.nSecond; }

__time64_t TimeOfDay(const _tagTimingParam& t)
{
    return t.nHour * 3600 + t.nMinute * 60 + SecondOf(t);
}

// Local time of a date (day may run past the month: the C library carries
// it over) at the item's time of day; -1 when it cannot be converted.
__time64_t LocalTime(int year, int month, int day, const _tagTimingParam& t)
{
    struct tm fields = {};
    fields.tm_year = year - 1900;
    fields.tm_mon = month - 1;
    fields.tm_mday = day;
    fields.tm_hour = t.nHour;
    fields.tm_min = t.nMinute;
    fields.tm_sec = SecondOf(t);
    fields.tm_isdst = -1;
    return _mktime64(&fields);
}

// Bit of a weekday counted from Sunday 0: Monday is bit 0, Sunday bit 6.
int WeekdayBit(int weekdayFromSunday) { return (weekdayFromSunday + 6) % 7; }

bool OnceWindow(const _tagTimingParam& t, TimingWindow* window)
{
    const __time64_t start = LocalTime(t.nYear, t.nMonth, t.nDay, t);
    if (start == -1)
        return false;
    *window = {start, start + t.nDuration};
    return true;
}

// The weekly item's occurrence on the day `dayOffset` days from the local
// day of `now`, when that day's bit is set.
bool WeeklyWindowOnDay(const _tagTimingParam& t, __time64_t now, int dayOffset, TimingWindow* window)
{
    struct tm today = {};
    if (_localtime64_s(&today, &now) != 0)
        return false;
    const __time64_t start = LocalTime(today.tm_year + 1900, today.tm_mon + 1, today.tm_mday + dayOffset, t);
    struct tm day = {};
    if (start == -1 || _localtime64_s(&day, &start) != 0)
        return false;
    if (!(t.nWeekMask & (1 << WeekdayBit(day.tm_wday))))
        return false;
    *window = {start, start + t.nDuration};
    return true;
}

// Where an item's occurrences fall in the local week (seconds from Monday
// 00:00): every weekday of a weekly item, the one day of a once item.
std::vector<__time64_t> WeekPositions(const _tagTimingParam& t)
{
    std::vector<__time64_t> positions;
    int mask = t.nWeekMask;
    if (IsOnce(t)) {
        TimingWindow window;
        struct tm day = {};
        if (!OnceWindow(t, &window) || _localtime64_s(&day, &window.start) != 0)
            return positions;
        mask = 1 << WeekdayBit(day.tm_wday);
    }
    for (int bit = 0; bit < 7; ++bit) {
        if (mask & (1 << bit))
            positions.push_back(bit * kDay + TimeOfDay(t));
    }
    return positions;
}

// Two spans on the week's circle, [a, a + lengthA) and [b, b + lengthB).
bool OverlapOnWeek(__time64_t a, __time64_t lengthA, __time64_t b, __time64_t lengthB)
{
    const __time64_t distance = ((b - a) % kWeek + kWeek) % kWeek;
    return distance < lengthA || distance > kWeek - lengthB;
}

UINT_PTR NewId()
{
    static std::atomic<UINT_PTR> next{1};
    return next++;
}

bool IsOver(const _tagTimingParam& t, __time64_t now)
{
    TimingWindow window;
    return IsOnce(t) && (!OnceWindow(t, &window) || window.end <= now);
}

} // namespace

CTimingSchedule::CTimingSchedule(size_t maxItems)
    : m_maxItems(maxItems ? maxItems : kDefaultMaxItems)
{
}

BOOL CTimingSchedule::IsValid(const _tagTimingParam& t)
{
    if (t.nHour < 0 || t.nHour > 23 || t.nMinute < 0 || t.nMinute > 59 || t.nSecond < -1 || t.nSecond > 59)
        return FALSE;
    if (t.nDuration <= 0 || t.nDuration > kMaxDuration)
        return FALSE;
    if (!IsOnce(t))
        return (t.nWeekMask & kAllDays) != 0 && (t.nWeekMask & ~kAllDays) == 0;
    if (t.nYear < 1971 || t.nYear > 3000 || t.nMonth < 1 || t.nMonth > 12 || t.nDay < 1 || t.nDay > 31)
        return FALSE;
    // The day must exist in its month: the C library would carry 31 April
    // over into May.
    TimingWindow window;
    struct tm fields = {};
    return OnceWindow(t, &window) && _localtime64_s(&fields, &window.start) == 0 &&
           fields.tm_mday == t.nDay && fields.tm_mon == t.nMonth - 1;
}

BOOL CTimingSchedule::WindowAt(const _tagTimingParam& t, __time64_t now, TimingWindow* window)
{
    TimingWindow found;
    if (IsOnce(t)) {
        if (!OnceWindow(t, &found) || now < found.start || now >= found.end)
            return FALSE;
        *window = found;
        return TRUE;
    }
    // A day at most long: an occurrence covering now began today or yesterday.
    for (int dayOffset = 0; dayOffset >= -1; --dayOffset) {
        if (WeeklyWindowOnDay(t, now, dayOffset, &found) && found.start <= now && now < found.end) {
            *window = found;
            return TRUE;
        }
    }
    return FALSE;
}

BOOL CTimingSchedule::Overlaps(const _tagTimingParam& a, const _tagTimingParam& b, __time64_t now) const
{
    if (IsOver(a, now) || IsOver(b, now))
        return FALSE;
    TimingWindow wa, wb;
    if (IsOnce(a) && IsOnce(b))
        return OnceWindow(a, &wa) && OnceWindow(b, &wb) && wa.start < wb.end && wb.start < wa.end;
    for (__time64_t pa : WeekPositions(a)) {
        for (__time64_t pb : WeekPositions(b)) {
            if (OverlapOnWeek(pa, a.nDuration, pb, b.nDuration))
                return TRUE;
        }
    }
    return FALSE;
}

int CTimingSchedule::Check(HTIMINGITEM exclude, const _tagTimingParam& timing, __time64_t now) const
{
    if (!IsValid(timing) || IsOver(timing, now))
        return TIMING_CHECK_INVALID;
    if (!exclude && m_items.size() >= m_maxItems)
        return TIMING_CHECK_INVALID;
    for (const Item& other : m_items) {
        if (ToHandle(other.id) == exclude || !Overlaps(timing, other.timing, now))
            continue;
        return IsOnce(other.timing) ? TIMING_CHECK_OVERLAPS_ONCE : TIMING_CHECK_OVERLAPS_WEEKLY;
    }
    TimingWindow window;
    return WindowAt(timing, now, &window) ? TIMING_CHECK_STARTS_NOW : TIMING_CHECK_FREE;
}

HTIMINGITEM CTimingSchedule::Insert(const _tagTimingParam& timing, const _tagExcuteParam& execute,
                                    __time64_t now)
{
    const int result = Check(nullptr, timing, now);
    if (result != TIMING_CHECK_FREE && result != TIMING_CHECK_STARTS_NOW)
        return nullptr;
    m_items.push_back({NewId(), timing, execute, 0});
    return ToHandle(m_items.back().id);
}

BOOL CTimingSchedule::Update(HTIMINGITEM item, const _tagTimingParam& timing,
                             const _tagExcuteParam& execute, __time64_t now)
{
    Item* found = FindItem(item);
    if (!found)
        return FALSE;
    const int result = Check(item, timing, now);
    if (result != TIMING_CHECK_FREE && result != TIMING_CHECK_STARTS_NOW)
        return FALSE;
    found->timing = timing;
    found->execute = execute;
    return TRUE;
}

BOOL CTimingSchedule::Remove(HTIMINGITEM item)
{
    auto it = std::find_if(m_items.begin(), m_items.end(),
                           [item](const Item& i) { return ToHandle(i.id) == item; });
    if (!item || it == m_items.end())
        return FALSE;
    m_items.erase(it);
    return TRUE;
}

const CTimingSchedule::Item* CTimingSchedule::Find(HTIMINGITEM item) const
{
    for (const Item& i : m_items) {
        if (item && ToHandle(i.id) == item)
            return &i;
    }
    return nullptr;
}

CTimingSchedule::Item* CTimingSchedule::FindItem(HTIMINGITEM item)
{
    return const_cast<Item*>(static_cast<const CTimingSchedule*>(this)->Find(item));
}

HTIMINGITEM CTimingSchedule::First() const
{
    return m_items.empty() ? nullptr : ToHandle(m_items.front().id);
}

HTIMINGITEM CTimingSchedule::Next(HTIMINGITEM item) const
{
    for (size_t i = 0; i + 1 < m_items.size(); ++i) {
        if (item && ToHandle(m_items[i].id) == item)
            return ToHandle(m_items[i + 1].id);
    }
    return nullptr;
}

void CTimingSchedule::Assign(const std::vector<Item>& items)
{
    Clear();
    for (const Item& item : items) {
        if (m_items.size() == m_maxItems)
            break;
        m_items.push_back({NewId(), item.timing, item.execute, item.handledUntil});
    }
}

void CTimingSchedule::Clear()
{
    m_items.clear();
    m_running = RunningOccurrence();
}

std::vector<CTimingSchedule::Event> CTimingSchedule::Tick(__time64_t now, bool* changed)
{
    std::vector<Event> events;
    *changed = false;
    if (m_running.id) {
        Item* item = FindItem(ToHandle(m_running.id));
        TimingWindow window;
        if (item && WindowAt(item->timing, now, &window)) {
            m_running.window.end = window.end; // an edited item runs to its new end
        } else {
            events.push_back({ToHandle(m_running.id), TIMING_EVENT_STOP});
            if (item) {
                item->handledUntil = std::max(item->handledUntil, m_running.window.end);
                *changed = true;
            }
            m_running = RunningOccurrence();
        }
    }
    if (m_running.id)
        return events;
    for (Item& item : m_items) {
        TimingWindow window;
        if (WindowAt(item.timing, now, &window) && window.end > item.handledUntil) {
            m_running.id = item.id;
            m_running.window = window;
            events.push_back({ToHandle(item.id), TIMING_EVENT_START});
            break;
        }
    }
    return events;
}

BOOL CTimingSchedule::Cancel()
{
    if (!m_running.id)
        return FALSE;
    if (Item* item = FindItem(ToHandle(m_running.id)))
        item->handledUntil = std::max(item->handledUntil, m_running.window.end);
    m_running = RunningOccurrence();
    return TRUE;
}

#include "platform/timing/Timing.h"

#include "platform/timing/TimingClock.h"
#include "platform/timing/TimingStore.h"

#include <mutex>
#include <string>

namespace {

class SystemTimingClock : public ITimingClock
{
public:
    __time64_t Now() override { return _time64(nullptr); }
};

SystemTimingClock g_systemClock;
Replaceable<ITimingClock> g_clock(&g_systemClock);

constexpr UINT kTickMs = 1000;

__time64_t Now()
{
    return TimingClockSeam().Get().Now();
}

// The library's one state. Calls come on the UI thread; the lock keeps a
// stray call from another thread from tearing it. Messages are posted, never
// sent, so holding the lock while posting cannot deadlock.
struct Library
{
    std::mutex lock;
    bool open = false;
    std::string path;
    CTimingSchedule schedule;
    HWND window = nullptr;
    UINT_PTR timer = 0;
};

Library& TheLibrary()
{
    static Library library;
    return library;
}

bool Store(Library& lib, const CTimingSchedule& schedule)
{
    if (TimingStore::Save(lib.path, schedule.Items()))
        return true;
    OutputDebugStringA("Timing: the schedule could not be written\n");
    return false;
}

// An edit of the items: made on a copy, which takes the schedule's place
// only once it is on disk, so what is in memory is what is stored.
template <typename Edit>
bool Change(Library& lib, Edit edit)
{
    CTimingSchedule changed = lib.schedule;
    if (!edit(changed) || !Store(lib, changed))
        return false;
    lib.schedule = changed;
    return true;
}

void Tick(Library& lib)
{
    bool changed = false;
    const auto events = lib.schedule.Tick(Now(), &changed);
    if (changed)
        Store(lib, lib.schedule); // only a handled mark moved: kept in memory either way
    for (const CTimingSchedule::Event& event : events) {
        if (lib.window)
            PostMessageA(lib.window, WM_TIMING_EVENT, reinterpret_cast<WPARAM>(event.item), event.kind);
    }
}

void CALLBACK TimerProc(HWND, UINT, UINT_PTR, DWORD)
{
    Library& lib = TheLibrary();
    std::lock_guard<std::mutex> hold(lib.lock);
    if (lib.open)
        Tick(lib);
}

void StopTimer(Library& lib)
{
    if (lib.timer)
        KillTimer(nullptr, lib.timer);
    lib.timer = 0;
}

// Runs `call` on the open library under its lock; answers `closed`
// without calling it when the library is not open.
template <typename Result, typename Call>
Result IfOpen(Result closed, Call call)
{
    Library& lib = TheLibrary();
    std::lock_guard<std::mutex> hold(lib.lock);
    return lib.open ? call(lib) : closed;
}

} // namespace

Replaceable<ITimingClock>& TimingClockSeam()
{
    return g_clock;
}

BOOL Timing_Initialize(LPCSTR path, UINT maxItems)
{
    Library& lib = TheLibrary();
    std::lock_guard<std::mutex> hold(lib.lock);
    if (lib.open || !path || !*path)
        return FALSE;
    lib.schedule = CTimingSchedule(maxItems);
    const size_t bound = maxItems ? maxItems : CTimingSchedule::kDefaultMaxItems;
    std::vector<CTimingSchedule::Item> items;
    std::string aside;
    switch (TimingStore::Load(path, bound, &items, &aside)) {
    case TimingStore::LoadResult::Unreadable:
        OutputDebugStringA("Timing: the schedule file can be neither read nor set aside\n");
        return FALSE;
    case TimingStore::LoadResult::SetAside:
        OutputDebugStringA(("Timing: a damaged schedule file was set aside as " + aside + "\n").c_str());
        break;
    case TimingStore::LoadResult::Read:
        break;
    }
    lib.schedule.Assign(items);
    lib.path = path;
    lib.open = true;
    return TRUE;
}

BOOL Timing_Uninitialize()
{
    return IfOpen(FALSE, [](Library& lib) {
        StopTimer(lib);
        lib.schedule.Clear();
        lib.window = nullptr;
        lib.path.clear();
        lib.open = false;
        return TRUE;
    });
}

BOOL Timing_RegisterMsgWnd(HWND window)
{
    return IfOpen(FALSE, [window](Library& lib) {
        lib.window = window;
        return TRUE;
    });
}

BOOL Timing_StartTrigger(UINT)
{
    return IfOpen(FALSE, [](Library& lib) {
        if (!lib.timer)
            lib.timer = SetTimer(nullptr, 0, kTickMs, TimerProc);
        return lib.timer != 0 ? TRUE : FALSE;
    });
}

BOOL Timing_StopTrigger(UINT)
{
    return IfOpen(FALSE, [](Library& lib) {
        StopTimer(lib);
        return TRUE;
    });
}

BOOL Timing_RefreshTrigger(UINT)
{
    return IfOpen(FALSE, [](Library& lib) {
        Tick(lib);
        return TRUE;
    });
}

BOOL Timing_CancelItem(UINT)
{
    return IfOpen(FALSE, [](Library& lib) {
        if (!lib.schedule.Cancel())
            return FALSE;
        Store(lib, lib.schedule); // the mark stays in memory even when not stored
        return TRUE;
    });
}

HTIMINGITEM Timing_GetFirstItem(UINT)
{
    return IfOpen<HTIMINGITEM>(nullptr, [](Library& lib) { return lib.schedule.First(); });
}

HTIMINGITEM Timing_GetNextItem(UINT, HTIMINGITEM item)
{
    return IfOpen<HTIMINGITEM>(nullptr, [item](Library& lib) { return lib.schedule.Next(item); });
}

BOOL Timing_GetItemTimingParam(HTIMINGITEM item, _tagTimingParam* timing)
{
    return IfOpen(FALSE, [&](Library& lib) {
        const CTimingSchedule::Item* found = lib.schedule.Find(item);
        if (!found || !timing)
            return FALSE;
        *timing = found->timing;
        return TRUE;
    });
}

BOOL Timing_GetItemExcuteParam(HTIMINGITEM item, void* buffer, UINT size)
{
    return IfOpen(FALSE, [&](Library& lib) {
        const CTimingSchedule::Item* found = lib.schedule.Find(item);
        if (!found || !buffer || size < sizeof(_tagExcuteParam))
            return FALSE;
        memcpy(buffer, &found->execute, sizeof(_tagExcuteParam));
        return TRUE;
    });
}

BOOL Timing_CheckItem(UINT, HTIMINGITEM exclude, _tagTimingParam timing, int* result)
{
    return IfOpen(FALSE, [&](Library& lib) {
        if (!result)
            return FALSE;
        *result = lib.schedule.Check(exclude, timing, Now());
        return TRUE;
    });
}

HTIMINGITEM Timing_InsertItem(UINT, _tagTimingParam timing, const _tagExcuteParam* execute)
{
    return IfOpen<HTIMINGITEM>(nullptr, [&](Library& lib) -> HTIMINGITEM {
        HTIMINGITEM item = nullptr;
        const bool stored = execute && Change(lib, [&](CTimingSchedule& schedule) {
            item = schedule.Insert(timing, *execute, Now());
            return item != nullptr;
        });
        return stored ? item : nullptr;
    });
}

BOOL Timing_UpdateItem(HTIMINGITEM item, _tagTimingParam timing, const _tagExcuteParam* execute)
{
    return IfOpen(FALSE, [&](Library& lib) {
        return execute && Change(lib, [&](CTimingSchedule& schedule) {
            return schedule.Update(item, timing, *execute, Now()) != FALSE;
        }) ? TRUE : FALSE;
    });
}

BOOL Timing_RemoveItem(HTIMINGITEM item)
{
    return IfOpen(FALSE, [item](Library& lib) {
        return Change(lib, [item](CTimingSchedule& schedule) { return schedule.Remove(item) != FALSE; }) ? TRUE
                                                                                                        : FALSE;
    });
}

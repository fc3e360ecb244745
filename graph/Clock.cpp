#include "graph/Clock.h"

namespace zunk {
namespace {

class SystemClock : public IClock
{
public:
    DWORD GetTickCount() override { return ::GetTickCount(); }
    void Sleep(DWORD ms) override { ::Sleep(ms); }
};

SystemClock g_systemClock;
IClock* volatile g_clock = &g_systemClock;

} // namespace

IClock& Clock()
{
    return *g_clock;
}

IClock* SetClock(IClock* clock)
{
    IClock* next = clock ? clock : &g_systemClock;
    return static_cast<IClock*>(InterlockedExchangePointer(
        reinterpret_cast<PVOID volatile*>(&g_clock), next));
}

} // namespace zunk

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
Replaceable<IClock> g_clock(&g_systemClock);

} // namespace

Replaceable<IClock>& ClockSeam()
{
    return g_clock;
}

} // namespace zunk

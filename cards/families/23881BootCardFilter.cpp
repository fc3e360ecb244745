#include "cards/families/23881BootCardFilter.h"

#include "cards/GpioKey.h"
#include "hw/access/NameMutex.h"

namespace {

const char kRemoteMutex[] = "Mutex_Remote_Control";
const DWORD kPatternWaitMs = 500;

} // namespace

BOOL C23881BootCardFilter::ReadRemoteKey(BYTE* key)
{
    GpioKeyWiring wiring = kGpioKeyCx2388xWiring;
    wiring.holdLimitMs = KeyHoldLimit();
    return ReadGpioKey(m_pAccess, wiring, key);
}

HRESULT C23881BootCardFilter::SelectAudioInput(int input, BOOL on)
{
    CNameMutex mutex(kRemoteMutex, FALSE);
    CNameMutexHold hold(mutex);
    if (!hold.Held())
        return E_FAIL;
    return C2388xCardFilter::SelectAudioInput(input, on);
}

BOOL C23881BootCardFilter::SetOpenComputerTime(WORD minutes)
{
    CNameMutex mutex(kRemoteMutex, FALSE);
    CNameMutexHold hold(mutex);
    return C2388xCardFilter::SetOpenComputerTime(minutes);
}

BOOL C23881BootCardFilter::EnableOpenComputer(BOOL on)
{
    CNameMutex mutex(kRemoteMutex, FALSE);
    CNameMutexHold hold(mutex);
    return C2388xCardFilter::EnableOpenComputer(on);
}

DWORD C23881BootCardFilter::MapDataByte(DWORD value, BOOL toGpio)
{
    return toGpio ? kMcuCx2388xWiring.pack(value) : kMcuCx2388xWiring.unpack(value);
}

BOOL C23881BootCardFilter::WaitGpioPattern(DWORD* value, DWORD mask, DWORD pattern)
{
    return ::WaitGpioPattern(m_pAccess, value, mask, pattern, kPatternWaitMs);
}

void C23881ImberCardFilter::SetDefaults()
{
    C23881BootCardFilter::SetDefaults();
    m_nKeyHoldLimit = kDefaultKeyHoldLimit;
}

LONG C23881ImberCardFilter::SetKeyHoldLimit(LONG ms)
{
    if (ms < 1)
        return ms;
    return InterlockedExchange(&m_nKeyHoldLimit, ms);
}

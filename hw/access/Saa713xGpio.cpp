#include "hw/access/Saa713xGpio.h"

#include "graph/Clock.h"

namespace saa713x {

HRESULT ReadPins(CCustomDataAccess* access, DWORD mode, DWORD* pins)
{
    if (!pins)
        return E_POINTER;
    HRESULT hr = access->WriteRegister(kGpioMode, mode);
    if (hr == S_OK)
        hr = access->WriteRegister(kGpioMode, mode | kGpioStrobe);
    if (hr == S_OK)
        hr = access->ReadRegister(kGpioStatus, pins);
    return hr;
}

HRESULT WritePins(CCustomDataAccess* access, DWORD value, DWORD mask, DWORD delayMs)
{
    HRESULT hr = access->WriteRegister(kGpioMode, mask);
    if (hr == S_OK)
        hr = access->WriteRegister(kGpioMode, mask | kGpioStrobe);
    if (hr == S_OK)
        hr = access->WriteRegister(kGpioStatus, value);
    if (hr == S_OK && delayMs)
        zunk::Sleep(delayMs);
    // Back to read mode, so the receiver's pins are inputs again.
    if (hr == S_OK)
        hr = access->WriteRegister(kGpioMode, kGpioStrobe | kGpioReadMode);
    return hr;
}

HRESULT DrivePins(CCustomDataAccess* access, DWORD outputs, DWORD clear, DWORD set)
{
    DWORD mode = 0, pins = 0;
    HRESULT hr = access->ReadRegister(kGpioMode, &mode);
    if (hr == S_OK)
        hr = access->ReadRegister(kGpioStatus, &pins);
    if (hr == S_OK)
        hr = access->WriteRegister(kGpioMode, mode | outputs);
    if (hr == S_OK)
        hr = access->WriteRegister(kGpioStatus, (pins & ~clear) | set);
    return hr;
}

} // namespace saa713x

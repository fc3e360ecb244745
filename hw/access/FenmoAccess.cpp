#include "hw/access/FenmoAccess.h"

#include "graph/AutoMutex.h"
#include "graph/Clock.h"

namespace {

const DWORD kProbeSettleMs = 100;
// A 24Cxx EEPROM finishes a byte write within 10 ms (its datasheet's write
// cycle time); a read before then is not acknowledged.
const DWORD kEepromWriteCycleMs = 10;
const int kRestoreTries = 3;

} // namespace

HRESULT CFenmoAccess::Attach(IUnknown* filter, DWORD reserved)
{
    HRESULT hr = CUsbTunnelAccess::Attach(filter, reserved);
    if (FAILED(hr))
        return hr;
    CAutoMutex hold(&m_lock);
    if (!m_bProbed) {
        m_bProbed = true;
        m_bSubAddressIgnored = ProbeEeprom();
    }
    return hr;
}

bool CFenmoAccess::ShortReadGives(BYTE sub, BYTE expected)
{
    BYTE value = 0;
    return m_vendor.ReadI2CByteShort(kEepromAddress, sub, &value) == S_OK && value == expected;
}

bool CFenmoAccess::RestoreByteZero(bool shortRequest, BYTE value)
{
    for (int attempt = 0; attempt < kRestoreTries; attempt++) {
        HRESULT hr = shortRequest ? m_vendor.WriteI2CByteShort(kEepromAddress, 0, value)
                                  : m_vendor.WriteI2CBytesSub(kEepromAddress, 0, &value, 1);
        zunk::Sleep(kEepromWriteCycleMs);
        BYTE back = 0;
        if (hr == S_OK) {
            hr = shortRequest ? m_vendor.ReadI2CByteShort(kEepromAddress, 0, &back)
                              : m_vendor.ReadI2CByteSub(kEepromAddress, 0, &back);
        }
        if (hr == S_OK && back == value)
            return true;
    }
    OutputDebugStringA("CFenmoAccess: EEPROM byte 0 could not be put back after the probe\n");
    return false;
}

bool CFenmoAccess::ProbeEeprom()
{
    BYTE shortCopy = 0, longCopy = 0;
    // A byte put back from a failed read would be a guess written over the
    // box's own data: without both copies nothing is written.
    if (m_vendor.ReadI2CByteShort(kEepromAddress, 0, &shortCopy) != S_OK ||
        m_vendor.ReadI2CByteSub(kEepromAddress, 0, &longCopy) != S_OK)
        return false;
    HRESULT marked = m_vendor.WriteI2CByteShort(kEepromAddress, 0, kProbeMark);
    zunk::Sleep(kProbeSettleMs);
    bool ignored = marked == S_OK && ShortReadGives(1, kProbeMark) && ShortReadGives(16, kProbeMark);
    // Where the short request missed the sub-address, the mark may have
    // landed elsewhere too: byte 0 gets its true copy by the long request,
    // and the place the short request reaches gets its own copy back last.
    if (ignored)
        RestoreByteZero(false, longCopy);
    RestoreByteZero(true, shortCopy);
    return ignored;
}

bool CFenmoAccess::UsesShortRequest(BYTE address) const
{
    return !m_bSubAddressIgnored && (address & 0xA0) != 0;
}

HRESULT CFenmoAccess::ReadI2CByte(BYTE address, LONG subAddress, BYTE* value)
{
    CAutoMutex hold(&m_lock);
    if (!IsByteSub(subAddress))
        return E_INVALIDARG;
    BYTE sub = static_cast<BYTE>(subAddress);
    return UsesShortRequest(address) ? m_vendor.ReadI2CByteShort(address, sub, value)
                                     : m_vendor.ReadI2CByteSub(address, sub, value);
}

HRESULT CFenmoAccess::WriteI2CByte(BYTE address, LONG subAddress, BYTE value)
{
    CAutoMutex hold(&m_lock);
    if (!IsByteSub(subAddress))
        return E_INVALIDARG;
    BYTE sub = static_cast<BYTE>(subAddress);
    return UsesShortRequest(address) ? m_vendor.WriteI2CByteShort(address, sub, value)
                                     : m_vendor.WriteI2CBytesSub(address, sub, &value, 1);
}

HRESULT CFenmoAccess::ReadI2CBlock(BYTE* buffer, LONG length)
{
    CAutoMutex hold(&m_lock);
    if (!buffer)
        return E_POINTER;
    if (length < 1)
        return E_INVALIDARG;
    if (buffer[0] == 0xC0 || buffer[0] == 0xC1)
        return m_vendor.ReadI2CNoSub(buffer[0], buffer);
    return m_vendor.ReadI2CBlock(buffer, length);
}

#include "hw/access/UsbTunnelAccess.h"

#include "graph/AutoMutex.h"

namespace {

// The USB boxes' writes: under 10 data bytes in one request, else pieces
// of 8 with 2 ms after each.
constexpr I2CWritePieces kUsbBoxWrites = {9, 8, 2 /* ms */, 0};

} // namespace

const UsbTunnelVariant kTridentPciTunnel = {
    {10 /* data bytes */, 0 /* no pieces */, 0, 5 /* ms */}, 0, true, false, S_FALSE};
const UsbTunnelVariant kTridentUsbTunnel = {kUsbBoxWrites, 1, false, false, S_FALSE};
const UsbTunnelVariant kFenmoTunnel = {kUsbBoxWrites, 1, false, true, S_OK};

HRESULT CUsbTunnelAccess::Attach(IUnknown* filter, DWORD)
{
    return m_vendor.Attach(filter);
}

HRESULT CUsbTunnelAccess::WriteI2CBlock(BYTE* buffer, LONG length)
{
    CAutoMutex hold(&m_lock);
    if (!IsAttached())
        return E_FAIL;
    if (!buffer)
        return E_POINTER;
    if (length < 3)
        return E_INVALIDARG;
    const BYTE device = buffer[0];
    const BYTE sub = buffer[1];
    return WriteI2CInPieces(m_variant.writes, buffer + 2, length - 2,
                            [this, device, sub](const BYTE* data, LONG count) {
                                return m_vendor.WriteI2CBytesSub(device, sub, data, count);
                            });
}

HRESULT CUsbTunnelAccess::ReadGPIO(DWORD* value)
{
    if (!m_variant.readsGpioLines)
        return E_FAIL;
    if (!value)
        return E_POINTER;
    BYTE lines = 0;
    HRESULT hr = m_vendor.ReadGpioByte(&lines);
    if (hr == S_OK)
        *value = lines;
    return hr;
}

HRESULT CUsbTunnelAccess::WriteGPIO(DWORD on, DWORD line)
{
    return m_vendor.WriteGpioLine(line, on);
}

HRESULT CUsbTunnelAccess::SetTunerReset(LONG level)
{
    BOOL on = m_variant.resetOnWhileLow ? level == 0 : level != 0;
    return WriteGPIO(on, m_variant.resetLine);
}

HRESULT CUsbTunnelAccess::ReadRegisterByte(DWORD reg, BYTE* value)
{
    CAutoMutex hold(&m_lock);
    if (!IsAttached() || !value)
        return E_FAIL;
    if (reg > 0xFF)
        return E_INVALIDARG;  // the register number travels in one byte
    return m_vendor.ReadRegisterByte(static_cast<BYTE>(reg), value);
}

HRESULT CUsbTunnelAccess::WriteRegisterByte(DWORD reg, BYTE value)
{
    CAutoMutex hold(&m_lock);
    if (!IsAttached())
        return E_FAIL;
    if (reg > 0xFF)
        return E_INVALIDARG;
    return m_vendor.WriteRegisterByte(static_cast<BYTE>(reg), value);
}

HRESULT CUsbTunnelAccess::VendorRequest(BYTE (&request)[kUsbTunnelRequestRoom], DWORD* length)
{
    CAutoMutex hold(&m_lock);
    return m_vendor.Request(request, length);
}

HRESULT CUsbTunnelAccess::VendorRequestFixed(const UsbSetupPacket& setup)
{
    CAutoMutex hold(&m_lock);
    return m_vendor.RequestFixed(setup);
}

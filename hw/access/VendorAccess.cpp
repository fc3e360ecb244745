#include "hw/access/VendorAccess.h"

#include "graph/AutoMutex.h"

#include <string.h>

namespace {

UsbSetupPacket Setup(BYTE type, BYTE request, WORD value, WORD index, WORD length)
{
    UsbSetupPacket setup = {type, request, value, index, length};
    return setup;
}

UsbTunnelBuffer EmptyBuffer()
{
    UsbTunnelBuffer buffer;
    memset(&buffer, 0, sizeof(buffer));
    buffer.set = KSPROPSETID_UsbTunnel;
    buffer.id = USBTUNNEL_REQUEST;
    return buffer;
}

} // namespace

CVendorAccess::CVendorAccess() : m_pSet(NULL)
{
    InitializeCriticalSection(&m_lock);
}

CVendorAccess::~CVendorAccess()
{
    if (m_pSet)
        m_pSet->Release();
    DeleteCriticalSection(&m_lock);
}

HRESULT CVendorAccess::Attach(IUnknown* filter)
{
    if (!filter)
        return E_POINTER;
    CAutoMutex hold(&m_lock);
    if (m_pSet) {
        m_pSet->Release();
        m_pSet = NULL;
    }
    HRESULT hr = filter->QueryInterface(IID_IKsPropertySet, reinterpret_cast<void**>(&m_pSet));
    if (FAILED(hr))
        m_pSet = NULL;
    return hr;
}

bool CVendorAccess::IsAttached() const
{
    CAutoMutex hold(&m_lock);
    return m_pSet != NULL;
}

HRESULT CVendorAccess::Transact(UsbTunnelBuffer* buffer, DWORD* length)
{
    CAutoMutex hold(&m_lock);
    if (!m_pSet)
        return E_INVALIDARG;
    HRESULT hr = m_pSet->Set(KSPROPSETID_UsbTunnel, USBTUNNEL_REQUEST, buffer, sizeof(*buffer),
                             buffer, sizeof(*buffer));
    if (FAILED(hr))
        return hr;
    // The reply is asked for with a clean request area and comes back in a
    // buffer of its own.
    UsbTunnelBuffer ask = EmptyBuffer();
    UsbTunnelBuffer reply = EmptyBuffer();
    DWORD returned = 0;
    hr = m_pSet->Get(KSPROPSETID_UsbTunnel, USBTUNNEL_REQUEST, &ask, sizeof(ask), &reply,
                     sizeof(reply), &returned);
    if (FAILED(hr))
        return hr;
    // The driver's count is bounded by the area it claims to fill.
    *length = reply.length < kUsbTunnelRequestRoom ? reply.length : kUsbTunnelRequestRoom;
    memcpy(buffer->request, reply.request, *length);
    return hr;
}

HRESULT CVendorAccess::Request(BYTE (&request)[kUsbTunnelRequestRoom], DWORD* length)
{
    if (!length || *length < kUsbSetupBytes || *length > kUsbTunnelMaxRequest)
        return E_INVALIDARG;
    UsbTunnelBuffer buffer = EmptyBuffer();
    memcpy(buffer.request, request, *length);
    buffer.length = *length;
    DWORD replied = 0;
    HRESULT hr = Transact(&buffer, &replied);
    if (FAILED(hr))
        return hr;
    memcpy(request, buffer.request, replied);
    *length = replied;
    return hr;
}

HRESULT CVendorAccess::RequestFixed(const UsbSetupPacket& setup)
{
    BYTE request[kUsbTunnelRequestRoom] = {};
    memcpy(request, &setup, sizeof(setup));
    DWORD length = kUsbSetupBytes;
    return Request(request, &length);
}

HRESULT CVendorAccess::In(BYTE code, WORD value, WORD index, BYTE* reply, DWORD count)
{
    if (!IsAttached() || !reply)
        return E_POINTER;
    BYTE request[kUsbTunnelRequestRoom] = {};
    UsbSetupPacket setup = Setup(kUsbVendorIn, code, value, index, static_cast<WORD>(count));
    memcpy(request, &setup, sizeof(setup));
    DWORD length = kUsbSetupBytes;
    HRESULT hr = Request(request, &length);
    if (FAILED(hr))
        return hr;
    // A reply short of what was asked for would hand back the setup
    // packet's own bytes as data.
    if (length < count)
        return E_FAIL;
    memcpy(reply, request, count);
    return S_OK;
}

HRESULT CVendorAccess::Out(BYTE code, WORD value, WORD index, WORD wLength, const BYTE* data,
                           DWORD count)
{
    if (!IsAttached() || (count && !data))
        return E_POINTER;
    BYTE request[kUsbTunnelRequestRoom] = {};
    UsbSetupPacket setup = Setup(kUsbVendorOut, code, value, index, wLength);
    memcpy(request, &setup, sizeof(setup));
    if (count)
        memcpy(request + kUsbSetupBytes, data, count);
    DWORD length = kUsbSetupBytes + count;
    HRESULT hr = Request(request, &length);
    return FAILED(hr) ? hr : S_OK;
}

HRESULT CVendorAccess::ReadI2CByteShort(BYTE address, BYTE sub, BYTE* value)
{
    return In(USBREQ_I2C_SHORT, MAKEWORD(address, 0), MAKEWORD(sub, 0), value, 1);
}

HRESULT CVendorAccess::WriteI2CByteShort(BYTE address, BYTE sub, BYTE value)
{
    return Out(USBREQ_I2C_SHORT, MAKEWORD(address, 0), MAKEWORD(sub, 0), 1, &value, 1);
}

HRESULT CVendorAccess::ReadI2CByteSub(BYTE address, BYTE sub, BYTE* value)
{
    return In(USBREQ_I2C, MAKEWORD(address & 0xFE, sub), 0, value, 1);
}

HRESULT CVendorAccess::ReadI2CBytesSub(BYTE address, BYTE sub, BYTE* out, DWORD count)
{
    if (count < 1 || count > kUsbTunnelMaxData)
        return E_INVALIDARG;
    return In(USBREQ_I2C, MAKEWORD(address, sub), 0, out, count);
}

HRESULT CVendorAccess::WriteI2CBytesSub(BYTE address, BYTE sub, const BYTE* data, DWORD count)
{
    if (count < 1 || count > kUsbTunnelMaxData)
        return E_INVALIDARG;
    return Out(USBREQ_I2C, MAKEWORD(address, sub), 0, static_cast<WORD>(count), data, count);
}

HRESULT CVendorAccess::ReadI2CBlock(BYTE* buffer, LONG length)
{
    if (!IsAttached() || !buffer)
        return E_POINTER;
    if (length < 3 || length > static_cast<LONG>(kUsbTunnelMaxData) + 2)
        return E_INVALIDARG;
    return In(USBREQ_I2C, MAKEWORD(buffer[0], buffer[1]), 0, buffer, length - 2);
}

HRESULT CVendorAccess::ReadI2CNoSub(BYTE address, BYTE* value)
{
    return In(USBREQ_I2C_NOSUB, MAKEWORD(address, 0), 0, value, 1);
}

HRESULT CVendorAccess::ReadRegisterByte(BYTE reg, BYTE* value)
{
    return In(USBREQ_REGISTER, MAKEWORD(reg, 0), 0, value, 1);
}

HRESULT CVendorAccess::WriteRegisterByte(BYTE reg, BYTE value)
{
    return Out(USBREQ_REGISTER, MAKEWORD(reg, 0), MAKEWORD(value, 0), 0, NULL, 0);
}

HRESULT CVendorAccess::ReadRegister5(BYTE reg, BYTE* value)
{
    return In(USBREQ_REGISTER5, MAKEWORD(reg, 0), 0, value, 1);
}

HRESULT CVendorAccess::WriteRegister5(BYTE reg, BYTE value)
{
    return Out(USBREQ_REGISTER5, MAKEWORD(reg, 0), MAKEWORD(value, 0), 0, NULL, 0);
}

HRESULT CVendorAccess::ReadGpioLine(DWORD line, BYTE* value)
{
    if (!IsAttached() || !value)
        return E_POINTER;
    if (line < 1 || line > 7)
        return E_INVALIDARG;
    const UsbGpioLineCode& code = kUsbGpioLineCodes[line];
    BYTE port = 0;
    HRESULT hr = In(USBREQ_GPIO, MAKEWORD(0, code.port), 0, &port, 1);
    if (hr == S_OK)
        *value = (port >> code.bit) & 1;
    return hr;
}

HRESULT CVendorAccess::WriteGpioLine(DWORD line, DWORD on)
{
    if (!IsAttached())
        return E_POINTER;
    if (line > 7)
        return E_INVALIDARG;
    const UsbGpioLineCode& code = kUsbGpioLineCodes[line];
    return Out(USBREQ_GPIO, MAKEWORD(code.bit, code.port), on ? 1 : 0, 0, NULL, 0);
}

HRESULT CVendorAccess::ReadGpioByte(BYTE* value)
{
    if (!IsAttached() || !value)
        return E_POINTER;
    // One byte of one moment: no other request between the lines' reads.
    CAutoMutex hold(&m_lock);
    BYTE lines = 0;
    for (DWORD line = 7; line >= 1; line--) {
        BYTE level = 0;
        HRESULT hr = ReadGpioLine(line, &level);
        if (hr != S_OK)
            return hr;
        lines |= static_cast<BYTE>(level << line);
    }
    *value = lines;
    return S_OK;
}

HRESULT CVendorAccess::ReadRequest12(BYTE a, BYTE b, BYTE* value)
{
    return In(USBREQ_REQUEST12, MAKEWORD(a, 0), MAKEWORD(b, 0), value, 1);
}

HRESULT CVendorAccess::WriteRequest12(BYTE a, BYTE b, WORD length)
{
    return Out(USBREQ_REQUEST12, MAKEWORD(a, 0), MAKEWORD(b, 0), length, NULL, 0);
}

HRESULT CVendorAccess::ReadWord17(BYTE a, WORD b, WORD* value)
{
    if (!IsAttached() || !value)
        return E_POINTER;
    BYTE bytes[2] = {};
    HRESULT hr = In(USBREQ_WORD17, MAKEWORD(a, 0), b, bytes, 2);
    if (hr == S_OK)
        *value = MAKEWORD(bytes[0], bytes[1]);
    return hr;
}

HRESULT CVendorAccess::WriteWord17(BYTE a, WORD b, WORD length)
{
    return Out(USBREQ_WORD17, MAKEWORD(a, 0), b, length, NULL, 0);
}

HRESULT CVendorAccess::WriteShort10(BYTE a, BYTE b, const BYTE* data, DWORD count)
{
    if (!IsAttached() || !data)
        return E_POINTER;
    if (count < 1 || count > 4)
        return E_INVALIDARG;
    // The two halves belong together: no other request between them.
    CAutoMutex hold(&m_lock);
    HRESULT hr = Out(USBREQ_SHORT10, MAKEWORD(a, count), MAKEWORD(b, 0), 0, NULL, 0);
    if (FAILED(hr))
        return hr;
    BYTE bytes[4] = {};  // the bytes past count travel as 0
    memcpy(bytes, data, count);
    return Out(USBREQ_SHORT_DATA, MAKEWORD(bytes[0], bytes[1]), MAKEWORD(bytes[2], bytes[3]), 0,
               NULL, 0);
}

HRESULT CVendorAccess::WriteShort9(BYTE a, BYTE b, BYTE c, BYTE d, BYTE e)
{
    if (!IsAttached())
        return E_POINTER;
    CAutoMutex hold(&m_lock);
    HRESULT hr = Out(USBREQ_I2C_NOSUB, MAKEWORD(a, 4), 0, 4, NULL, 0);
    if (FAILED(hr))
        return hr;
    return Out(USBREQ_SHORT_DATA, MAKEWORD(b, c), MAKEWORD(d, e), 0, NULL, 0);
}

HRESULT CVendorAccess::ControlRequest(BYTE type, BYTE code, WORD value, WORD index, BYTE io[2])
{
    if (!IsAttached() || !io)
        return E_POINTER;
    BYTE request[kUsbTunnelRequestRoom] = {};
    UsbSetupPacket setup = Setup(type, code, value, index, MAKEWORD(io[0], io[1]));
    memcpy(request, &setup, sizeof(setup));
    DWORD length = kUsbSetupBytes;
    HRESULT hr = Request(request, &length);
    if (FAILED(hr))
        return hr;
    io[0] = request[6];
    io[1] = request[7];
    return S_OK;
}

#include "hw/access/PcieAccess.h"

#include "graph/AutoMutex.h"
#include "graph/Guids.h"
#include "hw/access/PcieDevice.h"

#include <cstring>

namespace {

HRESULT FromWin32(DWORD error)
{
    return error == ERROR_SUCCESS ? S_OK : HRESULT_FROM_WIN32(error);
}

const BYTE kGpioRequestLow = 3;   // card parameter bit 0 clear
const BYTE kGpioRequestHigh = 4;  // and set
const DWORD kByteReplyBytes = 2;  // the value is the reply's second byte

// A card parameter carries the interface number in the bits above bit 0.
const DWORD kMaxCardParam = 255;

} // namespace

CPcieAccess::CPcieAccess() : m_hDevice(INVALID_HANDLE_VALUE), m_nCardParam(0) {}

CPcieAccess::~CPcieAccess()
{
    CloseDevice();
}

HRESULT CPcieAccess::Attach(IUnknown*, DWORD param)
{
    CAutoMutex hold(&m_lock);
    if (param <= kMaxCardParam)
        m_nCardParam = param;
    CloseDevice();
    DWORD error = ERROR_INVALID_PARAMETER;
    m_hDevice = OpenDevice(&GUID_DEVINTERFACE_PcieCard, m_nCardParam, &error);
    if (IsOpen())
        return S_OK;
    return error ? HRESULT_FROM_WIN32(error) : E_FAIL;
}

HANDLE CPcieAccess::OpenDevice(const GUID* interfaceClass, DWORD param, DWORD* error)
{
    CAutoMutex hold(&m_lock);
    DWORD ignored = 0;
    if (!error)
        error = &ignored;
    *error = ERROR_INVALID_PARAMETER;  // until a step has run
    if (!interfaceClass)
        return INVALID_HANDLE_VALUE;
    DeviceInfoSet set(*interfaceClass);
    if (!set.IsValid()) {
        *error = LastSystemError();
        return INVALID_HANDLE_VALUE;
    }
    DeviceInterfaceDetail detail(&set);
    *error = detail.Fetch(param >> 1);
    if (*error != ERROR_SUCCESS)
        return INVALID_HANDLE_VALUE;
    HANDLE device = PcieDeviceApi().OpenDevice(detail.Path());
    *error = device == INVALID_HANDLE_VALUE ? LastSystemError() : ERROR_SUCCESS;
    return device;
}

void CPcieAccess::CloseDevice()
{
    CAutoMutex hold(&m_lock);
    if (IsOpen()) {
        PcieDeviceApi().CloseDevice(m_hDevice);
        m_hDevice = INVALID_HANDLE_VALUE;
    }
}

DWORD CPcieAccess::Control(DWORD code, void* in, DWORD inLength, void* out, DWORD outLength)
{
    DWORD returned = 0;
    if (!PcieDeviceApi().Control(m_hDevice, code, in, inLength, out, outLength, &returned))
        return LastSystemError();
    return returned < outLength ? ERROR_INVALID_DATA : ERROR_SUCCESS;
}

HRESULT CPcieAccess::SetProperty3(BYTE)
{
    return FromWin32(ERROR_INVALID_FUNCTION);
}

HRESULT CPcieAccess::ReadGPIO(DWORD*)
{
    return FromWin32(ERROR_INVALID_FUNCTION);
}

HRESULT CPcieAccess::ReadWithSub(BYTE address, const BYTE* sub, BYTE subBytes, BYTE* value)
{
    if (!value)
        return E_POINTER;
    BYTE request[kReadRequestBytes] = {address, subBytes, subBytes};
    memcpy(request + 3, sub, subBytes);
    BYTE reply[kByteReplyBytes] = {};
    CAutoMutex hold(&m_lock);
    HRESULT hr = FromWin32(Control(kI2CRead, request, sizeof(request), reply, sizeof(reply)));
    if (hr == S_OK)
        *value = reply[1];
    return hr;
}

HRESULT CPcieAccess::ReadI2CByte(BYTE address, LONG subAddress, BYTE* value)
{
    if (subAddress < 0 || subAddress > 0xFF)
        return E_INVALIDARG;
    const BYTE sub[] = {static_cast<BYTE>(subAddress)};
    return ReadWithSub(address, sub, sizeof(sub), value);
}

HRESULT CPcieAccess::ReadI2CByte16(BYTE address, LONG subAddress, BYTE* value)
{
    if (subAddress < 0 || subAddress > 0xFFFF)
        return E_INVALIDARG;
    const BYTE sub[] = {static_cast<BYTE>(subAddress >> 8), static_cast<BYTE>(subAddress)};
    return ReadWithSub(address, sub, sizeof(sub), value);
}

HRESULT CPcieAccess::WriteBytes(BYTE address, const BYTE* bytes, LONG count)
{
    BYTE request[kWriteRequestBytes] = {address, static_cast<BYTE>(count)};
    memcpy(request + 2, bytes, count);
    CAutoMutex hold(&m_lock);
    return FromWin32(Control(kI2CWrite, request, sizeof(request), NULL, 0));
}

HRESULT CPcieAccess::WriteI2CByte(BYTE address, LONG subAddress, BYTE value)
{
    if (subAddress < 0 || subAddress > 0xFF)
        return E_INVALIDARG;
    const BYTE bytes[] = {static_cast<BYTE>(subAddress), value};
    return WriteBytes(address, bytes, sizeof(bytes));
}

HRESULT CPcieAccess::WriteI2CByte16(BYTE address, LONG subAddress, BYTE value)
{
    if (subAddress < 0 || subAddress > 0xFFFF)
        return E_INVALIDARG;
    const BYTE bytes[] = {static_cast<BYTE>(subAddress >> 8), static_cast<BYTE>(subAddress), value};
    return WriteBytes(address, bytes, sizeof(bytes));
}

HRESULT CPcieAccess::ReadI2CBlock(BYTE* buffer, LONG length)
{
    if (!buffer)
        return E_POINTER;
    if (length < 1 || length > kMaxBlockRead)
        return E_INVALIDARG;
    BYTE request[kReadRequestBytes] = {TunerReadAddress(), 1, static_cast<BYTE>(length)};
    CAutoMutex hold(&m_lock);
    return FromWin32(Control(kI2CRead, request, sizeof(request), buffer, static_cast<DWORD>(length)));
}

HRESULT CPcieAccess::WriteI2CBlock(BYTE* buffer, LONG length)
{
    if (!buffer)
        return E_POINTER;
    if (length < 1 || length > kMaxBlockWrite)
        return E_INVALIDARG;
    return WriteBytes(TunerWriteAddress(), buffer, length);
}

HRESULT CPcieAccess::WriteGPIO(DWORD value, DWORD)
{
    BYTE request[] = {UsesHighPair() ? kGpioRequestHigh : kGpioRequestLow, static_cast<BYTE>(value)};
    return FromWin32(Control(kGpio, request, sizeof(request), NULL, 0));
}

HRESULT CPcieAccess::SetTunerReset(LONG level)
{
    return WriteGPIO(level != 0 ? 1 : 0, 0);
}

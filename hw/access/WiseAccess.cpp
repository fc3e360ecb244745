#include "hw/access/WiseAccess.h"

#include "graph/AutoMutex.h"
#include "graph/Guids.h"

namespace {

// Sub-addresses with a bit in the high byte travel 16 bits wide.
DWORD SubAddressWidth(LONG sub)
{
    return (sub & 0xFF00) ? 16 : 8;
}

bool IsSubAddress(LONG sub)
{
    return sub >= 0 && sub <= 0xFFFF;
}

// The driver's request method writes one register: request kind 2, one
// record.
const DWORD kRegisterWriteRequest = 2;
const DWORD kOneRecord = 1;

} // namespace

CWiseAccess::CWiseAccess() : m_pPrivate(NULL) {}

CWiseAccess::~CWiseAccess()
{
    if (m_pPrivate)
        m_pPrivate->Release();
}

HRESULT CWiseAccess::Attach(IUnknown* filter, DWORD)
{
    CAutoMutex hold(&m_lock);
    if (m_pPrivate) {
        m_pPrivate->Release();
        m_pPrivate = NULL;
    }
    if (!filter)
        return E_FAIL;
    IWisePrivate* found = NULL;
    if (FAILED(filter->QueryInterface(IID_IWisePrivate, reinterpret_cast<void**>(&found))) || !found)
        return E_FAIL;
    m_pPrivate = found;
    return S_OK;
}

HRESULT CWiseAccess::ReadI2CByte(BYTE address, LONG subAddress, BYTE* value)
{
    CAutoMutex hold(&m_lock);
    if (!m_pPrivate || !value)
        return E_FAIL;
    if (!IsSubAddress(subAddress))
        return E_INVALIDARG;
    return m_pPrivate->ReadRegister(address, SubAddressWidth(subAddress), subAddress, value, kFlags);
}

HRESULT CWiseAccess::WriteI2CByte(BYTE address, LONG subAddress, BYTE value)
{
    CAutoMutex hold(&m_lock);
    if (!m_pPrivate)
        return E_FAIL;
    if (!IsSubAddress(subAddress))
        return E_INVALIDARG;
    return m_pPrivate->WriteRegister(address, SubAddressWidth(subAddress), subAddress, value, kFlags);
}

HRESULT CWiseAccess::ReadI2CBlock(BYTE* buffer, LONG length)
{
    CAutoMutex hold(&m_lock);
    if (!m_pPrivate || !buffer || length < 1)
        return E_FAIL;
    if (length > 1)
        return E_NOTIMPL;
    return m_pPrivate->ReadRegister(buffer[0], 8, 0, buffer, kFlags);
}

HRESULT CWiseAccess::WriteI2CBlock(BYTE* buffer, LONG length)
{
    CAutoMutex hold(&m_lock);
    if (!m_pPrivate || !buffer || length < 1)
        return E_FAIL;
    return m_pPrivate->WriteBlock(buffer[0], 0, 0, static_cast<DWORD>(length - 1), buffer + 1, kFlags);
}

HRESULT CWiseAccess::ReadGPIO(DWORD* value)
{
    if (value)
        *value = 0;
    return S_OK;
}

HRESULT CWiseAccess::PrivateRead(DWORD device, DWORD width, DWORD sub, BYTE* value, DWORD flags)
{
    CAutoMutex hold(&m_lock);
    if (!m_pPrivate || !value)
        return E_FAIL;
    return m_pPrivate->ReadRegister(device, width, sub, value, flags);
}

HRESULT CWiseAccess::PrivateWrite(DWORD device, DWORD width, DWORD sub, DWORD value, DWORD flags)
{
    CAutoMutex hold(&m_lock);
    if (!m_pPrivate)
        return E_FAIL;
    WisePrivateRecord record = {};
    record.device = static_cast<BYTE>(device);
    record.subLow = static_cast<BYTE>(sub);
    record.width = width;
    record.sub = sub;
    WiseValuePair pair = {value, flags};
    // The driver takes the flag word as the request's last argument too.
    return m_pPrivate->Request(kRegisterWriteRequest, &record, kOneRecord, &pair, flags);
}

#include "hw/access/2388xAccess.h"

#include "graph/AutoMutex.h"
#include "graph/Clock.h"

namespace {

// The pins of a GPIO write settle this long before the lock goes.
const DWORD kGpioSettleMs = 100;

} // namespace

// One request's turn at the subclass's lock.
class C2388xRequestAccess::Request
{
public:
    Request(C2388xRequestAccess* access, bool gpio)
        : m_pAccess(access), m_gpio(gpio), m_bHeld(access->BeginRequest(gpio))
    {
    }
    ~Request()
    {
        if (m_bHeld)
            m_pAccess->EndRequest(m_gpio);
    }
    BOOL Held() const { return m_bHeld; }

private:
    C2388xRequestAccess* m_pAccess;
    bool m_gpio;
    BOOL m_bHeld;
};

C2388xRequestAccess::C2388xRequestAccess(const GUID& propertySet)
    : m_pKsPropertySet(NULL), m_propertySet(propertySet)
{
}

C2388xRequestAccess::~C2388xRequestAccess()
{
    if (m_pKsPropertySet)
        m_pKsPropertySet->Release();
}

HRESULT C2388xRequestAccess::Attach(IUnknown* filter, DWORD)
{
    CAutoMutex hold(&m_lock);
    if (m_pKsPropertySet) {
        m_pKsPropertySet->Release();
        m_pKsPropertySet = NULL;
    }
    m_client.Bind(NULL, m_propertySet);
    if (!filter)
        return E_POINTER;
    HRESULT hr = filter->QueryInterface(IID_IKsPropertySet,
                                        reinterpret_cast<void**>(&m_pKsPropertySet));
    if (FAILED(hr))
        m_pKsPropertySet = NULL;
    m_client.Bind(m_pKsPropertySet, m_propertySet);
    return hr;
}

HRESULT C2388xRequestAccess::SendControl(ULONG id, BYTE value)
{
    if (!IsAttached())
        return E_FAIL;
    Request request(this, false);
    if (!request.Held())
        return E_FAIL;
    return m_client.SetControlByte(id, value);
}

HRESULT C2388xRequestAccess::SetProperty1(BYTE value)
{
    return SendControl(COMMONCARD_CONTROL1, value);
}

HRESULT C2388xRequestAccess::SetProperty3(BYTE value)
{
    return SendControl(COMMONCARD_CONTROL3, value);
}

HRESULT C2388xRequestAccess::ReadI2CByte(BYTE address, LONG subAddress, BYTE* value)
{
    if (!IsAttached())
        return E_FAIL;
    if (!value)
        return E_POINTER;
    if (subAddress < 0)
        return E_INVALIDARG;
    Request request(this, false);
    if (!request.Held())
        return E_FAIL;
    return m_client.GetI2CByte(address, subAddress, value);
}

HRESULT C2388xRequestAccess::WriteI2CByte(BYTE address, LONG subAddress, BYTE value)
{
    if (!IsAttached())
        return E_FAIL;
    if (subAddress < 0)
        return E_INVALIDARG;
    Request request(this, false);
    if (!request.Held())
        return E_FAIL;
    return m_client.SetI2CByte(address, subAddress, value);
}

HRESULT C2388xRequestAccess::ReadI2CBlock(BYTE* buffer, LONG length)
{
    if (!IsAttached())
        return E_FAIL;
    if (!buffer)
        return E_POINTER;
    if (length < 1 || length > kCommonCardBlockBytes)
        return E_INVALIDARG;
    Request request(this, false);
    if (!request.Held())
        return E_FAIL;
    return m_client.GetI2CBlock(buffer, length);
}

HRESULT C2388xRequestAccess::WriteI2CBlock(BYTE* buffer, LONG length)
{
    if (!IsAttached())
        return E_FAIL;
    if (!buffer)
        return E_POINTER;
    if (length < 2 || length > kCommonCardBlockBytes)
        return E_INVALIDARG;
    buffer[0] &= 0xFE;
    Request request(this, false);
    if (!request.Held())
        return E_FAIL;
    return m_client.SetI2CBlock(buffer, length);
}

HRESULT C2388xRequestAccess::GetPins(DWORD* pins)
{
    return m_client.GetGpio(kGpioReadMask, pins);
}

HRESULT C2388xRequestAccess::SetPins(DWORD value, DWORD mask)
{
    return m_client.SetGpio(mask, value);
}

HRESULT C2388xRequestAccess::ReadGPIO(DWORD* value)
{
    if (!IsAttached())
        return E_FAIL;
    if (!value)
        return E_POINTER;
    Request request(this, true);
    if (!request.Held())
        return E_FAIL;
    return GetPins(value);
}

HRESULT C2388xRequestAccess::WriteGPIO(DWORD value, DWORD mask)
{
    if (!IsAttached())
        return E_FAIL;
    Request request(this, true);
    if (!request.Held())
        return E_FAIL;
    HRESULT hr = SetPins(value, mask);
    zunk::Sleep(kGpioSettleMs);
    return hr;
}

HRESULT C2388xRequestAccess::GetBoardId(DWORD* first, DWORD* second)
{
    if (!IsAttached())
        return E_FAIL;
    if (!first || !second)
        return E_POINTER;
    Request request(this, false);
    if (!request.Held())
        return E_FAIL;
    WORD one = 0, two = 0;
    HRESULT hr = m_client.GetBoardId(&one, &two);
    if (hr == S_OK) {
        *first = one;
        *second = two;
    }
    return hr;
}

// --- C2388xAccess -----------------------------------------------------------

C2388xAccess::C2388xAccess(const char* lockName)
    : C2388xRequestAccess(KSPROPSETID_CommonCard), m_gpioLock(lockName, FALSE)
{
}

BOOL C2388xAccess::BeginRequest(bool)
{
    return m_gpioLock.Lock();
}

void C2388xAccess::EndRequest(bool)
{
    m_gpioLock.Unlock();
}

// --- C2388xBootAccess -------------------------------------------------------

HRESULT C2388xBootAccess::MergeWrite(DWORD value, DWORD mask, DWORD delayMs)
{
    if (!IsAttached())
        return E_FAIL;
    Request request(this, true);
    if (!request.Held())
        return E_FAIL;
    DWORD current = 0;
    HRESULT hr = GetPins(&current);
    if (hr != S_OK)
        return hr;  // the kept pins' level is unknown: write nothing
    hr = SetPins((current & ~mask & kKeptPins) | value, mask | kKeptPins);
    if (hr == S_OK && delayMs)
        zunk::Sleep(delayMs);
    return hr;
}

HRESULT C2388xBootAccess::WriteGPIO(DWORD value, DWORD mask)
{
    return MergeWrite(value, mask, 0);
}

HRESULT C2388xBootAccess::WriteGPIODelayed(DWORD value, DWORD mask, DWORD delayMs)
{
    return MergeWrite(value, mask, delayMs);
}

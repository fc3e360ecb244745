#include "tests/support/FakeBt878Driver.h"

#include "hw/access/878Access.h"

#include <ks.h>

#include <cstdio>
#include <cstring>

const HANDLE FakeBt878Driver::kHandle = reinterpret_cast<HANDLE>(0x1234);

namespace {

std::string Hex(unsigned v)
{
    char text[16];
    snprintf(text, sizeof(text), "%02X", v);
    return text;
}

} // namespace

HRESULT FakeBt878Driver::DeviceControl(HANDLE handle, ULONG ioControl, void* in, ULONG inLength,
                                       void* out, ULONG outLength, ULONG* returned)
{
    if (handle != kHandle || ioControl != IOCTL_KS_PROPERTY || in != out || inLength != outLength)
        return E_INVALIDARG;
    BYTE* b = static_cast<BYTE*>(in);
    GUID set;
    ULONG id, flags, op;
    memcpy(&set, b, 16);
    memcpy(&id, b + 16, 4);
    memcpy(&flags, b + 20, 4);
    memcpy(&op, b + 24, 4);
    if (set != KSPROPSETID_Bt878 || inLength != (id == 4 ? 120u : 328u))
        return E_INVALIDARG;
    if (flags == KSPROPERTY_TYPE_SET)
        return S_OK;  // the inputs are taken on the Get half
    if (returned)
        *returned = outLength;
    if (pauseOp == op && pauseReached) {
        SetEvent(pauseReached);
        WaitForSingleObject(pauseRelease, INFINITE);
        pauseOp = 0;
    }
    if (clock)
        clock->Advance(msPerOp);
    return id == 4 ? Control(op, b) : Gpio(op, b);
}

std::vector<std::string> FakeBt878Driver::Ops()
{
    std::lock_guard<std::mutex> hold(m_lock);
    return m_ops;
}

void FakeBt878Driver::Clear()
{
    std::lock_guard<std::mutex> hold(m_lock);
    m_ops.clear();
}

void FakeBt878Driver::Log(const std::string& s)
{
    std::lock_guard<std::mutex> hold(m_lock);
    m_ops.push_back(s);
}

HRESULT FakeBt878Driver::Control(ULONG op, BYTE* b)
{
    switch (op) {
    case bt878::kI2CStart:
        Log("start");
        m_card->I2CStart();
        return S_OK;
    case bt878::kI2CStop:
        Log("stop");
        m_card->I2CStop();
        return S_OK;
    case bt878::kI2CWriteByte:
        Log(Hex(b[50]));
        return m_card->I2CWriteRawByte(b[50]) ? S_OK : E_FAIL;
    case bt878::kI2CReadByte:
        Log("read");
        return m_card->I2CReadRawByte(&b[50]) ? S_OK : E_FAIL;
    case bt878::kI2CAck:
        Log("ack");
        return S_OK;
    case bt878::kSetControlByte:
        Log("control " + Hex(b[50]));
        return S_OK;
    default:
        return E_NOTIMPL;
    }
}

HRESULT FakeBt878Driver::Gpio(ULONG op, BYTE* b)
{
    switch (op) {
    case bt878::kGetGpioMode:
        memcpy(b + 28, &gpioMode, 4);
        Log("getmode");
        return S_OK;
    case bt878::kSetGpioMode:
        memcpy(&gpioMode, b + 36, 4);
        Log("mode " + Hex(gpioMode));
        return S_OK;
    case bt878::kReadGpioData: {
        DWORD count;
        memcpy(&count, b + 40, 4);
        DWORD pins = m_card->ReadGpio();
        memcpy(b + 72, &pins, 4);
        Log("readgpio " + Hex(count));
        return S_OK;
    }
    case bt878::kWriteGpioData: {
        DWORD first, second, value, mask;
        memcpy(&first, b + 48, 4);
        memcpy(&second, b + 52, 4);
        memcpy(&value, b + 72, 4);
        memcpy(&mask, b + 76, 4);
        m_card->WriteGpio(value, mask);
        Log("writegpio " + Hex(first) + " " + Hex(second) + " " + Hex(value) + " " + Hex(mask));
        return S_OK;
    }
    case bt878::kSetProperty3:
        Log("prop3");
        return S_OK;
    default:
        return E_NOTIMPL;
    }
}

STDMETHODIMP FakeKsObject::QueryInterface(REFIID riid, void** ppv)
{
    if (riid == IID_IUnknown || riid == IID_IKsObjectHandle) {
        *ppv = static_cast<IKsObjectHandle*>(this);
        return S_OK;
    }
    *ppv = NULL;
    return E_NOINTERFACE;
}

// The Bt878 driver's property requests (IOCTL_KS_PROPERTY on the capture
// filter's kernel handle) answered from the simulated card, and the kernel
// object that hands that handle out. Records each operation (on its Get
// half) as a short text; can slow every operation down on a fake clock or
// pause inside one. Any thread.
#pragma once
#include "hw/access/KsDeviceControl.h"
#include "platform/virtualcard/model/CardModel.h"
#include "tests/support/FakeClock.h"

#include <mutex>
#include <string>
#include <vector>

class FakeBt878Driver : public IKsDeviceControl
{
public:
    // The handle our kernel object gives out; any other one is refused.
    static const HANDLE kHandle;

    explicit FakeBt878Driver(virtualcard::CardModel* card) : m_card(card) {}

    HRESULT DeviceControl(HANDLE handle, ULONG ioControl, void* in, ULONG inLength, void* out,
                          ULONG outLength, ULONG* returned) override;

    std::vector<std::string> Ops();
    void Clear();

    FakeClock* clock = nullptr;
    DWORD msPerOp = 0;
    ULONG pauseOp = 0;
    HANDLE pauseReached = NULL;
    HANDLE pauseRelease = NULL;
    DWORD gpioMode = 0x5A;

private:
    void Log(const std::string& s);
    HRESULT Control(ULONG op, BYTE* b);
    HRESULT Gpio(ULONG op, BYTE* b);

    virtualcard::CardModel* m_card;  // the test's; outlives us
    std::mutex m_lock;
    std::vector<std::string> m_ops;
};

// A capture filter's kernel object that hands out `handle`. Not counted.
class FakeKsObject : public IKsObjectHandle
{
public:
    explicit FakeKsObject(HANDLE handle = FakeBt878Driver::kHandle) : m_handle(handle) {}
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
    STDMETHODIMP_(ULONG) AddRef() override { return 2; }
    STDMETHODIMP_(ULONG) Release() override { return 1; }
    HANDLE STDMETHODCALLTYPE KsGetObjectHandle() override { return m_handle; }

private:
    HANDLE m_handle;
};


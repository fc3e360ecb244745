// A fake capture filter of the Hesk BDA driver: IKsPropertySet over the
// driver side of its three property sets (virtualcard::HeskDriver on a
// CardModel), and IKsControl, which the access object only holds. Records
// every call; failures can be injected per set. Tests own it on the stack.
#pragma once
#include "graph/ComObject.h"
#include "platform/virtualcard/model/HeskDriver.h"

#include <strmif.h>
#include <ks.h>
#include <ksproxy.h>

#include <mutex>
#include <vector>

// The test owns the object; the count is only watched.
class FakeHeskFilter : public ComCounted<IKsPropertySet, IKsControl>
{
public:
    explicit FakeHeskFilter(virtualcard::CardModel* card, bool withControl = true);

    // IUnknown (both bases share it)
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
    // IKsPropertySet
    STDMETHODIMP Set(REFGUID set, DWORD id, void* instance, DWORD instanceLength, void* data,
                     DWORD dataLength) override;
    STDMETHODIMP Get(REFGUID set, DWORD id, void* instance, DWORD instanceLength, void* data,
                     DWORD dataLength, DWORD* returned) override;
    STDMETHODIMP QuerySupported(REFGUID set, DWORD id, DWORD* support) override;
    // IKsControl: nothing of the card goes through it.
    STDMETHODIMP KsProperty(PKSPROPERTY, ULONG, LPVOID, ULONG, ULONG*) override { return E_NOTIMPL; }
    STDMETHODIMP KsMethod(PKSMETHOD, ULONG, LPVOID, ULONG, ULONG*) override { return E_NOTIMPL; }
    STDMETHODIMP KsEvent(PKSEVENT, ULONG, LPVOID, ULONG, ULONG*) override { return E_NOTIMPL; }

    struct Call
    {
        GUID set;
        DWORD id;
        bool get;
        DWORD instanceLength;
        DWORD dataLength;
        DWORD registerAddress;   // register calls
        DWORD registerValue;     // register writes
    };
    std::vector<Call> Calls() const;
    // Register writes only, as {address, value}.
    std::vector<std::pair<DWORD, DWORD>> RegisterWrites() const;
    void ClearCalls();
    // Every later call on `set` returns `hr` after `after` good ones.
    void FailSet(REFGUID set, HRESULT hr, int after = 0);
    // A driver that answers with a success code other than S_OK.
    void SucceedWith(HRESULT hr) { m_success = hr; }
    LONG RefCount() const { return static_cast<LONG>(Refs()); }

private:
    HRESULT Record(REFGUID set, DWORD id, bool get, void* instance, DWORD instanceLength,
                   void* data, DWORD dataLength);

    virtualcard::HeskDriver m_driver;
    bool m_withControl;
    mutable std::mutex m_lock;
    std::vector<Call> m_calls;
    GUID m_failSet;
    HRESULT m_failHr;
    int m_failAfter;
    HRESULT m_success;
};

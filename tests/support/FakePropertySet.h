// The IUnknown half of the test fakes of a driver's IKsPropertySet: a
// stack object that answers IUnknown and IKsPropertySet and keeps a real
// reference count, which tests watch but which never deletes it.
#pragma once
#include <windows.h>
#include <strmif.h>

class FakePropertySet : public IKsPropertySet
{
public:
    virtual ~FakePropertySet() {}

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override
    {
        if (!ppv)
            return E_POINTER;
        if (riid == IID_IUnknown || riid == IID_IKsPropertySet) {
            *ppv = static_cast<IKsPropertySet*>(this);
            AddRef();
            return S_OK;
        }
        *ppv = NULL;
        return E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&m_refs)); }
    STDMETHODIMP_(ULONG) Release() override { return static_cast<ULONG>(InterlockedDecrement(&m_refs)); }

    ULONG RefCount() const { return static_cast<ULONG>(m_refs); }

protected:
    volatile LONG m_refs = 1;
};

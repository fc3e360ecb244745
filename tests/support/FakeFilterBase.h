// The IBaseFilter part of the tests' fake driver filters: a filter without
// pins that is always stopped, counted but never deleted (tests own the
// fakes on the stack), with a hook for the interfaces a fake adds. Any
// thread.
#pragma once
#include "graph/ComObject.h"

#include <dshow.h>

class FakeFilterBase : public ComCounted<IBaseFilter>
{
public:
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
    STDMETHODIMP GetClassID(CLSID* id) override;
    STDMETHODIMP Stop() override { return S_OK; }
    STDMETHODIMP Pause() override { return S_OK; }
    STDMETHODIMP Run(REFERENCE_TIME) override { return S_OK; }
    STDMETHODIMP GetState(DWORD, FILTER_STATE* state) override;
    STDMETHODIMP SetSyncSource(IReferenceClock*) override { return S_OK; }
    STDMETHODIMP GetSyncSource(IReferenceClock** clock) override;
    STDMETHODIMP EnumPins(IEnumPins**) override { return E_NOTIMPL; }
    STDMETHODIMP FindPin(LPCWSTR, IPin**) override { return VFW_E_NOT_FOUND; }
    STDMETHODIMP QueryFilterInfo(FILTER_INFO* info) override;
    STDMETHODIMP JoinFilterGraph(IFilterGraph*, LPCWSTR) override { return S_OK; }
    STDMETHODIMP QueryVendorInfo(LPWSTR*) override { return E_NOTIMPL; }

protected:
    // Extra interfaces of a derived fake; NULL when it has none.
    virtual void* Extra(REFIID) { return NULL; }
};

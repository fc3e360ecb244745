#include "tests/support/FakeFilterBase.h"


STDMETHODIMP FakeFilterBase::QueryInterface(REFIID riid, void** ppv)
{
    using Row = ComInterface<FakeFilterBase>;
    static constexpr Row kRows[] = {
        Row::Via<IBaseFilter>(IID_IUnknown),
        Row::Via<IBaseFilter>(IID_IPersist),
        Row::Via<IBaseFilter>(IID_IMediaFilter),
        Row::Via<IBaseFilter>(IID_IBaseFilter),
    };
    return QueryInterfaceTable(this, kRows, riid, ppv, [&]() -> HRESULT {
        *ppv = Extra(riid);
        if (!*ppv)
            return E_NOINTERFACE;
        static_cast<IUnknown*>(*ppv)->AddRef();
        return S_OK;
    });
}

STDMETHODIMP FakeFilterBase::GetClassID(CLSID* id)
{
    if (!id)
        return E_POINTER;
    *id = GUID_NULL;
    return S_OK;
}

STDMETHODIMP FakeFilterBase::GetState(DWORD, FILTER_STATE* state)
{
    if (!state)
        return E_POINTER;
    *state = State_Stopped;
    return S_OK;
}

STDMETHODIMP FakeFilterBase::GetSyncSource(IReferenceClock** clock)
{
    if (!clock)
        return E_POINTER;
    *clock = NULL;
    return S_OK;
}

STDMETHODIMP FakeFilterBase::QueryFilterInfo(FILTER_INFO* info)
{
    if (!info)
        return E_POINTER;
    lstrcpynW(info->achName, L"Fake", MAX_FILTER_NAME);
    info->pGraph = NULL;
    return S_OK;
}

#include "tests/support/FakeHeskFilter.h"

#include "hw/access/HeskPropertySets.h"

FakeHeskFilter::FakeHeskFilter(virtualcard::CardModel* card, bool withControl)
    : m_driver(card), m_withControl(withControl), m_failSet(GUID_NULL), m_failHr(S_OK),
      m_failAfter(0), m_success(S_OK)
{
}

STDMETHODIMP FakeHeskFilter::QueryInterface(REFIID riid, void** ppv)
{
    // A driver without the control interface answers for the property set alone.
    if (riid == IID_IKsControl && !m_withControl) {
        if (!ppv)
            return E_POINTER;
        *ppv = NULL;
        return E_NOINTERFACE;
    }
    using Row = ComInterface<FakeHeskFilter>;
    static constexpr Row kRows[] = {
        Row::Via<IKsPropertySet>(IID_IUnknown),
        Row::Via<IKsPropertySet>(IID_IKsPropertySet),
        Row::Via<IKsControl>(IID_IKsControl),
    };
    return QueryInterfaceTable(this, kRows, riid, ppv);
}

std::vector<FakeHeskFilter::Call> FakeHeskFilter::Calls() const
{
    std::lock_guard<std::mutex> hold(m_lock);
    return m_calls;
}

std::vector<std::pair<DWORD, DWORD>> FakeHeskFilter::RegisterWrites() const
{
    std::vector<std::pair<DWORD, DWORD>> out;
    for (const Call& c : Calls()) {
        if (c.set == KSPROPSETID_HeskRegister && !c.get)
            out.push_back({c.registerAddress, c.registerValue});
    }
    return out;
}

void FakeHeskFilter::ClearCalls()
{
    std::lock_guard<std::mutex> hold(m_lock);
    m_calls.clear();
}

void FakeHeskFilter::FailSet(REFGUID set, HRESULT hr, int after)
{
    std::lock_guard<std::mutex> hold(m_lock);
    m_failSet = set;
    m_failHr = hr;
    m_failAfter = after;
}

HRESULT FakeHeskFilter::Record(REFGUID set, DWORD id, bool get, void* instance,
                               DWORD instanceLength, void* data, DWORD dataLength)
{
    std::lock_guard<std::mutex> hold(m_lock);
    Call call = {set, id, get, instanceLength, dataLength, 0, 0};
    if (set == KSPROPSETID_HeskRegister && instance && instanceLength >= sizeof(HeskRegisterInstance)) {
        call.registerAddress = static_cast<const HeskRegisterInstance*>(instance)->address;
        if (!get && data && dataLength >= sizeof(HeskRegisterData))
            call.registerValue = static_cast<const HeskRegisterData*>(data)->value;
    }
    m_calls.push_back(call);
    if (m_failHr != S_OK && set == m_failSet) {
        if (m_failAfter > 0)
            --m_failAfter;
        else
            return m_failHr;
    }
    return S_OK;
}

STDMETHODIMP FakeHeskFilter::Set(REFGUID set, DWORD id, void* instance, DWORD instanceLength,
                                 void* data, DWORD dataLength)
{
    HRESULT hr = Record(set, id, false, instance, instanceLength, data, dataLength);
    if (hr != S_OK)
        return hr;
    hr = m_driver.Set(set, id, instance, instanceLength, data, dataLength);
    return hr == S_OK ? m_success : hr;
}

STDMETHODIMP FakeHeskFilter::Get(REFGUID set, DWORD id, void* instance, DWORD instanceLength,
                                 void* data, DWORD dataLength, DWORD* returned)
{
    HRESULT hr = Record(set, id, true, instance, instanceLength, data, dataLength);
    if (hr != S_OK)
        return hr;
    hr = m_driver.Get(set, id, instance, instanceLength, data, dataLength, returned);
    return hr == S_OK ? m_success : hr;
}

STDMETHODIMP FakeHeskFilter::QuerySupported(REFGUID set, DWORD id, DWORD* support)
{
    return m_driver.QuerySupported(set, id, support);
}

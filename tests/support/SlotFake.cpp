#include "SlotFake.h"

#include <new>

SlotFake* SlotFake::Create(const std::vector<IID>& iids)
{
    return new (std::nothrow) SlotFake(iids);
}

SlotFake::SlotFake(const std::vector<IID>& iids) : m_vtbl(m_table), m_table(), m_cRef(1), m_iids(iids)
{
    m_table[0] = reinterpret_cast<void*>(&QueryInterfaceThunk);
    m_table[1] = reinterpret_cast<void*>(&AddRefThunk);
    m_table[2] = reinterpret_cast<void*>(&ReleaseThunk);
}

ULONG SlotFake::Release()
{
    LONG count = InterlockedDecrement(&m_cRef);
    if (count == 0)
        delete this;
    return count;
}

void SlotFake::Capture(Call* call, const char* text)
{
    call->args.push_back(static_cast<LONGLONG>(reinterpret_cast<INT_PTR>(text)));
    call->texts.push_back(text ? text : "");
}

void SlotFake::Capture(Call* call, const wchar_t* text)
{
    call->args.push_back(static_cast<LONGLONG>(reinterpret_cast<INT_PTR>(text)));
    std::string narrow;
    for (const wchar_t* p = text; p && *p; ++p)
        narrow += static_cast<char>(*p < 0x80 ? *p : '?');
    call->texts.push_back(narrow);
}

HRESULT SlotFake::Answer(const Call& call)
{
    m_calls.push_back(call);
    auto handler = m_handlers.find(call.slot);
    if (handler != m_handlers.end())
        return handler->second(call);
    auto result = m_results.find(call.slot);
    return result != m_results.end() ? result->second : S_OK;
}

HRESULT STDMETHODCALLTYPE SlotFake::QueryInterfaceThunk(IUnknown* self, REFIID iid, void** out)
{
    if (!out)
        return E_POINTER;
    SlotFake* fake = reinterpret_cast<SlotFake*>(self);
    bool known = iid == IID_IUnknown;
    for (const IID& id : fake->m_iids)
        known = known || id == iid;
    if (!known) {
        *out = NULL;
        return E_NOINTERFACE;
    }
    fake->AddRef();
    *out = self;
    return S_OK;
}

ULONG STDMETHODCALLTYPE SlotFake::AddRefThunk(IUnknown* self)
{
    return reinterpret_cast<SlotFake*>(self)->AddRef();
}

ULONG STDMETHODCALLTYPE SlotFake::ReleaseThunk(IUnknown* self)
{
    return reinterpret_cast<SlotFake*>(self)->Release();
}

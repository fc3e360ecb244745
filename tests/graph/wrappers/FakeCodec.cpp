#include "tests/graph/wrappers/FakeCodec.h"

#include <string.h>

#include <algorithm>

std::string SlotCall::Text() const
{
    std::string text = itf + "." + std::to_string(slot) + "(";
    for (size_t i = 0; i < args.size(); i++) {
        if (i)
            text += ",";
        text += isPointer[i] && args[i] ? "p" : std::to_string(args[i]);
    }
    return text + ")";
}

IUnknown* FakeInterface::OwnerUnknown() const
{
    return static_cast<IBaseFilter*>(m_owner);
}

HRESULT FakeInterface::Log(int slot, std::vector<std::pair<LONG_PTR, bool>> args)
{
    SlotCall call;
    call.itf = m_label;
    call.slot = slot;
    for (const auto& arg : args) {
        call.args.push_back(arg.first);
        call.isPointer.push_back(arg.second);
    }
    return m_owner->Answer(call);
}

STDMETHODIMP FakeFileSink::QueryInterface(REFIID iid, void** out)
{
    return m_owner->QueryInterface(iid, out);
}

STDMETHODIMP_(ULONG) FakeFileSink::AddRef()
{
    return m_owner->AddRef();
}

STDMETHODIMP_(ULONG) FakeFileSink::Release()
{
    return m_owner->Release();
}

STDMETHODIMP FakeFileSink::SetFileName(LPCOLESTR fileName, const AM_MEDIA_TYPE* mt)
{
    if (!fileName)
        return E_POINTER;
    name = fileName;
    mediaTypeGiven = mt != NULL;
    return S_OK;
}

STDMETHODIMP FakeFileSink::GetCurFile(LPOLESTR* fileName, AM_MEDIA_TYPE* mt)
{
    if (!fileName)
        return E_POINTER;
    *fileName = NULL;
    if (name.empty())
        return E_FAIL;
    size_t bytes = (name.size() + 1) * sizeof(wchar_t);
    *fileName = static_cast<LPOLESTR>(CoTaskMemAlloc(bytes));
    if (!*fileName)
        return E_OUTOFMEMORY;
    memcpy(*fileName, name.c_str(), bytes);
    if (mt)
        *mt = AM_MEDIA_TYPE();
    return S_OK;
}

FakeCodecFilter::FakeCodecFilter(const CLSID& clsid) : dshow::CBaseFilter(clsid, L"Fake codec") {}

FakeFileSink* FakeCodecFilter::AddFileSink()
{
    m_sink.reset(new FakeFileSink(this));
    return m_sink.get();
}

void FakeCodecFilter::Hide(const IID& iid)
{
    m_hidden.push_back(iid);
}

void FakeCodecFilter::Fail(const char* label, int slot, HRESULT hr)
{
    m_failures[{label, slot}] = hr;
}

std::vector<std::string> FakeCodecFilter::CallTexts() const
{
    std::vector<std::string> texts;
    for (const SlotCall& call : calls)
        texts.push_back(call.Text());
    return texts;
}

ULONG FakeCodecFilter::Refs()
{
    AddRef();
    return Release();
}

HRESULT FakeCodecFilter::Answer(SlotCall call)
{
    calls.push_back(call);
    HRESULT hr = onCall ? onCall(call) : S_OK;
    auto failure = m_failures.find({call.itf, call.slot});
    return failure != m_failures.end() ? failure->second : hr;
}

HRESULT FakeCodecFilter::QueryFilterInterface(REFIID iid, void** out)
{
    if (std::find(m_hidden.begin(), m_hidden.end(), iid) == m_hidden.end()) {
        IUnknown* found = NULL;
        if (iid == IID_IFileSinkFilter && m_sink)
            found = m_sink.get();
        for (const auto& fake : m_interfaces) {
            if (fake->Iid() == iid)
                found = fake->Unknown();
        }
        if (found) {
            found->AddRef();
            *out = found;
            return S_OK;
        }
    }
    return dshow::CBaseFilter::QueryFilterInterface(iid, out);
}


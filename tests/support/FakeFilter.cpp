#include "FakeFilter.h"

#include "platform/dshow/InputPin.h"
#include "platform/dshow/OutputPin.h"

#include <new>

namespace {

typedef std::vector<std::pair<IID, dshow::ComPtr<IUnknown>>> InterfaceList;

HRESULT Answer(const InterfaceList& list, REFIID iid, void** out)
{
    for (const auto& entry : list) {
        if (entry.first == iid)
            return entry.second->QueryInterface(iid, out);
    }
    *out = NULL;
    return E_NOINTERFACE;
}

} // namespace

// Both pin kinds: offered types, extra interfaces, any type accepted.
#define FAKE_PIN_BODY                                                                 \
    HRESULT CheckMediaType(const AM_MEDIA_TYPE*) override { return S_OK; }           \
    HRESULT GetMediaType(int index, CMediaType* mt) override                         \
    {                                                                                 \
        if (index < 0 || index >= static_cast<int>(types.size()))                    \
            return VFW_S_NO_MORE_ITEMS;                                               \
        return mt->Set(types[index]);                                                 \
    }                                                                                 \
    HRESULT QueryPinInterface(REFIID iid, void** out) override                       \
    {                                                                                 \
        if (SUCCEEDED(Answer(interfaces, iid, out)))                                  \
            return S_OK;                                                              \
        return dshow::CBasePin::QueryPinInterface(iid, out);                          \
    }                                                                                 \
    std::vector<CMediaType> types;                                                    \
    InterfaceList interfaces;

class FakeFilter::InPin : public dshow::CBaseInputPin
{
public:
    InPin(FakeFilter* filter, const wchar_t* name) : CBaseInputPin(filter, name) {}
    FAKE_PIN_BODY

protected:
    HRESULT OnReceive(IMediaSample*) override { return S_OK; }
};

class FakeFilter::OutPin : public dshow::CBaseOutputPin
{
public:
    OutPin(FakeFilter* filter, const wchar_t* name) : CBaseOutputPin(filter, name) {}
    FAKE_PIN_BODY

protected:
    bool CarriesSamples() const override { return false; }
};

FakeFilter::FakeFilter(const CLSID& clsid, const wchar_t* name) : CBaseFilter(clsid, name)
{
}

FakeFilter::~FakeFilter()
{
    for (dshow::CBasePin* pin : m_pins)
        delete pin;
}

dshow::CBasePin* FakeFilter::AddPin(const wchar_t* name, PIN_DIRECTION direction,
                                    const std::vector<CMediaType>& types)
{
    dshow::CBasePin* pin;
    if (direction == PINDIR_INPUT) {
        InPin* in = new InPin(this, name);
        in->types = types;
        pin = in;
    } else {
        OutPin* out = new OutPin(this, name);
        out->types = types;
        pin = out;
    }
    m_pins.push_back(pin);
    return pin;
}

void FakeFilter::AddInterface(REFIID iid, IUnknown* object)
{
    m_interfaces.emplace_back(iid, dshow::ComPtr<IUnknown>(object));
}

void FakeFilter::AddPinInterface(dshow::CBasePin* pin, REFIID iid, IUnknown* object)
{
    InterfaceList* list = NULL;
    if (InPin* in = dynamic_cast<InPin*>(pin))
        list = &in->interfaces;
    else if (OutPin* out = dynamic_cast<OutPin*>(pin))
        list = &out->interfaces;
    if (list)
        list->emplace_back(iid, dshow::ComPtr<IUnknown>(object));
}

dshow::CBasePin* FakeFilter::GetPin(int index)
{
    return index >= 0 && index < GetPinCount() ? m_pins[index] : NULL;
}

HRESULT FakeFilter::QueryFilterInterface(REFIID iid, void** out)
{
    return Answer(m_interfaces, iid, out);
}

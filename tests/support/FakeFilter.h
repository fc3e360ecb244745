// FakeFilter: a filter built from the filter kit for wrapper tests - named
// input and output pins offering given media types and extra interfaces,
// extra interfaces on the filter itself. TestClassObject serves it under a
// class id. Test thread.
#pragma once
#include "graph/MediaType.h"
#include "platform/dshow/BaseFilter.h"
#include "platform/dshow/BasePin.h"
#include "platform/dshow/ComPtr.h"

#include <map>
#include <string>
#include <utility>
#include <vector>

class FakeFilter : public dshow::CBaseFilter
{
public:
    // Made with one reference.
    FakeFilter(const CLSID& clsid, const wchar_t* name);

    // Pins are added before the filter is used; their order is the order
    // of addition. `types` are offered in order; any type is accepted.
    dshow::CBasePin* AddPin(const wchar_t* name, PIN_DIRECTION direction,
                            const std::vector<CMediaType>& types = {});
    // Answers iid with object (a reference is held), on the filter or on a pin.
    void AddInterface(REFIID iid, IUnknown* object);
    static void AddPinInterface(dshow::CBasePin* pin, REFIID iid, IUnknown* object);

    int GetPinCount() override { return static_cast<int>(m_pins.size()); }
    dshow::CBasePin* GetPin(int index) override;

protected:
    HRESULT QueryFilterInterface(REFIID iid, void** out) override;

private:
    class InPin;
    class OutPin;
    ~FakeFilter();

    std::vector<dshow::CBasePin*> m_pins;
    std::vector<std::pair<IID, dshow::ComPtr<IUnknown>>> m_interfaces;
};

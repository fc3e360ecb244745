#include "engine/AudioCapture.h"

#include "graph/ComPtr.h"
#include "graph/DeviceEnum.h"
#include "graph/NameText.h"

#include <dshow.h>
#include <string.h>

#include <cmath>
#include <functional>

namespace {

// Calls visit with each bound filter of the audio capture devices named
// device; a device that cannot be bound is passed over.
BOOL ForEachNamedDevice(LPCSTR device, const std::function<void(IBaseFilter*)>& visit)
{
    HRESULT hr = zunk::ForEachDevice(CLSID_AudioInputDeviceCategory, [&](IMoniker* moniker) {
        char name[zunk::kNameSize];
        if (!zunk::ReadFriendlyName(moniker, name, sizeof(name)) || !device || strcmp(name, device) != 0)
            return TRUE;
        ComPtr<IBaseFilter> filter;
        if (SUCCEEDED(moniker->BindToObject(NULL, NULL, IID_IBaseFilter, filter.ReceiveVoid())) && filter)
            visit(filter.Get());
        return TRUE;
    });
    return SUCCEEDED(hr);
}

// Calls visit with each pin of filter, its name and direction.
void ForEachPin(IBaseFilter* filter, const std::function<void(IPin*, const char*, PIN_DIRECTION)>& visit)
{
    ComPtr<IEnumPins> pins;
    if (FAILED(filter->EnumPins(&pins)) || !pins)
        return;
    for (;;) {
        ComPtr<IPin> pin;
        ULONG fetched = 0;
        if (pins->Next(1, &pin, &fetched) != S_OK || fetched != 1)
            return;
        PIN_INFO info = {};
        if (FAILED(pin->QueryPinInfo(&info)))
            continue;
        if (info.pFilter)
            info.pFilter->Release();
        char name[zunk::kPinNameSize];
        if (zunk::WideToAnsi(info.achName, name, sizeof(name)))
            visit(pin.Get(), name, info.dir);
    }
}

// Each input mixer of the named pin on the named devices.
BOOL ForEachInputMixer(LPCSTR device, LPCSTR pinName, const std::function<void(IAMAudioInputMixer*)>& visit)
{
    return ForEachNamedDevice(device, [&](IBaseFilter* filter) {
        ForEachPin(filter, [&](IPin* pin, const char* name, PIN_DIRECTION) {
            ComPtr<IAMAudioInputMixer> mixer;
            if (pinName && strcmp(name, pinName) == 0 &&
                SUCCEEDED(mixer.QueryFrom(pin, IID_IAMAudioInputMixer)) && mixer)
                visit(mixer.Get());
        });
    });
}

} // namespace

BOOL AudioCapture_GetDeviceNames(CStringArray& names, LPCSTR)
{
    HRESULT hr = zunk::ForEachDevice(CLSID_AudioInputDeviceCategory, [&](IMoniker* moniker) {
        char name[zunk::kNameSize];
        if (zunk::ReadFriendlyName(moniker, name, sizeof(name)))
            names.Add(name);
        return TRUE;
    });
    return SUCCEEDED(hr);
}

BOOL AudioCapture_GetInputNames(CStringArray& names, LPCSTR, LPCSTR device)
{
    return ForEachNamedDevice(device, [&](IBaseFilter* filter) {
        ForEachPin(filter, [&](IPin*, const char* name, PIN_DIRECTION direction) {
            if (direction == PINDIR_INPUT)
                names.Add(name);
        });
    });
}

BOOL AudioCapture_SetMixLevel(LPCSTR device, LPCSTR pin, int level)
{
    const double mix = (level < 0 ? 0 : level > 100 ? 100 : level) / 100.0;
    return ForEachInputMixer(device, pin, [&](IAMAudioInputMixer* mixer) { mixer->put_MixLevel(mix); });
}

BOOL AudioCapture_GetMixLevel(LPCSTR device, LPCSTR pin, int* level)
{
    if (!level)
        return FALSE;
    return ForEachInputMixer(device, pin, [&](IAMAudioInputMixer* mixer) {
        double mix = 0;
        // A driver's level outside 0-1 (or not a number) is bounded.
        if (SUCCEEDED(mixer->get_MixLevel(&mix)) && std::isfinite(mix))
            *level = mix <= 0 ? 0 : mix >= 1 ? 100 : static_cast<int>(mix * 100.0);
    });
}

#include "FakeCaptureFilter.h"

#include "hw/access/878Access.h"

#include <ks.h>
#include <string.h>
#include <wchar.h>

void* FakeCaptureFilter::Extra(REFIID riid)
{
    if (riid == IID_IKsPropertySet && m_set)
        return m_set;
    if (riid == IID_IAMAnalogVideoDecoder && m_card)
        return static_cast<IAMAnalogVideoDecoder*>(this);
    return NULL;
}

STDMETHODIMP FakeCaptureFilter::get_AvailableTVFormats(long* formats)
{
    if (!formats)
        return E_POINTER;
    *formats = AnalogVideo_PAL_B | AnalogVideo_PAL_D | AnalogVideo_NTSC_M;
    return S_OK;
}

STDMETHODIMP FakeCaptureFilter::put_TVFormat(long format)
{
    long available = 0;
    get_AvailableTVFormats(&available);
    if (!(format & available))
        return E_INVALIDARG;
    m_format = format;
    return S_OK;
}

STDMETHODIMP FakeCaptureFilter::get_TVFormat(long* format)
{
    if (!format)
        return E_POINTER;
    *format = m_format;
    return S_OK;
}

STDMETHODIMP FakeCaptureFilter::get_HorizontalLocked(long* locked)
{
    if (!locked)
        return E_POINTER;
    *locked = m_card->SignalLocked() ? 1 : 0;
    return S_OK;
}

STDMETHODIMP FakeBt878Capture::QuerySupported(REFGUID set, DWORD id, DWORD* support)
{
    if (set != KSPROPSETID_Bt878)
        return E_PROP_SET_UNSUPPORTED;
    if (id != bt878::kControlProperty && id != bt878::kGpioProperty)
        return E_PROP_ID_UNSUPPORTED;
    if (support)
        *support = KSPROPERTY_SUPPORT_GET | KSPROPERTY_SUPPORT_SET;
    return S_OK;
}

void* FakeBt878Capture::Extra(REFIID riid)
{
    if (riid == IID_IKsPropertySet)
        return static_cast<IKsPropertySet*>(this);
    if (riid == IID_IKsObjectHandle)
        return static_cast<IKsObjectHandle*>(&m_object);
    if (riid == IID_IAMAnalogVideoDecoder)
        return static_cast<IAMAnalogVideoDecoder*>(&m_decoder);
    return NULL;
}

STDMETHODIMP FakeCrossbarFilter::get_PinCounts(long* outputs, long* inputs)
{
    if (!outputs || !inputs)
        return E_POINTER;
    *outputs = m_outputs;
    *inputs = m_inputs;
    return S_OK;
}

STDMETHODIMP FakeCrossbarFilter::Route(long output, long input)
{
    routes.emplace_back(output, input);
    return S_OK;
}

void* FakeCrossbarFilter::Extra(REFIID riid)
{
    if (riid == IID_IAMCrossbar)
        return static_cast<IAMCrossbar*>(this);
    return NULL;
}

void* FakeTVTunerFilter::Extra(REFIID riid)
{
    if (riid == IID_IAMTVTuner || riid == IID_IAMTuner)
        return static_cast<IAMTVTuner*>(this);
    return NULL;
}

STDMETHODIMP FakeTVTunerFilter::put_CountryCode(LONG country)
{
    if (country == refusedCountry)
        return E_INVALIDARG;
    m_country = country;
    return S_OK;
}

STDMETHODIMP FakeTVTunerFilter::get_CountryCode(LONG* country)
{
    if (!country)
        return E_POINTER;
    *country = m_country;
    return S_OK;
}

STDMETHODIMP FakeTVTunerFilter::put_Mode(AMTunerModeType newMode)
{
    if (!(newMode & availableModes))
        return E_INVALIDARG;
    mode = newMode;
    return S_OK;
}

STDMETHODIMP FakeTVTunerFilter::get_Mode(AMTunerModeType* out)
{
    if (!out)
        return E_POINTER;
    *out = static_cast<AMTunerModeType>(mode);
    return S_OK;
}

STDMETHODIMP FakeTVTunerFilter::GetAvailableModes(LONG* modes)
{
    if (!modes)
        return E_POINTER;
    *modes = availableModes;
    return S_OK;
}

FakeStreamConfig::FakeStreamConfig() : current(MEDIATYPE_Video)
{
    current.SetSubtype(&MEDIASUBTYPE_YUY2);
    current.SetFormatType(&FORMAT_VideoInfo);
    VIDEOINFOHEADER* vih = reinterpret_cast<VIDEOINFOHEADER*>(current.AllocFormatBuffer(sizeof(VIDEOINFOHEADER)));
    memset(vih, 0, sizeof(*vih));
    vih->bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    vih->bmiHeader.biWidth = 720;
    vih->bmiHeader.biHeight = 576;
    vih->bmiHeader.biBitCount = 16;
}

STDMETHODIMP FakeStreamConfig::QueryInterface(REFIID riid, void** ppv)
{
    using Row = ComInterface<FakeStreamConfig>;
    static constexpr Row kRows[] = {
        Row::Via<IAMStreamConfig>(IID_IUnknown),
        Row::Via<IAMStreamConfig>(IID_IAMStreamConfig),
    };
    return QueryInterfaceTable(this, kRows, riid, ppv);
}

STDMETHODIMP FakeStreamConfig::SetFormat(AM_MEDIA_TYPE* mt)
{
    if (!mt)
        return E_POINTER;
    HRESULT hr = current.Set(*mt);
    if (hr == S_OK)
        formatsSet++;
    return hr;
}

STDMETHODIMP FakeStreamConfig::GetFormat(AM_MEDIA_TYPE** mt)
{
    if (!mt)
        return E_POINTER;
    *mt = CreateMediaType(&current);
    return *mt ? S_OK : E_OUTOFMEMORY;
}

STDMETHODIMP FakeStreamConfig::GetNumberOfCapabilities(int* count, int* size)
{
    if (!count || !size)
        return E_POINTER;
    *count = reportedCount >= 0 ? reportedCount : (int)capabilities.size();
    *size = recordBytes;
    return S_OK;
}

STDMETHODIMP FakeStreamConfig::GetStreamCaps(int index, AM_MEDIA_TYPE** mt, BYTE* caps)
{
    if (!mt || !caps)
        return E_POINTER;
    if (index < 0 || index >= (int)capabilities.size())
        return S_FALSE;
    const Capability& c = capabilities[index];
    CMediaType type(MEDIATYPE_Video);
    type.SetSubtype(&c.subtype);
    type.SetFormatType(&c.formatType);
    if (c.formatBlock)
        memset(type.AllocFormatBuffer(sizeof(VIDEOINFOHEADER)), 0, sizeof(VIDEOINFOHEADER));
    // The whole record the pin reported, as a driver fills it.
    memset(caps, 0xCC, recordBytes);
    VIDEO_STREAM_CONFIG_CAPS* video = reinterpret_cast<VIDEO_STREAM_CONFIG_CAPS*>(caps);
    if (recordBytes >= (int)sizeof(*video)) {
        memset(video, 0, sizeof(*video));
        video->guid = FORMAT_VideoInfo;
        video->MaxCroppingSize = c.maxCropping;
    }
    *mt = CreateMediaType(&type);
    return *mt ? S_OK : E_OUTOFMEMORY;
}

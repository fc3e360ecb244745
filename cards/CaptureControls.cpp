#include "cards/CaptureControls.h"

#include <string.h>
#include <uuids.h>

#include "graph/ComPtr.h"
#include "graph/MediaTypePtr.h"
#include "graph/RootFilter.h"
#include "graph/RootGraph.h"

namespace {

// Bytes of one image by the DIB rules: RGB rows padded to 32 bits, YUV
// (packed or planar, 12 and 9 bits included) width x height x bits / 8, the
// height's magnitude either way (top-down images have negative heights).
DWORD DibImageSize(const BITMAPINFOHEADER& bih)
{
    ULONGLONG width = (ULONGLONG)(bih.biWidth < 0 ? -(LONGLONG)bih.biWidth : bih.biWidth);
    ULONGLONG height = (ULONGLONG)(bih.biHeight < 0 ? -(LONGLONG)bih.biHeight : bih.biHeight);
    ULONGLONG bytes;
    if (bih.biCompression == BI_RGB || bih.biCompression == BI_BITFIELDS)
        bytes = ((width * bih.biBitCount + 31) / 32) * 4 * height;
    else
        bytes = width * height * bih.biBitCount / 8;
    if (bytes > 0xFFFFFFFFull)
        return 0;
    return (DWORD)bytes;
}

const GUID* PinCategory(int which)
{
    return which == 1 ? &PIN_CATEGORY_CAPTURE : &PIN_CATEGORY_PREVIEW;
}

bool HasVideoInfo(const AM_MEDIA_TYPE* mt)
{
    return IsEqualGUID(mt->formattype, FORMAT_VideoInfo) && mt->pbFormat &&
           mt->cbFormat >= sizeof(VIDEOINFOHEADER);
}

} // namespace

HRESULT CCaptureControls::GetTVFormats(long* current, long* available) const
{
    IBaseFilter* filter = m_filter.GetFilter();
    if (!filter)
        return E_FAIL;
    ComPtr<IAMAnalogVideoDecoder> decoder;
    HRESULT hr = filter->QueryInterface(IID_IAMAnalogVideoDecoder, reinterpret_cast<void**>(&decoder));
    if (FAILED(hr))
        return hr;
    if (available)
        hr = decoder->get_AvailableTVFormats(available);
    if (SUCCEEDED(hr) && current)
        hr = decoder->get_TVFormat(current);
    return hr;
}

HRESULT CCaptureControls::PutTVFormat(long standard) const
{
    IBaseFilter* filter = m_filter.GetFilter();
    if (!filter)
        return E_FAIL;
    ComPtr<IAMAnalogVideoDecoder> decoder;
    HRESULT hr = filter->QueryInterface(IID_IAMAnalogVideoDecoder, reinterpret_cast<void**>(&decoder));
    return FAILED(hr) ? hr : decoder->put_TVFormat(standard);
}

HRESULT CCaptureControls::SetProcAmp(long property, long value) const
{
    IBaseFilter* filter = m_filter.GetFilter();
    ComPtr<IAMVideoProcAmp> amp;
    if (!filter || FAILED(filter->QueryInterface(IID_IAMVideoProcAmp, reinterpret_cast<void**>(&amp))))
        return E_FAIL;
    return amp->Set(property, value, VideoProcAmp_Flags_Manual);
}

HRESULT CCaptureControls::GetProcAmpRange(long property, ProcAmpRange* range) const
{
    IBaseFilter* filter = m_filter.GetFilter();
    if (!filter)
        return E_FAIL;
    if (!range)
        return E_INVALIDARG;
    ComPtr<IAMVideoProcAmp> amp;
    if (FAILED(filter->QueryInterface(IID_IAMVideoProcAmp, reinterpret_cast<void**>(&amp))))
        return E_FAIL;
    HRESULT hr = amp->GetRange(property, &range->min, &range->max, &range->step, &range->def,
                               &range->flags);
    if (hr != S_OK)
        return hr;
    long flags = 0;
    return amp->Get(property, &range->value, &flags);
}

HRESULT CCaptureControls::FindStreamConfig(int which, IAMStreamConfig** config) const
{
    CRootGraph* graph = m_filter.GetOwnerGraph();
    if (!graph || !graph->GetBuilder() || !m_filter.GetFilter())
        return E_INVALIDARG;
    return graph->GetBuilder()->FindInterface(PinCategory(which), &MEDIATYPE_Video, m_filter.GetFilter(),
                                              IID_IAMStreamConfig, reinterpret_cast<void**>(config));
}

HRESULT CCaptureControls::GetStreamFormat(AM_MEDIA_TYPE** mt, int which) const
{
    if (!mt)
        return E_INVALIDARG;
    *mt = NULL;
    ComPtr<IAMStreamConfig> config;
    HRESULT hr = FindStreamConfig(which, &config);
    if (FAILED(hr))
        return hr;
    // A success other than S_OK may still have handed a type over: the
    // holder frees it.
    CMediaTypePtr type;
    hr = config->GetFormat(&type);
    if (hr == S_OK && type) {
        *mt = type.Detach();
        return S_OK;
    }
    // Fallback: the first type the pin offers. Only S_OK hands back a type.
    ComPtr<IPin> pin;
    hr = m_filter.GetOwnerGraph()->GetBuilder()->FindInterface(
        PinCategory(which), &MEDIATYPE_Video, m_filter.GetFilter(), IID_IPin, reinterpret_cast<void**>(&pin));
    if (FAILED(hr))
        return hr;
    ComPtr<IEnumMediaTypes> types;
    hr = pin->EnumMediaTypes(&types);
    if (FAILED(hr) || !types)
        return FAILED(hr) ? hr : E_FAIL;
    types->Reset();
    ULONG fetched = 0;
    hr = types->Next(1, &type, &fetched);
    if (hr != S_OK || fetched != 1 || !type)
        return FAILED(hr) ? hr : E_FAIL;
    *mt = type.Detach();
    return S_OK;
}

HRESULT CCaptureControls::GetVideoFormat(VideoFormat* rec, int which, const SubtypeCode* codes,
                                         size_t count, GUID* subtype) const
{
    if (!rec || !m_filter.GetOwnerGraph())
        return E_INVALIDARG;
    memset(rec, 0, sizeof(*rec));
    CMediaTypePtr mt;
    HRESULT hr = GetStreamFormat(&mt, which);
    if (FAILED(hr))
        return hr;
    if (!HasVideoInfo(mt.Get()))
        return E_INVALIDARG;
    const VIDEOINFOHEADER* vih = reinterpret_cast<const VIDEOINFOHEADER*>(mt->pbFormat);
    rec->rcSource = vih->rcSource;
    rec->rcTarget = vih->rcTarget;
    rec->dwBitRate = vih->dwBitRate;
    rec->dwBitErrorRate = vih->dwBitErrorRate;
    rec->AvgTimePerFrame = vih->AvgTimePerFrame;
    rec->bmiHeader = vih->bmiHeader;
    rec->format = -1;
    for (size_t i = 0; i < count; i++) {
        if (IsEqualGUID(mt->subtype, *codes[i].subtype)) {
            rec->format = codes[i].code;
            break;
        }
    }
    if (subtype)
        *subtype = mt->subtype;
    return S_OK;
}

const GUID& CCaptureControls::SubtypeOf(LONG code, const SubtypeCode* codes, size_t count,
                                        const GUID& fallback)
{
    const GUID* subtype = &fallback;
    for (size_t i = 0; i < count; i++) {
        if (codes[i].code == code)
            subtype = codes[i].subtype;
    }
    return *subtype;
}

HRESULT CCaptureControls::SetVideoFormat(const VideoFormat& rec, int which, const GUID& subtype) const
{
    ComPtr<IAMStreamConfig> config;
    HRESULT hr = FindStreamConfig(which, &config);
    if (FAILED(hr))
        return hr;
    CMediaTypePtr mt;
    hr = config->GetFormat(&mt);
    if (FAILED(hr) || !mt)
        return FAILED(hr) ? hr : E_FAIL;
    if (!HasVideoInfo(mt.Get()))
        return E_INVALIDARG;  // nothing to fill in: not a success
    VIDEOINFOHEADER* vih = reinterpret_cast<VIDEOINFOHEADER*>(mt->pbFormat);
    vih->rcSource = rec.rcSource;
    vih->rcTarget = rec.rcTarget;
    vih->dwBitRate = rec.dwBitRate;
    vih->dwBitErrorRate = rec.dwBitErrorRate;
    vih->AvgTimePerFrame = rec.AvgTimePerFrame;
    vih->bmiHeader = rec.bmiHeader;
    vih->bmiHeader.biSizeImage = DibImageSize(vih->bmiHeader);
    mt->subtype = subtype;
    mt->lSampleSize = vih->bmiHeader.biSizeImage;
    return config->SetFormat(mt.Get());
}

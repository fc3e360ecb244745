#include "platform/virtualcard/CaptureFilter.h"

#include "graph/AutoMutex.h"
#include "hw/access/CommonPropertySet.h"
#include "platform/dshow/InputPin.h"
#include "platform/dshow/PropertySet.h"
#include "platform/dshow/SourceStream.h"
#include "platform/dshow/VideoFormat.h"
#include "platform/virtualcard/VirtualCard.h"
#include "platform/virtualcard/VirtualCardIds.h"

#include <uuids.h>

#include <new>

namespace virtualcard {

namespace {

using dshow::kSupportGet;
using dshow::kSupportSet;

// The common property set as the driver answers it: direction and the
// whole buffer's length per id.
const dshow::KsPropertyRow kCommonRows[] = {
    {&KSPROPSETID_CommonCard, COMMONCARD_BOARD_ID, kSupportGet, 0, sizeof(CommonCardWords)},
    {&KSPROPSETID_CommonCard, COMMONCARD_CONTROL1, kSupportSet, 0, sizeof(CommonCardWords)},
    {&KSPROPSETID_CommonCard, COMMONCARD_I2C_BYTE, kSupportGet | kSupportSet, 0, sizeof(CommonCardI2CByte)},
    {&KSPROPSETID_CommonCard, COMMONCARD_CONTROL3, kSupportSet, 0, sizeof(CommonCardWords)},
    {&KSPROPSETID_CommonCard, COMMONCARD_GPIO, kSupportGet | kSupportSet, 0, sizeof(CommonCardWords)},
    {&KSPROPSETID_CommonCard, COMMONCARD_REGISTER, kSupportGet | kSupportSet, 0, sizeof(CommonCardWords)},
    {&KSPROPSETID_CommonCard, COMMONCARD_I2C_BLOCK, kSupportGet | kSupportSet, 0, sizeof(CommonCardI2CBlock)},
    {&KSPROPSETID_CommonCard, COMMONCARD_CONTROL7, kSupportSet, 0, sizeof(CommonCardWords)},
    {&KSPROPSETID_CommonCard, COMMONCARD_CONTROL8, kSupportSet, 0, sizeof(CommonCardWords)},
    {&KSPROPSETID_CommonCard, COMMONCARD_CONTROL9, kSupportSet, 0, sizeof(CommonCardEmpty)},
    {&KSPROPSETID_CommonCard, COMMONCARD_CONTROL10, kSupportSet, 0, sizeof(CommonCardWords)},
};
const size_t kCommonRowCount = sizeof(kCommonRows) / sizeof(kCommonRows[0]);
static_assert(kCommonRowCount == COMMONCARD_PROPERTY_COUNT, "one row per common property");

const dshow::KsPropertyRow kPinRows[] = {
    {&AMPROPSETID_Pin, AMPROPERTY_PIN_CATEGORY, kSupportGet, 0, sizeof(GUID)},
};

// Output formats, preferred first.
const dshow::VideoPixelFormat kPixelFormats[] = {
    {&MEDIASUBTYPE_YUY2, 16, MAKEFOURCC('Y', 'U', 'Y', '2')},
    {&MEDIASUBTYPE_RGB32, 32, BI_RGB},
    {&MEDIASUBTYPE_RGB24, 24, BI_RGB},
};
const int kPixelFormatCount = sizeof(kPixelFormats) / sizeof(kPixelFormats[0]);
const LONG kMinWidth = 160, kMinHeight = 120;
const LONG kMaxWidth = 720, kMaxHeight = 576;
const REFERENCE_TIME kSlowestInterval = 10000000;   // one frame a second
// OLE Automation truth values of IAMAnalogVideoDecoder's output switch.
const long kOaTrue = -1;
const long kOaFalse = 0;

} // namespace

// --- the analog video input: where the crossbar's decoder output plugs in ---

class CCaptureFilter::CAnalogInPin : public dshow::CBaseInputPin
{
public:
    explicit CAnalogInPin(CCaptureFilter* filter) : CBaseInputPin(filter, L"Analog Video In") {}

    HRESULT CheckMediaType(const AM_MEDIA_TYPE* mt) override
    {
        return mt->majortype == MEDIATYPE_AnalogVideo ? S_OK : VFW_E_TYPE_NOT_ACCEPTED;
    }
    HRESULT GetMediaType(int index, CMediaType* mt) override
    {
        if (index != 0)
            return VFW_S_NO_MORE_ITEMS;
        mt->InitMediaType();
        mt->SetType(&MEDIATYPE_AnalogVideo);
        mt->SetSubtype(&MEDIASUBTYPE_AnalogVideo_PAL_B);
        mt->SetFormatType(&FORMAT_None);
        return S_OK;
    }

protected:
    // An analog connection carries no samples.
    HRESULT OnReceive(IMediaSample*) override { return S_OK; }
};

// --- the video outputs ---

class CCaptureFilter::CVideoOutPin : public dshow::CSourceStream,
                                     public IAMStreamConfig,
                                     public IKsPropertySet,
                                     public IAMDroppedFrames
{
public:
    CVideoOutPin(CCaptureFilter* filter, const wchar_t* name, const GUID& category)
        : CSourceStream(filter, name), m_category(category), m_bFormatSet(false)
    {
    }

    DSHOW_PIN_IUNKNOWN

    HRESULT CheckMediaType(const AM_MEDIA_TYPE* mt) override
    {
        const dshow::VideoPixelFormat* format = NULL;
        const VIDEOINFOHEADER* vih = CheckFormat(mt, &format);
        if (!vih)
            return VFW_E_TYPE_NOT_ACCEPTED;
        if (m_bFormatSet) {
            // Once the application chose a format, only that one connects.
            const VIDEOINFOHEADER* chosen = reinterpret_cast<const VIDEOINFOHEADER*>(m_format.pbFormat);
            if (mt->subtype != m_format.subtype || vih->bmiHeader.biWidth != chosen->bmiHeader.biWidth ||
                vih->bmiHeader.biHeight != chosen->bmiHeader.biHeight)
                return VFW_E_TYPE_NOT_ACCEPTED;
        }
        return S_OK;
    }

    HRESULT GetMediaType(int index, CMediaType* mt) override
    {
        if (m_bFormatSet) {
            if (index != 0)
                return VFW_S_NO_MORE_ITEMS;
            return mt->Set(m_format);
        }
        if (index < 0 || index >= kPixelFormatCount)
            return VFW_S_NO_MORE_ITEMS;
        return DefaultType(index, mt);
    }

    // IAMStreamConfig
    STDMETHODIMP SetFormat(AM_MEDIA_TYPE* mt) override
    {
        if (!mt)
            return E_POINTER;
        CAutoMutex lock(m_pFilter->StateLock());
        if (m_pFilter->State() != State_Stopped)
            return VFW_E_NOT_STOPPED;
        if (!CheckFormat(mt, NULL))
            return VFW_E_INVALIDMEDIATYPE;
        CMediaType chosen;
        HRESULT hr = chosen.Set(*mt);
        if (FAILED(hr))
            return hr;
        VIDEOINFOHEADER* vih = reinterpret_cast<VIDEOINFOHEADER*>(chosen.pbFormat);
        if (vih->AvgTimePerFrame == 0)
            vih->AvgTimePerFrame = CVirtualCard::Instance().FrameInterval();
        vih->bmiHeader.biSizeImage = dshow::VideoImageSize(vih->bmiHeader.biWidth,
                                                           vih->bmiHeader.biHeight,
                                                           vih->bmiHeader.biBitCount);
        chosen.SetSampleSize(vih->bmiHeader.biSizeImage);
        if (!IsConnected()) {
            m_format = chosen;
            m_bFormatSet = true;
            return S_OK;
        }
        // Connected: the peer must take the new format; then we reconnect
        // with it (we are stopped, so nothing streams meanwhile).
        dshow::ComPtr<IPin> peer(m_pConnected.Get());
        if (peer->QueryAccept(&chosen) != S_OK)
            return VFW_E_INVALIDMEDIATYPE;
        CMediaType previous(m_format);
        bool previousSet = m_bFormatSet;
        m_format = chosen;
        m_bFormatSet = true;
        peer->Disconnect();
        Disconnect();
        hr = Connect(peer.Get(), &m_format);
        if (FAILED(hr)) {
            // Back to the old format, and to the old connection if it takes.
            m_format = previous;
            m_bFormatSet = previousSet;
            Connect(peer.Get(), NULL);
        }
        return hr;
    }

    STDMETHODIMP GetFormat(AM_MEDIA_TYPE** mt) override
    {
        if (!mt)
            return E_POINTER;
        CAutoMutex lock(m_pFilter->StateLock());
        CMediaType current;
        if (IsConnected())
            current = m_mt;
        else if (m_bFormatSet)
            current = m_format;
        else
            DefaultType(0, &current);
        *mt = CreateMediaType(&current);
        return *mt ? S_OK : E_OUTOFMEMORY;
    }

    STDMETHODIMP GetNumberOfCapabilities(int* count, int* size) override
    {
        if (!count || !size)
            return E_POINTER;
        *count = kPixelFormatCount;
        *size = sizeof(VIDEO_STREAM_CONFIG_CAPS);
        return S_OK;
    }

    STDMETHODIMP GetStreamCaps(int index, AM_MEDIA_TYPE** mt, BYTE* caps) override
    {
        if (!mt || !caps)
            return E_POINTER;
        if (index < 0 || index >= kPixelFormatCount)
            return S_FALSE;
        CMediaType type;
        HRESULT hr = DefaultType(index, &type);
        if (FAILED(hr))
            return hr;
        *mt = CreateMediaType(&type);
        if (!*mt)
            return E_OUTOFMEMORY;
        VIDEO_STREAM_CONFIG_CAPS* vscc = reinterpret_cast<VIDEO_STREAM_CONFIG_CAPS*>(caps);
        dshow::FillVideoCaps(vscc, FORMAT_VideoInfo, {kMinWidth, kMinHeight}, {kMaxWidth, kMaxHeight},
                             2, 1, CVirtualCard::FrameIntervalOf(AnalogVideo_NTSC_M), kSlowestInterval,
                             kPixelFormats[index].bitCount);
        vscc->VideoStandard = CVirtualCard::AvailableStandards();
        return S_OK;
    }

    // IKsPropertySet: the pin category.
    STDMETHODIMP Set(REFGUID set, DWORD id, void* instance, DWORD instanceLength, void* data,
                     DWORD dataLength) override
    {
        const dshow::KsPropertyRow* row = NULL;
        return dshow::CheckKsRequest(kPinRows, 1, set, id, kSupportSet, instance, instanceLength,
                                     data, dataLength, &row);
    }
    STDMETHODIMP Get(REFGUID set, DWORD id, void* instance, DWORD instanceLength, void* data,
                     DWORD dataLength, DWORD* returned) override
    {
        const dshow::KsPropertyRow* row = NULL;
        HRESULT hr = dshow::CheckKsRequest(kPinRows, 1, set, id, kSupportGet, instance,
                                           instanceLength, data, dataLength, &row);
        if (FAILED(hr))
            return hr;
        *static_cast<GUID*>(data) = m_category;
        if (returned)
            *returned = sizeof(GUID);
        return S_OK;
    }
    STDMETHODIMP QuerySupported(REFGUID set, DWORD id, DWORD* support) override
    {
        return dshow::QueryKsSupport(kPinRows, 1, set, id, support);
    }

    // IAMDroppedFrames
    STDMETHODIMP GetNumDropped(long* dropped) override
    {
        if (!dropped)
            return E_POINTER;
        *dropped = SkippedCount();
        return S_OK;
    }
    STDMETHODIMP GetNumNotDropped(long* delivered) override
    {
        if (!delivered)
            return E_POINTER;
        *delivered = DeliveredCount();
        return S_OK;
    }
    STDMETHODIMP GetDroppedInfo(long size, long* frames, long* copied) override
    {
        return SkippedFrames(size, frames, copied);
    }
    STDMETHODIMP GetAverageFrameSize(long* size) override
    {
        if (!size)
            return E_POINTER;
        *size = IsConnected() ? static_cast<long>(m_mt.GetSampleSize()) : 0;
        return S_OK;
    }

protected:
    HRESULT QueryPinInterface(REFIID iid, void** out) override
    {
        using Row = ComInterface<CVideoOutPin>;
        static constexpr Row kRows[] = {
            Row::Via<IAMStreamConfig>(IID_IAMStreamConfig),
            Row::Via<IKsPropertySet>(IID_IKsPropertySet),
            Row::Via<IAMDroppedFrames>(IID_IAMDroppedFrames),
        };
        return QueryInterfaceTable(this, kRows, iid, out, [&] { return CSourceStream::QueryPinInterface(iid, out); });
    }

    HRESULT DecideBufferSize(IMemAllocator* allocator, ALLOCATOR_PROPERTIES* request) override
    {
        const VIDEOINFOHEADER* vih = reinterpret_cast<const VIDEOINFOHEADER*>(m_mt.pbFormat);
        // Three frames: one being drawn, one at the renderer, one spare.
        request->cBuffers = request->cBuffers > 3 ? request->cBuffers : 3;
        request->cbBuffer = static_cast<long>(FrameBytes(vih->bmiHeader));
        ALLOCATOR_PROPERTIES actual;
        HRESULT hr = allocator->SetProperties(request, &actual);
        if (FAILED(hr))
            return hr;
        return actual.cbBuffer < request->cbBuffer ? E_FAIL : S_OK;
    }

    HRESULT FillBuffer(IMediaSample* sample, REFERENCE_TIME time) override
    {
        BYTE* data = NULL;
        HRESULT hr = sample->GetPointer(&data);
        if (FAILED(hr))
            return hr;
        const VIDEOINFOHEADER* vih = reinterpret_cast<const VIDEOINFOHEADER*>(m_mt.pbFormat);
        PictureState state = CVirtualCard::Instance().Snapshot();
        hr = m_generator.Render(state, time, FrameInterval(), vih->bmiHeader, data,
                                static_cast<size_t>(sample->GetSize()));
        if (FAILED(hr))
            return hr;
        return sample->SetActualDataLength(static_cast<long>(FrameBytes(vih->bmiHeader)));
    }

    REFERENCE_TIME FrameInterval() override
    {
        // The standard's rate, or slower when the application chose a
        // format that asks for it. Read on the streaming thread; the chosen
        // format changes only while stopped.
        REFERENCE_TIME interval = CVirtualCard::Instance().FrameInterval();
        const VIDEOINFOHEADER* vih =
            m_bFormatSet ? reinterpret_cast<const VIDEOINFOHEADER*>(m_format.pbFormat) : NULL;
        if (vih && vih->AvgTimePerFrame > interval)
            interval = vih->AvgTimePerFrame > kSlowestInterval ? kSlowestInterval : vih->AvgTimePerFrame;
        return interval;
    }

private:
    static const VIDEOINFOHEADER* CheckFormat(const AM_MEDIA_TYPE* mt,
                                              const dshow::VideoPixelFormat** format)
    {
        const dshow::VideoPixelFormat* found = NULL;
        const VIDEOINFOHEADER* vih = dshow::CheckVideoInfoType(mt, kPixelFormats, kPixelFormatCount,
                                                               kMaxWidth, kMaxHeight, &found);
        if (!vih)
            return NULL;
        const BITMAPINFOHEADER& bmi = vih->bmiHeader;
        LONG height = bmi.biHeight < 0 ? -bmi.biHeight : bmi.biHeight;
        if (bmi.biWidth < kMinWidth || height < kMinHeight || (bmi.biWidth & 1) ||
            bmi.biCompression != found->compression || vih->AvgTimePerFrame < 0)
            return NULL;
        // YUY2 is always top-down; a negative height would be a caller's mistake.
        if (found->compression != BI_RGB && bmi.biHeight < 0)
            return NULL;
        if (format)
            *format = found;
        return vih;
    }

    // What a frame takes. A peer may propose a type whose biSizeImage is 0
    // (allowed for these formats), so it is worked out, never taken as given.
    static DWORD FrameBytes(const BITMAPINFOHEADER& bmi)
    {
        return dshow::VideoImageSize(bmi.biWidth, bmi.biHeight, bmi.biBitCount);
    }

    HRESULT DefaultType(int index, CMediaType* mt)
    {
        return dshow::MakeVideoInfoType(kPixelFormats[index], kMaxWidth, kMaxHeight,
                                        CVirtualCard::Instance().FrameInterval(), mt);
    }

    GUID m_category;
    CMediaType m_format;   // the format SetFormat chose; valid when m_bFormatSet
    bool m_bFormatSet;
    CPictureGenerator m_generator;
};

// --- the filter ---

HRESULT CCaptureFilter::Create(IUnknown** out)
{
    return Make(false, out);
}

HRESULT CCaptureFilter::CreateBda(IUnknown** out)
{
    return Make(true, out);
}

HRESULT CCaptureFilter::Make(bool bda, IUnknown** out)
{
    if (!out)
        return E_POINTER;
    CCaptureFilter* filter = new (std::nothrow) CCaptureFilter(bda);
    if (!filter)
        return E_OUTOFMEMORY;
    if (!filter->m_pAnalogIn || !filter->m_pCapture || !filter->m_pPreview) {
        filter->Release();
        return E_OUTOFMEMORY;
    }
    *out = static_cast<IBaseFilter*>(filter);
    return S_OK;
}

CCaptureFilter::CCaptureFilter(bool bda)
    : CBaseFilter(bda ? CLSID_VirtualCardBdaCapture : CLSID_VirtualCardCapture,
                  bda ? kBdaCaptureName : kCaptureName),
      m_pAnalogIn(new (std::nothrow) CAnalogInPin(this)),
      m_pCapture(new (std::nothrow) CVideoOutPin(this, L"Capture", PIN_CATEGORY_CAPTURE)),
      m_pPreview(new (std::nothrow) CVideoOutPin(this, L"Preview", PIN_CATEGORY_PREVIEW)),
      m_lVcrLocking(0), m_lOutputEnable(kOaTrue), m_bBda(bda)
{
}

CCaptureFilter::~CCaptureFilter()
{
    delete m_pPreview;
    delete m_pCapture;
    delete m_pAnalogIn;
}

dshow::CBasePin* CCaptureFilter::GetPin(int index)
{
    switch (index) {
    case 0: return m_pAnalogIn;
    case 1: return m_pCapture;
    case 2: return m_pPreview;
    default: return NULL;
    }
}

HRESULT CCaptureFilter::QueryFilterInterface(REFIID iid, void** out)
{
    // Kernel-streaming control only under the BDA personality.
    if (iid == IID_IKsControl && !m_bBda)
        return CBaseFilter::QueryFilterInterface(iid, out);
    using Row = ComInterface<CCaptureFilter>;
    static constexpr Row kRows[] = {
        Row::Via<IKsPropertySet>(IID_IKsPropertySet),
        Row::Via<IAMAnalogVideoDecoder>(IID_IAMAnalogVideoDecoder),
        Row::Via<IAMVideoProcAmp>(IID_IAMVideoProcAmp),
        Row::Via<IKsControl>(IID_IKsControl),
    };
    return QueryInterfaceTable(this, kRows, iid, out, [&] { return CBaseFilter::QueryFilterInterface(iid, out); });
}

// IKsPropertySet: the common set, and nothing else (the Bt878 probe of the
// card filter must fail here); under the BDA personality the BDA driver's
// three sets and nothing else.

STDMETHODIMP CCaptureFilter::Set(REFGUID set, DWORD id, void* instance, DWORD instanceLength,
                                 void* data, DWORD dataLength)
{
    if (m_bBda)
        return CVirtualCard::Instance().SetHesk(set, id, instance, instanceLength, data, dataLength);
    const dshow::KsPropertyRow* row = NULL;
    HRESULT hr = dshow::CheckKsRequest(kCommonRows, kCommonRowCount, set, id, kSupportSet, instance,
                                       instanceLength, data, dataLength, &row);
    if (FAILED(hr))
        return hr;
    return CVirtualCard::Instance().SetCommon(id, static_cast<BYTE*>(data), dataLength);
}

STDMETHODIMP CCaptureFilter::Get(REFGUID set, DWORD id, void* instance, DWORD instanceLength,
                                 void* data, DWORD dataLength, DWORD* returned)
{
    if (m_bBda)
        return CVirtualCard::Instance().GetHesk(set, id, instance, instanceLength, data, dataLength,
                                                returned);
    const dshow::KsPropertyRow* row = NULL;
    HRESULT hr = dshow::CheckKsRequest(kCommonRows, kCommonRowCount, set, id, kSupportGet, instance,
                                       instanceLength, data, dataLength, &row);
    if (FAILED(hr))
        return hr;
    hr = CVirtualCard::Instance().GetCommon(id, static_cast<BYTE*>(data), dataLength);
    if (SUCCEEDED(hr) && returned)
        *returned = row->minData;
    return hr;
}

STDMETHODIMP CCaptureFilter::QuerySupported(REFGUID set, DWORD id, DWORD* support)
{
    if (m_bBda)
        return CVirtualCard::Instance().QueryHesk(set, id, support);
    return dshow::QueryKsSupport(kCommonRows, kCommonRowCount, set, id, support);
}

STDMETHODIMP CCaptureFilter::KsProperty(PKSPROPERTY property, ULONG propertyLength, LPVOID data,
                                        ULONG dataLength, ULONG* returned)
{
    if (!property || propertyLength < sizeof(KSPROPERTY))
        return E_INVALIDARG;
    // The instance data follows the header.
    BYTE* instance = reinterpret_cast<BYTE*>(property) + sizeof(KSPROPERTY);
    ULONG instanceLength = propertyLength - sizeof(KSPROPERTY);
    DWORD got = 0;
    HRESULT hr;
    switch (property->Flags) {
    case KSPROPERTY_TYPE_GET:
        hr = Get(property->Set, property->Id, instanceLength ? instance : NULL, instanceLength, data,
                 dataLength, &got);
        break;
    case KSPROPERTY_TYPE_SET:
        hr = Set(property->Set, property->Id, instanceLength ? instance : NULL, instanceLength, data,
                 dataLength);
        break;
    default:
        return E_NOTIMPL;
    }
    if (returned)
        *returned = got;
    return hr;
}

// IAMAnalogVideoDecoder

STDMETHODIMP CCaptureFilter::get_AvailableTVFormats(long* formats)
{
    if (!formats)
        return E_POINTER;
    *formats = CVirtualCard::AvailableStandards();
    return S_OK;
}

STDMETHODIMP CCaptureFilter::put_TVFormat(long format)
{
    // Also while running: the streams read the frame rate frame by frame.
    return CVirtualCard::Instance().SetStandard(format);
}

STDMETHODIMP CCaptureFilter::get_TVFormat(long* format)
{
    if (!format)
        return E_POINTER;
    *format = CVirtualCard::Instance().Standard();
    return S_OK;
}

STDMETHODIMP CCaptureFilter::get_HorizontalLocked(long* locked)
{
    if (!locked)
        return E_POINTER;
    *locked = CVirtualCard::Instance().HorizontalLocked() ? 1 : 0;
    return S_OK;
}

STDMETHODIMP CCaptureFilter::put_VCRHorizontalLocking(long vcr)
{
    m_lVcrLocking = vcr ? 1 : 0;
    return S_OK;
}

STDMETHODIMP CCaptureFilter::get_VCRHorizontalLocking(long* vcr)
{
    if (!vcr)
        return E_POINTER;
    *vcr = m_lVcrLocking;
    return S_OK;
}

STDMETHODIMP CCaptureFilter::get_NumberOfLines(long* lines)
{
    if (!lines)
        return E_POINTER;
    *lines = CVirtualCard::Instance().FrameInterval() == CVirtualCard::FrameIntervalOf(AnalogVideo_NTSC_M)
                 ? 525
                 : 625;
    return S_OK;
}

STDMETHODIMP CCaptureFilter::put_OutputEnable(long enable)
{
    m_lOutputEnable = enable ? kOaTrue : kOaFalse;
    return S_OK;
}

STDMETHODIMP CCaptureFilter::get_OutputEnable(long* enable)
{
    if (!enable)
        return E_POINTER;
    *enable = m_lOutputEnable;
    return S_OK;
}

// IAMVideoProcAmp

STDMETHODIMP CCaptureFilter::GetRange(long property, long* minimum, long* maximum, long* step,
                                      long* defaultValue, long* flags)
{
    if (!minimum || !maximum || !step || !defaultValue || !flags)
        return E_POINTER;
    const ProcAmpRange* range = CVirtualCard::FindProcAmpRange(property);
    if (!range)
        return E_PROP_ID_UNSUPPORTED;
    *minimum = range->minimum;
    *maximum = range->maximum;
    *step = range->step;
    *defaultValue = range->defaultValue;
    *flags = VideoProcAmp_Flags_Manual;
    return S_OK;
}

STDMETHODIMP CCaptureFilter::Set(long property, long value, long flags)
{
    // The decoder has no automatic mode.
    if (flags != VideoProcAmp_Flags_Manual)
        return E_INVALIDARG;
    return CVirtualCard::Instance().SetProcAmp(property, value);
}

STDMETHODIMP CCaptureFilter::Get(long property, long* value, long* flags)
{
    if (!value || !flags)
        return E_POINTER;
    HRESULT hr = CVirtualCard::Instance().GetProcAmp(property, value);
    if (SUCCEEDED(hr))
        *flags = VideoProcAmp_Flags_Manual;
    return hr;
}

} // namespace virtualcard

#include "cards/families/UsbCamFilter.h"

#include "cards/families/CardRecords.h"
#include "graph/ComPtr.h"
#include "graph/MediaTypePtr.h"
#include "graph/RootGraph.h"

namespace {

// FOURCC "I420" as a video subtype (not among mingw's subtypes).
const GUID kSubtypeI420 = {0x30323449, 0x0000, 0x0010, {0x80, 0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71}};

// Tested in this order when reading a format.
const SubtypeCode kReadCodes[] = {
    {&MEDIASUBTYPE_RGB555, 0}, {&MEDIASUBTYPE_RGB24, 1}, {&MEDIASUBTYPE_YV12, 4},
    {&MEDIASUBTYPE_YUY2, 2},   {&MEDIASUBTYPE_YVU9, 3},
};
// The codes a format may be set with; any other gives YUY2.
const SubtypeCode kWriteCodes[] = {
    {&MEDIASUBTYPE_RGB555, 0}, {&MEDIASUBTYPE_RGB24, 1}, {&MEDIASUBTYPE_YVU9, 3},
    {&MEDIASUBTYPE_YV12, 4},   {&kSubtypeI420, 5},
};

FilterCreatorRecord g_records[] = {
    CAPTURE_RECORD("Usb_Cam_Capture", CNoteCamFilter),
};

// The first output pin of the filter, or NULL.
HRESULT FirstOutputPin(IBaseFilter* filter, IPin** out)
{
    ComPtr<IEnumPins> pins;
    HRESULT hr = filter->EnumPins(&pins);
    if (FAILED(hr) || !pins)
        return FAILED(hr) ? hr : E_FAIL;
    for (;;) {
        ComPtr<IPin> pin;
        ULONG fetched = 0;
        if (pins->Next(1, &pin, &fetched) != S_OK || fetched != 1 || !pin)
            return S_FALSE;
        PIN_DIRECTION direction;
        if (SUCCEEDED(pin->QueryDirection(&direction)) && direction == PINDIR_OUTPUT) {
            *out = pin.Get();
            (*out)->AddRef();
            return S_OK;
        }
    }
}

} // namespace

void RegisterUsbCamFilters() { RegisterRecords(g_records); }
void UnregisterUsbCamFilters() { UnregisterRecords(g_records); }

CUsbCamFilter::CUsbCamFilter(CRootGraph* owner, const GUID* category, const char* friendlyName,
                             BOOL firstMatch)
    : CRootFilter(owner, category, friendlyName, firstMatch), m_bI420(FALSE)
{
}

CUsbCamFilter::CUsbCamFilter(CRootGraph* owner, const CLSID* clsid)
    : CRootFilter(owner, clsid), m_bI420(FALSE)
{
}

HRESULT CUsbCamFilter::GetTVFormats(long* current, long* available)
{
    return CCaptureControls(*this).GetTVFormats(current, available);
}

HRESULT CUsbCamFilter::PutTVFormat(long standard)
{
    return CCaptureControls(*this).PutTVFormat(standard);
}

HRESULT CUsbCamFilter::SetProcAmp(long property, long value)
{
    return CCaptureControls(*this).SetProcAmp(property, value);
}

HRESULT CUsbCamFilter::GetProcAmpRange(long property, ProcAmpRange* range)
{
    return CCaptureControls(*this).GetProcAmpRange(property, range);
}

HRESULT CUsbCamFilter::GetStreamFormat(AM_MEDIA_TYPE** mt, int which)
{
    return CCaptureControls(*this).GetStreamFormat(mt, which);
}

HRESULT CUsbCamFilter::GetVideoFormat(VideoFormat* rec, int which)
{
    return CCaptureControls(*this).GetVideoFormat(rec, which, kReadCodes,
                                                  sizeof(kReadCodes) / sizeof(kReadCodes[0]));
}

HRESULT CUsbCamFilter::SetVideoFormat(VideoFormat rec, int which)
{
    const GUID& subtype = CCaptureControls::SubtypeOf(
        rec.format, kWriteCodes, sizeof(kWriteCodes) / sizeof(kWriteCodes[0]), MEDIASUBTYPE_YUY2);
    return CCaptureControls(*this).SetVideoFormat(rec, which, subtype);
}

BOOL CUsbCamFilter::SetResolution(int width, int height)
{
    if (width < 1 || height < 1)
        return FALSE;
    CCaptureControls controls(*this);
    VideoFormat rec;
    GUID subtype = GUID_NULL;
    if (FAILED(controls.GetVideoFormat(&rec, 1, kReadCodes, sizeof(kReadCodes) / sizeof(kReadCodes[0]),
                                       &subtype)))
        return FALSE;
    if (width > kMaxWidth || height > kMaxHeight) {
        width = kMaxWidth;
        height = kMaxHeight;
    }
    rec.bmiHeader.biWidth = width;
    rec.bmiHeader.biHeight = height;
    // The subtype as read: a format without a code of its own (I420) keeps
    // its colour format rather than taking YUY2 over its bit depth.
    return SUCCEEDED(controls.SetVideoFormat(rec, 1, subtype));
}

BOOL CUsbCamFilter::SupportsI420()
{
    if (!m_pFilter)
        return FALSE;
    ComPtr<IPin> pin;
    if (FirstOutputPin(m_pFilter, &pin) != S_OK)
        return FALSE;
    ComPtr<IEnumMediaTypes> types;
    if (FAILED(pin->EnumMediaTypes(&types)) || !types)
        return FALSE;
    CMediaTypePtr mt;
    for (;;) {
        ULONG fetched = 0;
        if (types->Next(1, &mt, &fetched) != S_OK || fetched != 1 || !mt)
            return FALSE;
        if (IsEqualGUID(mt->subtype, kSubtypeI420))
            return TRUE;
    }
}

BOOL CUsbCamFilter::InitCamera()
{
    m_bI420 = SupportsI420();
    return CRootFilter::Init();
}

BOOL CUsbCamFilter::ShowPropertyPage(int which, HWND parent, const char* caption, int category)
{
    CRootGraph* graph = GetOwnerGraph();
    if (!m_pFilter || (graph && graph->GetState() != 0))
        return FALSE;
    if (which == 0)
        return ShowPropertyPages(parent, caption) == S_OK;
    if (which != 1)
        return FALSE;
    ComPtr<IAMStreamConfig> config;
    if (FAILED(CCaptureControls(*this).FindStreamConfig(category == 1 ? 1 : 0, &config)) || !config)
        return FALSE;
    return ShowObjectPropertyPages(config.Get(), parent, caption) == S_OK;
}

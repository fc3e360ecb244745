#include "platform/standins/DeinterlaceStandin.h"

#include "graph/AutoMutex.h"
#include "graph/BitmapFile.h"
#include "graph/Guids.h"
#include "graph/NameText.h"
#include "platform/standins/JpegFile.h"
#include "platform/dshow/VideoFormat.h"

#include <string.h>
#include <uuids.h>

#include <new>

namespace standins {

namespace {

const dshow::VideoPixelFormat kYuy2 = {&MEDIASUBTYPE_YUY2, 16, MAKEFOURCC('Y', 'U', 'Y', '2')};
const dshow::VideoPixelFormat kRgb32 = {&MEDIASUBTYPE_RGB32, 32, BI_RGB};
const dshow::VideoPixelFormat kInputFormats[] = {kYuy2, kRgb32};
// Larger than any capture size of the cards.
const LONG kMaxWidth = 1920, kMaxHeight = 1088;

const short kTrue16 = -1, kFalse16 = 0;
const int kMaxReduceValue = 10;
const int kBitmapFormat = 1, kJpegFormat = 2;

const VIDEOINFOHEADER* VideoInfo(const AM_MEDIA_TYPE& mt)
{
    return dshow::CheckVideoInfoType(&mt, kInputFormats, 2, kMaxWidth, kMaxHeight, NULL);
}

bool IsYuy2(const AM_MEDIA_TYPE& mt)
{
    return mt.subtype == MEDIASUBTYPE_YUY2;
}

// The 16-bit truth values only.
HRESULT StoreBool16(CRITICAL_SECTION* lock, short* field, short value)
{
    if (value != kTrue16 && value != kFalse16)
        return E_INVALIDARG;
    CAutoMutex guard(lock);
    *field = value;
    return S_OK;
}

template <class T>
HRESULT Read(CRITICAL_SECTION* lock, const T& field, T* out)
{
    if (!out)
        return E_POINTER;
    CAutoMutex guard(lock);
    *out = field;
    return S_OK;
}

// A 24-bit picture of a YUY2 or RGB32 frame, bottom-up as bitmaps are.
bool ToBitmap24(const BITMAPINFOHEADER& in, bool yuy2, const std::vector<BYTE>& bytes,
                BITMAPINFOHEADER* out, std::vector<BYTE>* pixels)
{
    const LONG width = in.biWidth;
    const LONG height = in.biHeight < 0 ? -in.biHeight : in.biHeight;
    if (bytes.size() < dshow::VideoImageSize(width, height, in.biBitCount))
        return false;
    *out = BITMAPINFOHEADER();
    out->biSize = sizeof(BITMAPINFOHEADER);
    out->biWidth = width;
    out->biHeight = height;
    out->biPlanes = 1;
    out->biBitCount = 24;
    out->biCompression = BI_RGB;
    pixels->resize(dshow::VideoImageSize(width, height, 24));
    if (yuy2) {
        dshow::Yuy2ToRgb(bytes.data(), width, height, pixels->data(), 3, true);
        return true;
    }
    // RGB32 rows, bottom-up for a positive height, top-down otherwise.
    const size_t inStride = static_cast<size_t>(width) * 4;
    const size_t outStride = (static_cast<size_t>(width) * 3 + 3) & ~static_cast<size_t>(3);
    for (LONG y = 0; y < height; ++y) {
        const BYTE* src = bytes.data() + inStride * y;
        BYTE* dst = pixels->data() + outStride * (in.biHeight > 0 ? y : height - 1 - y);
        for (LONG x = 0; x < width; ++x, src += 4, dst += 3)
            memcpy(dst, src, 3);
    }
    return true;
}

} // namespace

HRESULT CDeinterlaceStandin::Create(IUnknown** out)
{
    if (!out)
        return E_POINTER;
    CDeinterlaceStandin* filter = new (std::nothrow) CDeinterlaceStandin();
    if (!filter)
        return E_OUTOFMEMORY;
    *out = static_cast<IBaseFilter*>(filter);
    return S_OK;
}

CDeinterlaceStandin::CDeinterlaceStandin()
    : CPassThroughFilter(CLSID_DeinterlaceFilter, L"Deinterlace"), m_nMode(0),
      m_nNoiseReduce(kFalse16), m_nHalfRate(kFalse16), m_nCaptureOption(kFalse16), m_nReduceValue(0),
      m_bPictureWanted(false), m_hPictureTaken(CreateEventA(NULL, TRUE, FALSE, NULL))
{
    InitializeCriticalSection(&m_csSettings);
    InitializeCriticalSection(&m_csSnapshot);
    InitializeCriticalSection(&m_csPicture);
    m_pInput = AddInput(L"Input");
    AddOutput(L"Preview", m_pInput);
    AddOutput(L"Capture", m_pInput);
}

CDeinterlaceStandin::~CDeinterlaceStandin()
{
    if (m_hPictureTaken)
        CloseHandle(m_hPictureTaken);
    DeleteCriticalSection(&m_csPicture);
    DeleteCriticalSection(&m_csSnapshot);
    DeleteCriticalSection(&m_csSettings);
}

HRESULT CDeinterlaceStandin::QueryFilterInterface(REFIID iid, void** out)
{
    using Row = ComInterface<CDeinterlaceStandin>;
    static constexpr Row kRows[] = {Row::Via<IDeinterlaceControl>(IID_IDeinterlaceControl)};
    return QueryInterfaceTable(this, kRows, iid, out, [&] { return CPassThroughFilter::QueryFilterInterface(iid, out); });
}

HRESULT CDeinterlaceStandin::CheckInputType(CForwardInputPin*, const AM_MEDIA_TYPE* mt)
{
    return VideoInfo(*mt) ? S_OK : VFW_E_TYPE_NOT_ACCEPTED;
}

HRESULT CDeinterlaceStandin::GetExtraOutputType(CForwardOutputPin* pin, int index, CMediaType* mt)
{
    // A YUY2 picture is offered as RGB32 as well: top-down first, then
    // bottom-up. (Wine's 64-bit enhanced renderer misplaces the rows of a
    // bottom-up picture and reads outside the sample; top-down it copies
    // as it stands.)
    const CMediaType& input = pin->Source()->ConnectedType();
    const VIDEOINFOHEADER* vih = VideoInfo(input);
    if (index < 0 || index > 1 || !vih || !IsYuy2(input))
        return VFW_S_NO_MORE_ITEMS;
    const LONG height = vih->bmiHeader.biHeight < 0 ? -vih->bmiHeader.biHeight : vih->bmiHeader.biHeight;
    HRESULT hr = dshow::MakeVideoInfoType(kRgb32, vih->bmiHeader.biWidth, height, vih->AvgTimePerFrame, mt);
    if (SUCCEEDED(hr) && index == 0)
        reinterpret_cast<VIDEOINFOHEADER*>(mt->pbFormat)->bmiHeader.biHeight = -height;
    return hr;
}

HRESULT CDeinterlaceStandin::CheckOutputType(CForwardOutputPin* pin, const AM_MEDIA_TYPE* mt)
{
    if (CPassThroughFilter::CheckOutputType(pin, mt) == S_OK)
        return S_OK;
    // The RGB32 picture of the same size, either way up, whatever the peer
    // wrote around it.
    const VIDEOINFOHEADER* offered =
        dshow::CheckVideoInfoType(mt, &kRgb32, 1, kMaxWidth, kMaxHeight, NULL);
    for (int index = 0; offered && index < 2; ++index) {
        CMediaType rgb;
        if (GetExtraOutputType(pin, index, &rgb) != S_OK)
            return VFW_E_TYPE_NOT_ACCEPTED;
        const VIDEOINFOHEADER* own = reinterpret_cast<const VIDEOINFOHEADER*>(rgb.pbFormat);
        if (offered->bmiHeader.biWidth == own->bmiHeader.biWidth &&
            offered->bmiHeader.biHeight == own->bmiHeader.biHeight)
            return S_OK;
    }
    return VFW_E_TYPE_NOT_ACCEPTED;
}

HRESULT CDeinterlaceStandin::OnSample(CForwardInputPin* pin, IMediaSample* sample)
{
    BYTE* data = NULL;
    if (FAILED(sample->GetPointer(&data)) || !data)
        return S_OK;
    const long length = sample->GetActualDataLength();
    {
        // Copied only for a snapshot that waits for it.
        CAutoMutex lock(&m_csPicture);
        if (m_bPictureWanted) {
            m_picture.assign(data, data + (length > 0 ? length : 0));
            m_bPictureWanted = false;
            SetEvent(m_hPictureTaken);
        }
    }
    for (int i = 0; i < GetPinCount(); ++i) {
        CForwardOutputPin* out = dynamic_cast<CForwardOutputPin*>(GetPin(i));
        if (out && out->Source() == pin && out->IsConnected())
            CopyTo(out, sample, data, length);
    }
    return S_OK;
}

HRESULT CDeinterlaceStandin::CopyTo(CForwardOutputPin* out, IMediaSample* sample, const BYTE* data,
                                    long length)
{
    ComPtr<IMediaSample> copy;
    HRESULT hr = out->GetDeliveryBuffer(&copy);
    if (FAILED(hr))
        return hr;
    BYTE* dst = NULL;
    if (FAILED(copy->GetPointer(&dst)) || !dst)
        return E_FAIL;
    const long room = copy->GetSize();
    const CMediaType& input = m_pInput->ConnectedType();
    if (out->ConnectedType().subtype == input.subtype) {
        long n = length < room ? length : room;
        memcpy(dst, data, n > 0 ? n : 0);
        copy->SetActualDataLength(n > 0 ? n : 0);
    } else {
        const BITMAPINFOHEADER& bmi = VideoInfo(input)->bmiHeader;
        const DWORD need = dshow::VideoImageSize(bmi.biWidth, bmi.biHeight, 32);
        if (static_cast<DWORD>(room) < need ||
            static_cast<DWORD>(length) < dshow::VideoImageSize(bmi.biWidth, bmi.biHeight, 16))
            return E_FAIL;
        const LONG height = bmi.biHeight < 0 ? -bmi.biHeight : bmi.biHeight;
        const bool bottomUp = VideoInfo(out->ConnectedType())->bmiHeader.biHeight > 0;
        dshow::Yuy2ToRgb(data, bmi.biWidth, height, dst, 4, bottomUp);
        copy->SetActualDataLength(static_cast<long>(need));
    }
    CopySampleProperties(sample, copy.Get());
    return out->Deliver(copy.Get());
}

STDMETHODIMP CDeinterlaceStandin::SetDeinterlace(int mode)
{
    CAutoMutex lock(&m_csSettings);
    m_nMode = mode;
    return S_OK;
}

STDMETHODIMP CDeinterlaceStandin::GetNoiseReduce(short* on)
{
    return Read(&m_csSettings, m_nNoiseReduce, on);
}

STDMETHODIMP CDeinterlaceStandin::SetNoiseReduce(short on)
{
    return StoreBool16(&m_csSettings, &m_nNoiseReduce, on);
}

STDMETHODIMP CDeinterlaceStandin::GetHalfRate(short* on)
{
    return Read(&m_csSettings, m_nHalfRate, on);
}

STDMETHODIMP CDeinterlaceStandin::SetHalfRate(short on)
{
    return StoreBool16(&m_csSettings, &m_nHalfRate, on);
}

STDMETHODIMP CDeinterlaceStandin::GetReduceValue(int* level)
{
    return Read(&m_csSettings, m_nReduceValue, level);
}

STDMETHODIMP CDeinterlaceStandin::SetReduceValue(int level)
{
    if (level < 0 || level > kMaxReduceValue)
        return E_INVALIDARG;
    CAutoMutex lock(&m_csSettings);
    m_nReduceValue = level;
    return S_OK;
}

STDMETHODIMP CDeinterlaceStandin::SetCaptureOption(short on)
{
    return StoreBool16(&m_csSettings, &m_nCaptureOption, on);
}

STDMETHODIMP CDeinterlaceStandin::TakeSnapshot(const wchar_t* path, int format, int quality)
{
    if (!path)
        return E_POINTER;
    if ((format != kBitmapFormat && format != kJpegFormat) || quality < 0 || quality > 100)
        return E_INVALIDARG;
    char file[MAX_PATH];
    if (!zunk::WideToAnsi(path, file, sizeof(file)) || !file[0])
        return E_INVALIDARG;
    if (!m_pInput->IsConnected())
        return VFW_E_NOT_CONNECTED;
    // The input's format is fixed while it is connected.
    const CMediaType input(m_pInput->ConnectedType());
    const VIDEOINFOHEADER* vih = VideoInfo(input);
    if (!m_hPictureTaken)
        return E_OUTOFMEMORY;
    std::vector<BYTE> frame;
    {
        CAutoMutex snapshot(&m_csSnapshot);
        {
            CAutoMutex lock(&m_csPicture);
            m_picture.clear();
            m_bPictureWanted = true;
            ResetEvent(m_hPictureTaken);
        }
        WaitForSingleObject(m_hPictureTaken, kSnapshotWaitMs);
        CAutoMutex lock(&m_csPicture);
        m_bPictureWanted = false;
        frame.swap(m_picture);
    }
    if (!vih || frame.empty())
        return VFW_E_WRONG_STATE;
    BITMAPINFOHEADER header;
    std::vector<BYTE> pixels;
    if (!ToBitmap24(vih->bmiHeader, IsYuy2(input), frame, &header, &pixels))
        return VFW_E_WRONG_STATE;
    const BOOL saved = format == kJpegFormat
                           ? SaveJpegFile(file, header, pixels.data(), pixels.size(), quality)
                           : zunk::SaveBitmapFile(file, header, pixels.data(), pixels.size());
    return saved ? S_OK : E_FAIL;
}

} // namespace standins

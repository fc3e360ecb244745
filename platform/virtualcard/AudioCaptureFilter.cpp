#include "platform/virtualcard/AudioCaptureFilter.h"

#include "graph/AutoMutex.h"
#include "platform/dshow/PropertySet.h"
#include "platform/dshow/SourceStream.h"
#include "platform/virtualcard/VirtualCard.h"
#include "platform/virtualcard/VirtualCardIds.h"

#include <uuids.h>

#include <cmath>
#include <new>

namespace virtualcard {

namespace {

using dshow::kSupportGet;
using dshow::kSupportSet;

const dshow::KsPropertyRow kPinRows[] = {
    {&AMPROPSETID_Pin, AMPROPERTY_PIN_CATEGORY, kSupportGet, 0, sizeof(GUID)},
};

// A quarter of full scale: loud enough to hear, far from clipping.
const double kToneAmplitude = 8192.0;
const double kPi = 3.14159265358979323846;
const REFERENCE_TIME kUnitsPerSecond = 10000000;
const REFERENCE_TIME kBufferInterval =
    AudioCaptureFormat::kSamplesPerBuffer * kUnitsPerSecond / AudioCaptureFormat::kSampleRate;
static_assert(AudioCaptureFormat::kSamplesPerBuffer * kUnitsPerSecond % AudioCaptureFormat::kSampleRate == 0,
              "a buffer lasts a whole number of 100 ns units");

void MakePcmType(CMediaType* mt)
{
    mt->InitMediaType();
    mt->SetType(&MEDIATYPE_Audio);
    mt->SetSubtype(&MEDIASUBTYPE_PCM);
    mt->SetFormatType(&FORMAT_WaveFormatEx);
    const WAVEFORMATEX wfx = AudioCaptureFormat::WaveFormat();
    mt->SetFormat(reinterpret_cast<const BYTE*>(&wfx), sizeof(wfx));
    mt->SetSampleSize(wfx.nBlockAlign);
}

// Our one format, whatever extra bytes a caller wrote after it.
bool IsOurFormat(const AM_MEDIA_TYPE* mt)
{
    if (!mt || mt->majortype != MEDIATYPE_Audio || mt->subtype != MEDIASUBTYPE_PCM ||
        mt->formattype != FORMAT_WaveFormatEx || !mt->pbFormat || mt->cbFormat < sizeof(PCMWAVEFORMAT))
        return false;
    const WAVEFORMATEX& in = *reinterpret_cast<const WAVEFORMATEX*>(mt->pbFormat);
    const WAVEFORMATEX ours = AudioCaptureFormat::WaveFormat();
    return in.wFormatTag == ours.wFormatTag && in.nChannels == ours.nChannels &&
           in.nSamplesPerSec == ours.nSamplesPerSec && in.wBitsPerSample == ours.wBitsPerSample &&
           in.nBlockAlign == ours.nBlockAlign && in.nAvgBytesPerSec == ours.nAvgBytesPerSec;
}

} // namespace

WAVEFORMATEX AudioCaptureFormat::WaveFormat()
{
    WAVEFORMATEX wfx = {};
    wfx.wFormatTag = WAVE_FORMAT_PCM;
    wfx.nChannels = kChannels;
    wfx.nSamplesPerSec = kSampleRate;
    wfx.wBitsPerSample = kBitsPerSample;
    wfx.nBlockAlign = kChannels * (kBitsPerSample / 8);
    wfx.nAvgBytesPerSec = kSampleRate * wfx.nBlockAlign;
    wfx.cbSize = 0;
    return wfx;
}

int CarrierToneHz(double kHz)
{
    const long mhz = static_cast<long>(kHz / 1000.0);
    return 400 + static_cast<int>(mhz % 32) * 10;
}

void FillTone(int hz, LONGLONG first, DWORD count, short* out)
{
    const DWORD rate = AudioCaptureFormat::kSampleRate;
    for (DWORD i = 0; i < count; ++i) {
        short value = 0;
        if (hz > 0) {
            // The phase from the sample number modulo the rate: whole
            // seconds hold whole periods of a tone of whole hertz.
            const LONGLONG n = (first + i) % rate;
            value = static_cast<short>(kToneAmplitude * std::sin(2.0 * kPi * hz * static_cast<double>(n) / rate));
        }
        out[2 * i] = value;
        out[2 * i + 1] = value;
    }
}

// --- the capture output ---

class CAudioCaptureFilter::COutPin : public dshow::CSourceStream, public IAMStreamConfig, public IKsPropertySet
{
public:
    explicit COutPin(CAudioCaptureFilter* filter) : CSourceStream(filter, L"Capture") {}

    DSHOW_PIN_IUNKNOWN

    HRESULT CheckMediaType(const AM_MEDIA_TYPE* mt) override
    {
        return IsOurFormat(mt) ? S_OK : VFW_E_TYPE_NOT_ACCEPTED;
    }
    HRESULT GetMediaType(int index, CMediaType* mt) override
    {
        if (index != 0)
            return VFW_S_NO_MORE_ITEMS;
        MakePcmType(mt);
        return S_OK;
    }

    // IAMStreamConfig: one format, which SetFormat accepts as it stands.
    STDMETHODIMP SetFormat(AM_MEDIA_TYPE* mt) override
    {
        if (!mt)
            return E_POINTER;
        return IsOurFormat(mt) ? S_OK : VFW_E_INVALIDMEDIATYPE;
    }
    STDMETHODIMP GetFormat(AM_MEDIA_TYPE** mt) override
    {
        if (!mt)
            return E_POINTER;
        CMediaType type;
        MakePcmType(&type);
        *mt = CreateMediaType(&type);
        return *mt ? S_OK : E_OUTOFMEMORY;
    }
    STDMETHODIMP GetNumberOfCapabilities(int* count, int* size) override
    {
        if (!count || !size)
            return E_POINTER;
        *count = 1;
        *size = sizeof(AUDIO_STREAM_CONFIG_CAPS);
        return S_OK;
    }
    STDMETHODIMP GetStreamCaps(int index, AM_MEDIA_TYPE** mt, BYTE* caps) override
    {
        if (!mt || !caps)
            return E_POINTER;
        if (index != 0)
            return S_FALSE;
        HRESULT hr = GetFormat(mt);
        if (FAILED(hr))
            return hr;
        AUDIO_STREAM_CONFIG_CAPS* ascc = reinterpret_cast<AUDIO_STREAM_CONFIG_CAPS*>(caps);
        *ascc = AUDIO_STREAM_CONFIG_CAPS();
        ascc->guid = MEDIATYPE_Audio;
        ascc->MinimumChannels = ascc->MaximumChannels = AudioCaptureFormat::kChannels;
        ascc->ChannelsGranularity = 1;
        ascc->MinimumBitsPerSample = ascc->MaximumBitsPerSample = AudioCaptureFormat::kBitsPerSample;
        ascc->BitsPerSampleGranularity = 8;
        ascc->MinimumSampleFrequency = ascc->MaximumSampleFrequency = AudioCaptureFormat::kSampleRate;
        ascc->SampleFrequencyGranularity = 1;
        return S_OK;
    }

    // IKsPropertySet: the pin category.
    STDMETHODIMP Set(REFGUID set, DWORD id, void* instance, DWORD instanceLength, void* data,
                     DWORD dataLength) override
    {
        const dshow::KsPropertyRow* row = NULL;
        return dshow::CheckKsRequest(kPinRows, 1, set, id, kSupportSet, instance, instanceLength, data,
                                     dataLength, &row);
    }
    STDMETHODIMP Get(REFGUID set, DWORD id, void* instance, DWORD instanceLength, void* data, DWORD dataLength,
                     DWORD* returned) override
    {
        const dshow::KsPropertyRow* row = NULL;
        HRESULT hr = dshow::CheckKsRequest(kPinRows, 1, set, id, kSupportGet, instance, instanceLength, data,
                                           dataLength, &row);
        if (FAILED(hr))
            return hr;
        *static_cast<GUID*>(data) = PIN_CATEGORY_CAPTURE;
        if (returned)
            *returned = sizeof(GUID);
        return S_OK;
    }
    STDMETHODIMP QuerySupported(REFGUID set, DWORD id, DWORD* support) override
    {
        return dshow::QueryKsSupport(kPinRows, 1, set, id, support);
    }

protected:
    HRESULT QueryPinInterface(REFIID iid, void** out) override
    {
        using Row = ComInterface<COutPin>;
        static constexpr Row kRows[] = {
            Row::Via<IAMStreamConfig>(IID_IAMStreamConfig),
            Row::Via<IKsPropertySet>(IID_IKsPropertySet),
        };
        return QueryInterfaceTable(this, kRows, iid, out, [&] { return CSourceStream::QueryPinInterface(iid, out); });
    }

    HRESULT DecideBufferSize(IMemAllocator* allocator, ALLOCATOR_PROPERTIES* request) override
    {
        // A few buffers: the multiplexer may hold some while it interleaves.
        request->cBuffers = request->cBuffers > 8 ? request->cBuffers : 8;
        request->cbBuffer = static_cast<long>(AudioCaptureFormat::BufferBytes());
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
        if (sample->GetSize() < static_cast<long>(AudioCaptureFormat::BufferBytes()))
            return E_FAIL;
        const PictureState state = CVirtualCard::Instance().Snapshot();
        const int hz = state.input == kInputTuner && state.locked ? CarrierToneHz(state.kHz) : 0;
        // Buffers lie on a grid of whole buffers from the stream's start.
        const LONGLONG first = time / kBufferInterval * AudioCaptureFormat::kSamplesPerBuffer;
        FillTone(hz, first, AudioCaptureFormat::kSamplesPerBuffer, reinterpret_cast<short*>(data));
        return sample->SetActualDataLength(static_cast<long>(AudioCaptureFormat::BufferBytes()));
    }

    REFERENCE_TIME FrameInterval() override { return kBufferInterval; }
};

// --- the filter ---

HRESULT CAudioCaptureFilter::Create(IUnknown** out)
{
    if (!out)
        return E_POINTER;
    CAudioCaptureFilter* filter = new (std::nothrow) CAudioCaptureFilter();
    if (!filter)
        return E_OUTOFMEMORY;
    if (!filter->m_pCapture) {
        filter->Release();
        return E_OUTOFMEMORY;
    }
    *out = static_cast<IBaseFilter*>(filter);
    return S_OK;
}

CAudioCaptureFilter::CAudioCaptureFilter()
    : CBaseFilter(CLSID_VirtualCardAudioCapture, kAudioCaptureName), m_pCapture(new (std::nothrow) COutPin(this))
{
}

CAudioCaptureFilter::~CAudioCaptureFilter()
{
    delete m_pCapture;
}

dshow::CBasePin* CAudioCaptureFilter::GetPin(int index)
{
    return index == 0 ? m_pCapture : NULL;
}

} // namespace virtualcard

#include "platform/standins/AviMuxStandin.h"

#include "graph/AutoMutex.h"
#include "platform/dshow/InputPin.h"
#include "platform/dshow/OutputPin.h"

#include <evcode.h>
#include <uuids.h>

#include <algorithm>
#include <new>

namespace standins {

namespace {

// The inputs' names, as the system's multiplexer names its own.
const wchar_t* const kInputNames[] = {L"Input 01", L"Input 02", L"Input 03", L"Input 04",
                                      L"Input 05", L"Input 06", L"Input 07", L"Input 08"};
static_assert(sizeof(kInputNames) / sizeof(kInputNames[0]) == CAviMuxStandin::kInputCount, "a name per input");

bool IsMuxable(const AM_MEDIA_TYPE* mt)
{
    AviStreamFormat format;
    return mt && AviStreamFormat::FromMediaType(*mt, &format);
}

} // namespace

// --- an input: one stream ---

class CAviMuxStandin::CInputPin : public dshow::CBaseInputPin
{
public:
    CInputPin(CAviMuxStandin* filter, const wchar_t* name) : CBaseInputPin(filter, name), m_pMux(filter) {}

    HRESULT CheckMediaType(const AM_MEDIA_TYPE* mt) override
    {
        return IsMuxable(mt) ? S_OK : VFW_E_TYPE_NOT_ACCEPTED;
    }
    HRESULT CompleteConnect(IPin* peer) override
    {
        // Streams are numbered in the order their inputs were connected.
        static volatile LONG s_sequence = 0;
        m_lOrder = InterlockedIncrement(&s_sequence);
        return CBaseInputPin::CompleteConnect(peer);
    }
    LONG Order() const { return m_lOrder; }

protected:
    HRESULT OnReceive(IMediaSample* sample) override { return m_pMux->Receive(this, sample); }

private:
    CAviMuxStandin* m_pMux;  // owns us
    LONG m_lOrder = 0;
};

// --- the output: a byte stream the writer's IStream takes ---

class CAviMuxStandin::COutputPin : public dshow::CBaseOutputPin
{
public:
    explicit COutputPin(CAviMuxStandin* filter) : CBaseOutputPin(filter, L"AVI Out") {}

    HRESULT CheckMediaType(const AM_MEDIA_TYPE* mt) override
    {
        return mt->majortype == MEDIATYPE_Stream && (mt->subtype == MEDIASUBTYPE_Avi || mt->subtype == GUID_NULL)
                   ? S_OK
                   : VFW_E_TYPE_NOT_ACCEPTED;
    }
    HRESULT GetMediaType(int index, CMediaType* mt) override
    {
        if (index != 0)
            return VFW_S_NO_MORE_ITEMS;
        mt->InitMediaType();
        mt->SetType(&MEDIATYPE_Stream);
        mt->SetSubtype(&MEDIASUBTYPE_Avi);
        mt->SetFormatType(&GUID_NULL);
        mt->SetSampleSize(1);
        return S_OK;
    }
    HRESULT CompleteConnect(IPin* peer) override
    {
        // The file goes through the peer's IStream, or nowhere.
        dshow::ComPtr<IStream> stream;
        if (FAILED(peer->QueryInterface(IID_IStream, stream.ReceiveVoid())) || !stream)
            return VFW_E_NO_TRANSPORT;
        return CBaseOutputPin::CompleteConnect(peer);
    }

protected:
    // Nothing is delivered: the file is written through the peer's IStream.
    bool CarriesSamples() const override { return false; }
};

// --- the filter ---

HRESULT CAviMuxStandin::Create(IUnknown** out)
{
    if (!out)
        return E_POINTER;
    CAviMuxStandin* filter = new (std::nothrow) CAviMuxStandin();
    if (!filter)
        return E_OUTOFMEMORY;
    bool whole = filter->m_pOutput != NULL;
    for (CInputPin* pin : filter->m_inputs)
        whole = whole && pin;
    if (!whole) {
        filter->Release();
        return E_OUTOFMEMORY;
    }
    *out = static_cast<IBaseFilter*>(filter);
    return S_OK;
}

CAviMuxStandin::CAviMuxStandin()
    : CBaseFilter(CLSID_AviMuxStandin, L"AVI Mux"), m_pOutput(new (std::nothrow) COutputPin(this)), m_streams(),
      m_nStreams(0), m_bRunning(false), m_lMasterStream(-1), m_bOldIndex(FALSE), m_mode(INTERLEAVE_NONE),
      m_tInterleave(10000000), m_tPreroll(0)
{
    InitializeCriticalSection(&m_csFile);
    InitializeCriticalSection(&m_csConfig);
    for (int i = 0; i < kInputCount; ++i) {
        m_inputs[i] = new (std::nothrow) CInputPin(this, kInputNames[i]);
    }
}

CAviMuxStandin::~CAviMuxStandin()
{
    for (CInputPin* pin : m_inputs)
        delete pin;
    delete m_pOutput;
    DeleteCriticalSection(&m_csConfig);
    DeleteCriticalSection(&m_csFile);
}

dshow::CBasePin* CAviMuxStandin::GetPin(int index)
{
    if (index < 0 || index > kInputCount)
        return NULL;
    return index == 0 ? static_cast<dshow::CBasePin*>(m_pOutput) : m_inputs[index - 1];
}

HRESULT CAviMuxStandin::QueryFilterInterface(REFIID iid, void** out)
{
    using Row = ComInterface<CAviMuxStandin>;
    static constexpr Row kRows[] = {
        Row::Via<IConfigAviMux>(IID_IConfigAviMux),
        Row::Via<IConfigInterleaving>(IID_IConfigInterleaving),
    };
    return QueryInterfaceTable(this, kRows, iid, out, [&] { return CBaseFilter::QueryFilterInterface(iid, out); });
}

STDMETHODIMP CAviMuxStandin::Pause()
{
    if (State() == State_Stopped) {
        CAutoMutex lock(&m_csFile);
        m_nStreams = 0;
        for (CInputPin* pin : m_inputs) {
            if (pin->IsConnected())
                m_streams[m_nStreams++] = pin;
        }
        std::sort(m_streams, m_streams + m_nStreams,
                  [](const CInputPin* a, const CInputPin* b) { return a->Order() < b->Order(); });
        m_bRunning = true;
    }
    return CBaseFilter::Pause();
}

STDMETHODIMP CAviMuxStandin::Stop()
{
    // Inputs refuse samples once the filter is stopped; one already inside
    // waits for the lock and then finds the file finished.
    HRESULT hr = CBaseFilter::Stop();
    HRESULT finished;
    {
        CAutoMutex lock(&m_csFile);
        // A run that brought no sample still leaves a whole (empty) file.
        const bool empty = m_bRunning && !m_writer.IsOpen() && m_nStreams > 0 && m_pOutput->IsConnected();
        finished = empty ? BeginFile() : S_OK;
        m_bRunning = false;
        if (SUCCEEDED(finished))
            finished = m_writer.Finish();
    }
    if (FAILED(finished))
        NotifyEvent(EC_ERRORABORT, finished, 0);
    return FAILED(hr) ? hr : (FAILED(finished) ? finished : S_OK);
}

// Under m_csFile.
HRESULT CAviMuxStandin::BeginFile()
{
    if (!m_pOutput->IsConnected() || m_nStreams == 0)
        return VFW_E_NOT_CONNECTED;
    dshow::ComPtr<IStream> stream;
    HRESULT hr = m_pOutput->ConnectedPin()->QueryInterface(IID_IStream, stream.ReceiveVoid());
    if (FAILED(hr))
        return hr;
    std::vector<AviStreamFormat> formats(m_nStreams);
    for (int i = 0; i < m_nStreams; ++i) {
        if (!AviStreamFormat::FromMediaType(m_streams[i]->ConnectedType(), &formats[i]))
            return VFW_E_INVALIDMEDIATYPE;
    }
    return m_writer.Begin(stream.Get(), formats);
}

HRESULT CAviMuxStandin::Receive(CInputPin* pin, IMediaSample* sample)
{
    BYTE* data = NULL;
    REFERENCE_TIME start = 0, stop = 0;
    if (FAILED(sample->GetPointer(&data)) || FAILED(sample->GetTime(&start, &stop)))
        return S_OK;  // a sample without a time has no place in the file
    const long length = sample->GetActualDataLength();
    HRESULT hr = S_OK;
    {
        CAutoMutex lock(&m_csFile);
        if (!m_bRunning)
            return VFW_E_WRONG_STATE;
        const int stream = static_cast<int>(std::find(m_streams, m_streams + m_nStreams, pin) - m_streams);
        if (stream == m_nStreams)
            return S_OK;  // connected while running: not in this file
        if (!m_writer.IsOpen())
            hr = BeginFile();
        if (SUCCEEDED(hr))
            hr = m_writer.AddSample(static_cast<size_t>(stream), start, data, length > 0 ? static_cast<DWORD>(length) : 0);
        // A file that cannot be written takes nothing more; the graph hears of it.
        if (FAILED(hr))
            m_bRunning = false;
    }
    if (FAILED(hr)) {
        NotifyEvent(EC_ERRORABORT, hr, 0);
        return hr;
    }
    return S_OK;
}

// --- IConfigAviMux and IConfigInterleaving: kept, the file is interleaved
// as the samples come ---

STDMETHODIMP CAviMuxStandin::SetMasterStream(LONG stream)
{
    if (stream < -1 || stream >= kInputCount)
        return E_INVALIDARG;
    CAutoMutex lock(&m_csConfig);
    m_lMasterStream = stream;
    return S_OK;
}

STDMETHODIMP CAviMuxStandin::GetMasterStream(LONG* stream)
{
    if (!stream)
        return E_POINTER;
    CAutoMutex lock(&m_csConfig);
    *stream = m_lMasterStream;
    return S_OK;
}

STDMETHODIMP CAviMuxStandin::SetOutputCompatibilityIndex(BOOL oldIndex)
{
    CAutoMutex lock(&m_csConfig);
    m_bOldIndex = oldIndex ? TRUE : FALSE;
    return S_OK;
}

STDMETHODIMP CAviMuxStandin::GetOutputCompatibilityIndex(BOOL* oldIndex)
{
    if (!oldIndex)
        return E_POINTER;
    CAutoMutex lock(&m_csConfig);
    *oldIndex = m_bOldIndex;
    return S_OK;
}

STDMETHODIMP CAviMuxStandin::put_Mode(InterleavingMode mode)
{
    if (mode < INTERLEAVE_NONE || mode > INTERLEAVE_NONE_BUFFERED)
        return E_INVALIDARG;
    CAutoMutex lock(&m_csConfig);
    m_mode = mode;
    return S_OK;
}

STDMETHODIMP CAviMuxStandin::get_Mode(InterleavingMode* mode)
{
    if (!mode)
        return E_POINTER;
    CAutoMutex lock(&m_csConfig);
    *mode = m_mode;
    return S_OK;
}

STDMETHODIMP CAviMuxStandin::put_Interleaving(const REFERENCE_TIME* interleave, const REFERENCE_TIME* preroll)
{
    if ((interleave && *interleave < 0) || (preroll && *preroll < 0))
        return E_INVALIDARG;
    CAutoMutex lock(&m_csConfig);
    if (interleave)
        m_tInterleave = *interleave;
    if (preroll)
        m_tPreroll = *preroll;
    return S_OK;
}

STDMETHODIMP CAviMuxStandin::get_Interleaving(REFERENCE_TIME* interleave, REFERENCE_TIME* preroll)
{
    if (!interleave || !preroll)
        return E_POINTER;
    CAutoMutex lock(&m_csConfig);
    *interleave = m_tInterleave;
    *preroll = m_tPreroll;
    return S_OK;
}

} // namespace standins

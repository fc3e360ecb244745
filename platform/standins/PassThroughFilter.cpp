#include "platform/standins/PassThroughFilter.h"

#include <amvideo.h>
#include <uuids.h>

namespace standins {

CForwardInputPin::CForwardInputPin(CPassThroughFilter* filter, const wchar_t* name)
    : CBaseInputPin(filter, name), m_pHost(filter)
{
}

HRESULT CForwardInputPin::CheckMediaType(const AM_MEDIA_TYPE* mt)
{
    return m_pHost->CheckInputType(this, mt);
}

HRESULT CForwardInputPin::OnReceive(IMediaSample* sample)
{
    return m_pHost->OnSample(this, sample);
}

HRESULT CForwardInputPin::OnEndOfStream()
{
    m_pHost->ForwardEndOfStream(this);
    return S_OK;
}

STDMETHODIMP CForwardInputPin::BeginFlush()
{
    HRESULT hr = CBaseInputPin::BeginFlush();
    m_pHost->ForwardFlush(this, true);
    return hr;
}

STDMETHODIMP CForwardInputPin::EndFlush()
{
    m_pHost->ForwardFlush(this, false);
    return CBaseInputPin::EndFlush();
}

CForwardOutputPin::CForwardOutputPin(CPassThroughFilter* filter, const wchar_t* name,
                                     CForwardInputPin* source)
    : CBaseOutputPin(filter, name), m_pHost(filter), m_pSource(source)
{
}

HRESULT CForwardOutputPin::CheckMediaType(const AM_MEDIA_TYPE* mt)
{
    if (!m_pSource->IsConnected())
        return VFW_E_NOT_CONNECTED;
    return m_pHost->CheckOutputType(this, mt);
}

HRESULT CForwardOutputPin::GetMediaType(int index, CMediaType* mt)
{
    if (!m_pSource->IsConnected() || index < 0)
        return VFW_S_NO_MORE_ITEMS;
    if (index == 0)
        return mt->Set(m_pSource->ConnectedType());
    return m_pHost->GetExtraOutputType(this, index - 1, mt);
}

HRESULT CForwardOutputPin::CompleteConnect(IPin* peer)
{
    HRESULT hr = CBaseOutputPin::CompleteConnect(peer);
    if (SUCCEEDED(hr))
        m_pHost->OnOutputConnected(this);
    return hr;
}

HRESULT CForwardOutputPin::DecideBufferSize(IMemAllocator* allocator, ALLOCATOR_PROPERTIES* request)
{
    // Room for one picture of the connected type, at least two buffers.
    ALLOCATOR_PROPERTIES wanted = *request;
    ULONG size = m_mt.GetSampleSize();
    if (m_mt.formattype == FORMAT_VideoInfo && m_mt.cbFormat >= sizeof(VIDEOINFOHEADER)) {
        const BITMAPINFOHEADER& bmi = reinterpret_cast<const VIDEOINFOHEADER*>(m_mt.pbFormat)->bmiHeader;
        if (bmi.biSizeImage > size)
            size = bmi.biSizeImage;
    }
    if (size == 0)
        size = m_pSource->ConnectedType().GetSampleSize();
    if (size == 0)
        size = 64 * 1024;
    if (wanted.cBuffers < 2)
        wanted.cBuffers = 2;
    if (static_cast<ULONG>(wanted.cbBuffer) < size)
        wanted.cbBuffer = static_cast<long>(size);
    if (wanted.cbAlign <= 0)
        wanted.cbAlign = 1;
    ALLOCATOR_PROPERTIES actual = {};
    HRESULT hr = allocator->SetProperties(&wanted, &actual);
    if (FAILED(hr))
        return hr;
    return static_cast<ULONG>(actual.cbBuffer) < size ? E_FAIL : S_OK;
}

CPassThroughFilter::CPassThroughFilter(const CLSID& clsid, const wchar_t* name)
    : CBaseFilter(clsid, name), m_pins(), m_nPins(0)
{
}

CPassThroughFilter::~CPassThroughFilter()
{
    for (int i = 0; i < m_nPins; ++i)
        delete m_pins[i];
}

dshow::CBasePin* CPassThroughFilter::GetPin(int index)
{
    return index >= 0 && index < m_nPins ? m_pins[index] : NULL;
}

CForwardInputPin* CPassThroughFilter::AddInput(const wchar_t* name)
{
    if (m_nPins >= kMaxPins)
        return NULL;
    CForwardInputPin* pin = new CForwardInputPin(this, name);
    m_pins[m_nPins] = pin;
    InterlockedIncrement(&m_nPins);
    return pin;
}

CForwardOutputPin* CPassThroughFilter::AddOutput(const wchar_t* name, CForwardInputPin* source)
{
    if (m_nPins >= kMaxPins)
        return NULL;
    CForwardOutputPin* pin = new CForwardOutputPin(this, name, source);
    m_pins[m_nPins] = pin;
    InterlockedIncrement(&m_nPins);
    return pin;
}

HRESULT CPassThroughFilter::GetExtraOutputType(CForwardOutputPin*, int, CMediaType*)
{
    return VFW_S_NO_MORE_ITEMS;
}

HRESULT CPassThroughFilter::CheckOutputType(CForwardOutputPin* pin, const AM_MEDIA_TYPE* mt)
{
    CMediaType offered(*mt);
    return offered == pin->Source()->ConnectedType() ? S_OK : VFW_E_TYPE_NOT_ACCEPTED;
}

HRESULT CPassThroughFilter::DeliverToOutputs(CForwardInputPin* input, IMediaSample* sample)
{
    for (int i = 0; i < m_nPins; ++i) {
        CForwardOutputPin* out = dynamic_cast<CForwardOutputPin*>(m_pins[i]);
        // A sink that refuses a sample does not hold back the others.
        if (out && out->Source() == input && out->IsConnected())
            out->Deliver(sample);
    }
    return S_OK;
}

void CPassThroughFilter::ForwardEndOfStream(CForwardInputPin* input)
{
    for (int i = 0; i < m_nPins; ++i) {
        CForwardOutputPin* out = dynamic_cast<CForwardOutputPin*>(m_pins[i]);
        if (out && out->Source() == input && out->IsConnected())
            out->DeliverEndOfStream();
    }
}

void CPassThroughFilter::ForwardFlush(CForwardInputPin* input, bool begin)
{
    for (int i = 0; i < m_nPins; ++i) {
        CForwardOutputPin* out = dynamic_cast<CForwardOutputPin*>(m_pins[i]);
        IPin* peer = out && out->Source() == input ? out->ConnectedPin() : NULL;
        if (peer) {
            if (begin)
                peer->BeginFlush();
            else
                peer->EndFlush();
        }
    }
}

void CopySampleProperties(IMediaSample* from, IMediaSample* to)
{
    REFERENCE_TIME start = 0, stop = 0;
    HRESULT hr = from->GetTime(&start, &stop);
    if (hr == S_OK)
        to->SetTime(&start, &stop);
    else if (hr == VFW_S_NO_STOP_TIME)
        to->SetTime(&start, NULL);
    else
        to->SetTime(NULL, NULL);
    to->SetSyncPoint(from->IsSyncPoint() == S_OK);
    to->SetDiscontinuity(from->IsDiscontinuity() == S_OK);
    to->SetPreroll(from->IsPreroll() == S_OK);
}

} // namespace standins

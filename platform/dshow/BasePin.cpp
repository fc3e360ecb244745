#include "platform/dshow/BasePin.h"

#include "graph/AutoMutex.h"
#include "graph/MediaTypePtr.h"
#include "platform/dshow/BaseFilter.h"

#include <new>

namespace dshow {

bool IsFullySpecified(const AM_MEDIA_TYPE* mt)
{
    return mt && mt->majortype != GUID_NULL && mt->subtype != GUID_NULL &&
           mt->formattype != GUID_NULL;
}

bool MatchesPartial(const AM_MEDIA_TYPE& mt, const AM_MEDIA_TYPE* partial)
{
    if (!partial)
        return true;
    if (partial->majortype != GUID_NULL && partial->majortype != mt.majortype)
        return false;
    if (partial->subtype != GUID_NULL && partial->subtype != mt.subtype)
        return false;
    if (partial->formattype != GUID_NULL) {
        if (partial->formattype != mt.formattype || partial->cbFormat != mt.cbFormat)
            return false;
        if (partial->cbFormat && memcmp(partial->pbFormat, mt.pbFormat, partial->cbFormat) != 0)
            return false;
    }
    return true;
}

CBasePin::CBasePin(CBaseFilter* filter, const wchar_t* name, PIN_DIRECTION direction)
    : m_pFilter(filter), m_name(name), m_dir(direction), m_tSegmentStart(0),
      m_tSegmentStop(0x7FFFFFFFFFFFFFFFLL), m_dSegmentRate(1.0)
{
}

CBasePin::~CBasePin() = default;

STDMETHODIMP CBasePin::QueryInterface(REFIID iid, void** out)
{
    using Row = ComInterface<CBasePin>;
    static constexpr Row kRows[] = {
        Row::Via<IPin>(IID_IUnknown),
        Row::Via<IPin>(IID_IPin),
    };
    return QueryInterfaceTable(this, kRows, iid, out, [&] { return QueryPinInterface(iid, out); });
}

STDMETHODIMP_(ULONG) CBasePin::AddRef()
{
    return m_pFilter->AddRef();
}

STDMETHODIMP_(ULONG) CBasePin::Release()
{
    return m_pFilter->Release();
}

HRESULT CBasePin::QueryPinInterface(REFIID, void** out)
{
    *out = NULL;
    return E_NOINTERFACE;
}

HRESULT CBasePin::GetMediaType(int, CMediaType*)
{
    return VFW_S_NO_MORE_ITEMS;
}

HRESULT CBasePin::CompleteConnect(IPin*)
{
    return S_OK;
}

HRESULT CBasePin::Run(REFERENCE_TIME)
{
    return S_OK;
}

HRESULT CBasePin::SetConnection(IPin* peer, const AM_MEDIA_TYPE* mt)
{
    if (!peer) {
        m_pConnected.Reset();
        m_mt.InitMediaType();
        m_mt.ResetFormatBuffer();
        return S_OK;
    }
    HRESULT hr = m_mt.Set(*mt);
    if (FAILED(hr))
        return hr;
    m_pConnected.Set(peer);
    return S_OK;
}

STDMETHODIMP CBasePin::Disconnect()
{
    CAutoMutex lock(m_pFilter->StateLock());
    if (m_pFilter->State() != State_Stopped)
        return VFW_E_NOT_STOPPED;
    if (!m_pConnected)
        return S_FALSE;
    BreakConnect();
    SetConnection(NULL, NULL);
    return S_OK;
}

STDMETHODIMP CBasePin::ConnectedTo(IPin** pin)
{
    if (!pin)
        return E_POINTER;
    CAutoMutex lock(m_pFilter->StateLock());
    *pin = NULL;
    if (!m_pConnected)
        return VFW_E_NOT_CONNECTED;
    return m_pConnected.CopyTo(pin);
}

STDMETHODIMP CBasePin::ConnectionMediaType(AM_MEDIA_TYPE* mt)
{
    if (!mt)
        return E_POINTER;
    CAutoMutex lock(m_pFilter->StateLock());
    if (!m_pConnected) {
        memset(mt, 0, sizeof(*mt));
        return VFW_E_NOT_CONNECTED;
    }
    return CopyMediaType(mt, &m_mt);
}

STDMETHODIMP CBasePin::QueryPinInfo(PIN_INFO* info)
{
    if (!info)
        return E_POINTER;
    info->pFilter = m_pFilter;
    m_pFilter->AddRef();
    info->dir = m_dir;
    lstrcpynW(info->achName, m_name.c_str(), MAX_PIN_NAME);
    return S_OK;
}

STDMETHODIMP CBasePin::QueryDirection(PIN_DIRECTION* direction)
{
    if (!direction)
        return E_POINTER;
    *direction = m_dir;
    return S_OK;
}

STDMETHODIMP CBasePin::QueryId(LPWSTR* id)
{
    if (!id)
        return E_POINTER;
    size_t bytes = (m_name.size() + 1) * sizeof(wchar_t);
    *id = static_cast<LPWSTR>(CoTaskMemAlloc(bytes));
    if (!*id)
        return E_OUTOFMEMORY;
    memcpy(*id, m_name.c_str(), bytes);
    return S_OK;
}

STDMETHODIMP CBasePin::QueryAccept(const AM_MEDIA_TYPE* mt)
{
    if (!mt)
        return E_POINTER;
    // Any refusal is S_FALSE here: the caller only asks yes or no.
    return CheckMediaType(mt) == S_OK ? S_OK : S_FALSE;
}

STDMETHODIMP CBasePin::EnumMediaTypes(IEnumMediaTypes** types)
{
    if (!types)
        return E_POINTER;
    std::vector<CMediaType> list;
    for (int i = 0;; ++i) {
        CMediaType mt;
        if (GetMediaType(i, &mt) != S_OK)
            break;
        list.push_back(mt);
    }
    return CEnumMediaTypes::Create(static_cast<IPin*>(this), list, 0, types);
}

STDMETHODIMP CBasePin::QueryInternalConnections(IPin**, ULONG*)
{
    return E_NOTIMPL;
}

STDMETHODIMP CBasePin::NewSegment(REFERENCE_TIME start, REFERENCE_TIME stop, double rate)
{
    m_tSegmentStart = start;
    m_tSegmentStop = stop;
    m_dSegmentRate = rate;
    return S_OK;
}

// --- CEnumMediaTypes ---

HRESULT CEnumMediaTypes::Create(IUnknown* owner, const std::vector<CMediaType>& types,
                                ULONG position, IEnumMediaTypes** out)
{
    *out = new (std::nothrow) CEnumMediaTypes(owner, types, position);
    return *out ? S_OK : E_OUTOFMEMORY;
}

CEnumMediaTypes::CEnumMediaTypes(IUnknown* owner, const std::vector<CMediaType>& types,
                                 ULONG position)
    : m_pOwner(owner), m_types(types), m_position(position)
{
}

STDMETHODIMP CEnumMediaTypes::QueryInterface(REFIID iid, void** out)
{
    using Row = ComInterface<CEnumMediaTypes>;
    static constexpr Row kRows[] = {
        Row::Via<IEnumMediaTypes>(IID_IUnknown),
        Row::Via<IEnumMediaTypes>(IID_IEnumMediaTypes),
    };
    return QueryInterfaceTable(this, kRows, iid, out);
}

STDMETHODIMP CEnumMediaTypes::Next(ULONG count, AM_MEDIA_TYPE** types, ULONG* fetched)
{
    if (!types || (count > 1 && !fetched))
        return E_POINTER;
    // Copied whole before anything is handed back: on failure the caller
    // gets nothing it could leak, and the position stays where it was.
    std::vector<CMediaTypePtr> copies;
    for (ULONG at = m_position; copies.size() < count && at < m_types.size(); ++at) {
        copies.emplace_back(CreateMediaType(&m_types[at]));
        if (!copies.back()) {
            if (fetched)
                *fetched = 0;
            return E_OUTOFMEMORY;
        }
    }
    const ULONG got = static_cast<ULONG>(copies.size());
    for (ULONG i = 0; i < got; ++i)
        types[i] = copies[i].Detach();
    m_position += got;
    if (fetched)
        *fetched = got;
    return got == count ? S_OK : S_FALSE;
}

STDMETHODIMP CEnumMediaTypes::Skip(ULONG count)
{
    ULONG left = static_cast<ULONG>(m_types.size()) - m_position;
    if (count > left) {
        m_position = static_cast<ULONG>(m_types.size());
        return S_FALSE;
    }
    m_position += count;
    return S_OK;
}

STDMETHODIMP CEnumMediaTypes::Reset()
{
    m_position = 0;
    return S_OK;
}

STDMETHODIMP CEnumMediaTypes::Clone(IEnumMediaTypes** out)
{
    if (!out)
        return E_POINTER;
    return Create(m_pOwner.Get(), m_types, m_position, out);
}

} // namespace dshow

// CBasePin: what input and output pins share (name, direction, connection,
// media type, enumeration). A pin lives inside its filter and forwards
// AddRef/Release to it, so pin and filter share one lifetime. Connection
// calls come from the graph's threads under the filter's state lock.
#pragma once
#include "graph/ComObject.h"
#include "graph/MediaType.h"
#include "platform/dshow/ComPtr.h"

#include <strmif.h>
#include <vfwmsgs.h>

#include <string>
#include <vector>

namespace dshow {

class CBaseFilter;

class CBasePin : public IPin
{
public:
    CBasePin(CBaseFilter* filter, const wchar_t* name, PIN_DIRECTION direction);
    virtual ~CBasePin();

    // IUnknown: the filter's count.
    STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;

    // IPin, the parts both directions share.
    STDMETHODIMP Disconnect() override;
    STDMETHODIMP ConnectedTo(IPin** pin) override;
    STDMETHODIMP ConnectionMediaType(AM_MEDIA_TYPE* mt) override;
    STDMETHODIMP QueryPinInfo(PIN_INFO* info) override;
    STDMETHODIMP QueryDirection(PIN_DIRECTION* direction) override;
    STDMETHODIMP QueryId(LPWSTR* id) override;
    STDMETHODIMP QueryAccept(const AM_MEDIA_TYPE* mt) override;
    STDMETHODIMP EnumMediaTypes(IEnumMediaTypes** types) override;
    STDMETHODIMP QueryInternalConnections(IPin** pins, ULONG* count) override;
    STDMETHODIMP NewSegment(REFERENCE_TIME start, REFERENCE_TIME stop, double rate) override;

    // Hooks of the concrete pin.
    // S_OK when the pin can carry `mt`; an error code otherwise.
    virtual HRESULT CheckMediaType(const AM_MEDIA_TYPE* mt) = 0;
    // The pin's preferred types in order: S_OK, or VFW_S_NO_MORE_ITEMS past the end.
    virtual HRESULT GetMediaType(int index, CMediaType* mt);
    virtual HRESULT CompleteConnect(IPin* peer);
    virtual void BreakConnect() {}
    // State changes of the filter: stopped to paused, paused to running,
    // running to paused, and back to stopped.
    virtual HRESULT Active() { return S_OK; }
    virtual HRESULT Run(REFERENCE_TIME start);
    virtual HRESULT Paused() { return S_OK; }
    virtual HRESULT Inactive() { return S_OK; }

    const std::wstring& Name() const { return m_name; }
    bool IsConnected() const { return m_pConnected.Get() != NULL; }
    IPin* ConnectedPin() const { return m_pConnected.Get(); }
    const CMediaType& ConnectedType() const { return m_mt; }
    CBaseFilter* Filter() const { return m_pFilter; }

protected:
    virtual HRESULT QueryPinInterface(REFIID iid, void** out);
    // Records a connection to `peer` with `mt`, or clears it (peer null).
    HRESULT SetConnection(IPin* peer, const AM_MEDIA_TYPE* mt);

    // Owns us; a reference back would keep both alive for ever.
    CBaseFilter* m_pFilter;
    std::wstring m_name;
    PIN_DIRECTION m_dir;
    ComPtr<IPin> m_pConnected;
    CMediaType m_mt;
    REFERENCE_TIME m_tSegmentStart;
    REFERENCE_TIME m_tSegmentStop;
    double m_dSegmentRate;

private:
    CBasePin(const CBasePin&) = delete;
    CBasePin& operator=(const CBasePin&) = delete;
};

// A media-type enumerator over a snapshot of a pin's preferred types.
class CEnumMediaTypes : public ComObject<IEnumMediaTypes>
{
public:
    static HRESULT Create(IUnknown* owner, const std::vector<CMediaType>& types, ULONG position,
                          IEnumMediaTypes** out);

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
    STDMETHODIMP Next(ULONG count, AM_MEDIA_TYPE** types, ULONG* fetched) override;
    STDMETHODIMP Skip(ULONG count) override;
    STDMETHODIMP Reset() override;
    STDMETHODIMP Clone(IEnumMediaTypes** out) override;

private:
    CEnumMediaTypes(IUnknown* owner, const std::vector<CMediaType>& types, ULONG position);
    ~CEnumMediaTypes() override = default;

    ComPtr<IUnknown> m_pOwner;   // keeps the pin's filter alive
    std::vector<CMediaType> m_types;
    ULONG m_position;
};

// The three IUnknown methods of a pin class that adds interfaces.
#define DSHOW_PIN_IUNKNOWN                                                                 \
    STDMETHODIMP QueryInterface(REFIID iid, void** out) override                            \
    {                                                                                       \
        return dshow::CBasePin::QueryInterface(iid, out);                                   \
    }                                                                                       \
    STDMETHODIMP_(ULONG) AddRef() override { return dshow::CBasePin::AddRef(); }            \
    STDMETHODIMP_(ULONG) Release() override { return dshow::CBasePin::Release(); }

// A type with a major type, a subtype and a format type is fully specified.
bool IsFullySpecified(const AM_MEDIA_TYPE* mt);
// `mt` fits `partial`: every GUID_NULL field of `partial` matches anything.
bool MatchesPartial(const AM_MEDIA_TYPE& mt, const AM_MEDIA_TYPE* partial);

} // namespace dshow

#include "graph/RootPin.h"

#include <stdio.h>
#include <string.h>
#include <uuids.h>

#include "graph/ComPtr.h"
#include "graph/MediaType.h"
#include "graph/MediaTypePtr.h"
#include "graph/RootFilter.h"

namespace {

struct GuidName
{
    const GUID* guid;
    const char* text;
};

const GuidName kMajorTypeNames[] = {
    {&MEDIATYPE_AnalogVideo, "Analog Video"},
    {&MEDIATYPE_Audio, "Audio"},
    {&MEDIATYPE_Video, "Video"},
};

const GuidName kSubtypeNames[] = {
    {&MEDIASUBTYPE_MPEG1Packet, "MPEG1 Packet"},
    {&MEDIASUBTYPE_MPEG1Payload, "MPEG1 Payload"},
    {&MEDIASUBTYPE_YVU9, "YVU9"},
    {&MEDIASUBTYPE_YUY2, "YUY2"},
    {&MEDIASUBTYPE_IJPG, "IJPG"},
    {&MEDIASUBTYPE_RGB8, "RGB8"},
    {&MEDIASUBTYPE_RGB555, "RGB555"},
    {&MEDIASUBTYPE_RGB565, "RGB565"},
    {&MEDIASUBTYPE_RGB24, "RGB24"},
    {&MEDIASUBTYPE_RGB32, "RGB32"},
};

// The table's text, or the GUID as "%08X-%04X-%04X-" and its last eight
// bytes without further dashes.
template <size_t N>
std::string GuidText(const GUID& guid, const GuidName (&names)[N])
{
    for (const GuidName& row : names) {
        if (IsEqualGUID(*row.guid, guid))
            return row.text;
    }
    char text[64];
    int n = snprintf(text, sizeof(text), "%08lX-%04X-%04X-", (unsigned long)guid.Data1,
                     guid.Data2, guid.Data3);
    for (int i = 0; i < 8 && n > 0 && n < (int)sizeof(text); i++)
        n += snprintf(text + n, sizeof(text) - n, "%02X", guid.Data4[i]);
    return text;
}

// Copies at most min(size - 1, 1024) characters.
BOOL CopyDescription(const std::string& text, char* buf, int size)
{
    size_t limit = (size_t)size - 1;
    if (limit > 1024)
        limit = 1024;
    zunk::CopyName(buf, limit + 1, text.c_str());
    return TRUE;
}

// The first enumerated media type; empty when the pin offers none.
CMediaTypePtr FirstMediaType(const CRootPin& pin)
{
    ComPtr<IEnumMediaTypes> types;
    if (pin.EnumMediaTypes(&types) != S_OK || !types)
        return CMediaTypePtr();
    types->Reset();
    CMediaTypePtr mt;
    ULONG fetched = 0;
    if (types->Next(1, &mt, &fetched) != S_OK || fetched != 1)
        mt.Reset();
    return mt;
}

} // namespace

CRootPin::CRootPin(IPin* pin, CRootFilter* owner)
    : m_pPin(pin), m_bBorrowed(false), m_pOwner(owner), m_pPeer(NULL), m_pNext(NULL)
{
    m_szName[0] = 0;
    if (!m_pPin)
        return;
    m_pPin->AddRef();
    PIN_INFO info = {};
    if (m_pPin->QueryPinInfo(&info) == S_OK) {
        zunk::WideToAnsi(info.achName, m_szName, sizeof(m_szName));
        if (info.pFilter)
            info.pFilter->Release();
    }
}

CRootPin::~CRootPin()
{
    // A peer must not keep pointing at a deleted wrapper.
    if (m_pPeer && m_pPeer->m_pPeer == this)
        m_pPeer->m_pPeer = NULL;
    if (m_pPin && !m_bBorrowed)
        m_pPin->Release();
}

void CRootPin::Clear()
{
    if (m_pPeer && m_pPeer->m_pPeer == this)
        m_pPeer->m_pPeer = NULL;
    m_pOwner = NULL;
    m_pPeer = NULL;
    m_pNext = NULL;
    if (m_pPin && !m_bBorrowed)
        m_pPin->Release();
    m_pPin = NULL;
}

void CRootPin::Borrow()
{
    if (m_pPin && !m_bBorrowed) {
        m_bBorrowed = true;
        m_pPin->Release();
    }
}

HRESULT CRootPin::ShowPropertyPages(HWND parent, const char* caption)
{
    return m_pOwner ? m_pOwner->ShowPropertyPages(parent, caption) : E_POINTER;
}

BOOL CRootPin::QueryDirection(PIN_DIRECTION* dir) const
{
    return m_pPin && dir && m_pPin->QueryDirection(dir) == S_OK;
}

BOOL CRootPin::QueryPinInfo(PIN_INFO* info) const
{
    return m_pPin && info && m_pPin->QueryPinInfo(info) == S_OK;
}

BOOL CRootPin::QueryId(LPWSTR* id) const
{
    return m_pPin && id && m_pPin->QueryId(id) == S_OK;
}

BOOL CRootPin::QueryAccept(const AM_MEDIA_TYPE* mt) const
{
    return m_pPin && mt && m_pPin->QueryAccept(mt) == S_OK;
}

HRESULT CRootPin::EnumMediaTypes(IEnumMediaTypes** out) const
{
    if (!out)
        return E_POINTER;
    *out = NULL;
    return m_pPin ? m_pPin->EnumMediaTypes(out) : E_POINTER;
}

HRESULT CRootPin::ConnectionMediaType(AM_MEDIA_TYPE* mt) const
{
    if (!mt)
        return E_POINTER;
    return m_pPin ? m_pPin->ConnectionMediaType(mt) : E_POINTER;
}

BOOL CRootPin::GetFirstMediaType(GUID* major, GUID* sub) const
{
    if (!major || !sub)
        return FALSE;
    CMediaTypePtr mt = FirstMediaType(*this);
    if (!mt)
        return FALSE;
    *major = mt->majortype;
    *sub = mt->subtype;
    return TRUE;
}

BOOL CRootPin::DescribeMediaType(char* buf, int size) const
{
    if (!buf || size < 2)
        return FALSE;
    CMediaType mt;
    if (ConnectionMediaType(&mt) != S_OK)
        return FALSE;
    std::string text = "MainType:" + GuidText(mt.majortype, kMajorTypeNames) +
                       ",SubType:" + GuidText(mt.subtype, kSubtypeNames);
    return CopyDescription(text, buf, size);
}

BOOL CRootPin::DescribeMajorType(char* buf, int size) const
{
    if (!buf || size < 2)
        return FALSE;
    GUID major, sub;
    if (!GetFirstMediaType(&major, &sub))
        return FALSE;
    return CopyDescription("MainType:" + GuidText(major, kMajorTypeNames), buf, size);
}

#include "graph/RootFilter.h"

#include <olectl.h>
#include <string.h>
#include <uuids.h>

#include <vector>

#include "graph/ComPtr.h"
#include "graph/DeviceEnum.h"
#include "graph/FilterCreatorRecord.h"

using zunk::DeviceNamesMatch;
using zunk::BindFirstDevice;
using zunk::ForEachDevice;
using zunk::ReadFriendlyName;

CRootFilter::CRootFilter(CRootGraph* owner)
{
    Clear(owner);
}

CRootFilter::CRootFilter(CRootGraph* owner, const CLSID* clsid)
{
    Clear(owner);
    if (!clsid)
        return;
    if (FAILED(CoCreateInstance(*clsid, NULL, CLSCTX_INPROC_SERVER, IID_IBaseFilter,
                                reinterpret_cast<void**>(&m_pFilter)))) {
        m_pFilter = NULL;
        return;
    }
    BuildPinList();
    m_bValid = TRUE;
}

CRootFilter::CRootFilter(CRootGraph* owner, const GUID* category, const char* friendlyName,
                         BOOL firstMatch)
{
    Clear(owner);
    if (category && friendlyName)
        LookUpDevice(category, friendlyName, firstMatch);
}

CRootFilter::~CRootFilter()
{
    FreePins();
    if (m_pFilter)
        m_pFilter->Release();
}

void CRootFilter::Clear(CRootGraph* owner)
{
    m_pFilter = NULL;
    m_bValid = FALSE;
    m_szName[0] = 0;
    m_szDeviceName[0] = 0;
    m_nPinCount = 0;
    m_pNext = NULL;
    m_pPins = NULL;
    m_bRefreshPins = FALSE;
    m_pOwner = owner;
    m_bInitDone = FALSE;
}

void CRootFilter::LookUpDevice(const GUID* category, const char* friendlyName, BOOL firstMatch)
{
    int matches = 0;
    const int wanted = FilterCreatorRecord::GetDeviceIndex();
    BOOL taken = FALSE;
    ForEachDevice(*category, [&](IMoniker* moniker) {
        char found[zunk::kNameSize];
        if (!ReadFriendlyName(moniker, found, sizeof(found)) || !DeviceNamesMatch(friendlyName, found))
            return TRUE;
        if (!firstMatch && matches++ != wanted)
            return TRUE;
        // This device is taken; a failed binding ends the look-up.
        taken = TRUE;
        IBaseFilter* filter = NULL;
        if (SUCCEEDED(moniker->BindToObject(NULL, NULL, IID_IBaseFilter,
                                            reinterpret_cast<void**>(&filter))) && filter) {
            m_pFilter = filter;
            zunk::CopyName(m_szDeviceName, sizeof(m_szDeviceName), found);
        }
        return FALSE;
    });
    if (taken && m_pFilter) {
        BuildPinList();
        m_bValid = TRUE;
    }
}

BOOL CRootFilter::Init()
{
    return m_pFilter != NULL;
}

BOOL CRootFilter::InitOnce()
{
    if (m_bInitDone)
        return m_bValid;
    m_bInitDone = TRUE;
    OnVirtual4();
    if (!Init())
        m_bValid = FALSE;
    return m_bValid;
}

BOOL CRootFilter::AttachFilter(IBaseFilter* filter)
{
    if (!filter || m_pFilter)
        return FALSE;
    FILTER_INFO info = {};
    if (SUCCEEDED(filter->QueryFilterInfo(&info))) {
        zunk::WideToAnsi(info.achName, m_szDeviceName, sizeof(m_szDeviceName));
        zunk::CopyName(m_szName, sizeof(m_szName), m_szDeviceName);
        if (info.pGraph)
            info.pGraph->Release();
    }
    m_pFilter = filter;
    m_pFilter->AddRef();
    BuildPinList();
    m_bValid = TRUE;
    return TRUE;
}

void CRootFilter::SetName(const char* name)
{
    // Longer names are cut to the field; every name the system uses fits.
    zunk::CopyName(m_szName, sizeof(m_szName), name);
}

CRootPin* CRootFilter::GetPinAt(int n) const
{
    if (n < 0 || n >= m_nPinCount)
        return NULL;
    CRootPin* pin = m_pPins;
    while (pin && n-- > 0)
        pin = pin->GetNext();
    return pin;
}

CRootPin* CRootFilter::FindPinByName(const char* name)
{
    if (!name)
        return NULL;
    for (CRootPin* pin = m_pPins; pin; pin = pin->GetNext()) {
        if (strcmp(pin->GetName(), name) == 0)
            return pin;
    }
    return NULL;
}

CRootPin* CRootFilter::FindPinById(const wchar_t* id) const
{
    if (!id)
        return NULL;
    for (CRootPin* pin = m_pPins; pin; pin = pin->GetNext()) {
        LPWSTR pinId = NULL;
        if (!pin->QueryId(&pinId))
            continue;
        BOOL same = wcscmp(pinId, id) == 0;
        CoTaskMemFree(pinId);
        if (same)
            return pin;
    }
    return NULL;
}

CRootPin* CRootFilter::FindPinByIPin(IPin* ipin) const
{
    if (!ipin)
        return NULL;
    for (CRootPin* pin = m_pPins; pin; pin = pin->GetNext()) {
        if (pin->GetIPin() == ipin)
            return pin;
    }
    return NULL;
}

BOOL CRootFilter::HasPin(IPin* ipin) const
{
    if (!ipin || !m_pFilter)
        return FALSE;
    ComPtr<IEnumPins> pins;
    if (FAILED(m_pFilter->EnumPins(&pins)) || !pins)
        return FALSE;
    for (;;) {
        ComPtr<IPin> pin;
        ULONG fetched = 0;
        if (pins->Next(1, &pin, &fetched) != S_OK || fetched != 1)
            return FALSE;
        if (pin.Get() == ipin)
            return TRUE;
    }
}

void CRootFilter::SetRefreshPins(BOOL refresh)
{
    m_bRefreshPins = refresh;
    if (refresh) {
        for (CRootPin* pin = m_pPins; pin; pin = pin->GetNext())
            pin->Borrow();
    }
}

CRootPin* CRootFilter::FindPin(PIN_DIRECTION dir, BOOL free) const
{
    if (free != TRUE && free != FALSE)
        return NULL;
    for (CRootPin* pin = m_pPins; pin; pin = pin->GetNext()) {
        PIN_DIRECTION pinDir;
        if (!pin->QueryDirection(&pinDir) || pinDir != dir)
            continue;
        if ((pin->GetPeer() == NULL) == (free == TRUE))
            return pin;
    }
    return NULL;
}

BOOL CRootFilter::RemovePin(CRootPin* pin)
{
    for (CRootPin** link = &m_pPins; *link; link = &(*link)->m_pNext) {
        if (*link == pin) {
            *link = pin->GetNext();
            m_nPinCount--;
            delete pin;
            return TRUE;
        }
    }
    return FALSE;
}

void CRootFilter::FreePins()
{
    while (m_pPins) {
        CRootPin* pin = m_pPins;
        m_pPins = pin->GetNext();
        delete pin;
    }
    m_nPinCount = 0;
}

void CRootFilter::AppendPin(CRootPin* pin)
{
    CRootPin** link = &m_pPins;
    while (*link)
        link = &(*link)->m_pNext;
    pin->SetNext(NULL);
    *link = pin;
    m_nPinCount++;
}

BOOL CRootFilter::BuildPinList()
{
    FreePins();
    if (!m_pFilter)
        return TRUE;
    ComPtr<IEnumPins> pins;
    if (FAILED(m_pFilter->EnumPins(&pins)) || !pins)
        return TRUE;
    pins->Reset();
    for (;;) {
        ComPtr<IPin> pin;
        ULONG fetched = 0;
        if (pins->Next(1, &pin, &fetched) != S_OK || fetched != 1)
            break;
        CRootPin* wrapper = new (std::nothrow) CRootPin(pin.Get(), this);
        if (wrapper)
            AppendPin(wrapper);
    }
    return TRUE;
}

BOOL CRootFilter::RefreshPins()
{
    if (!m_bRefreshPins || !m_pFilter)
        return TRUE;
    ComPtr<IEnumPins> pins;
    if (FAILED(m_pFilter->EnumPins(&pins)) || !pins)
        return TRUE;
    std::vector<CRootPin*> fresh;
    pins->Reset();
    for (;;) {
        ComPtr<IPin> pin;
        ULONG fetched = 0;
        if (pins->Next(1, &pin, &fetched) != S_OK || fetched != 1)
            break;
        CRootPin* wrapper = NULL;
        // A pin still present keeps its wrapper, peer and name.
        for (CRootPin** link = &m_pPins; *link; link = &(*link)->m_pNext) {
            if ((*link)->GetIPin() == pin.Get()) {
                wrapper = *link;
                *link = wrapper->GetNext();
                m_nPinCount--;
                break;
            }
        }
        if (!wrapper) {
            wrapper = new (std::nothrow) CRootPin(pin.Get(), this);
            if (wrapper)
                wrapper->Borrow();
        }
        if (wrapper)
            fresh.push_back(wrapper);
    }
    FreePins();  // what is left has disappeared (and may be freed already)
    for (CRootPin* wrapper : fresh)
        AppendPin(wrapper);
    return TRUE;
}

BOOL CRootFilter::IsInGraph() const
{
    if (!m_pFilter)
        return FALSE;
    FILTER_INFO info = {};
    if (m_pFilter->QueryFilterInfo(&info) != S_OK)
        return FALSE;
    BOOL inGraph = info.pGraph != NULL;
    if (info.pGraph)
        info.pGraph->Release();
    return inGraph;
}

HRESULT CRootFilter::HasPropertyPages(BOOL* out) const
{
    if (!out)
        return E_INVALIDARG;
    *out = FALSE;
    if (!m_pFilter)
        return E_POINTER;
    ComPtr<ISpecifyPropertyPages> pages;
    HRESULT hr = m_pFilter->QueryInterface(IID_ISpecifyPropertyPages,
                                           reinterpret_cast<void**>(&pages));
    if (FAILED(hr) || !pages)
        return hr;
    CAUUID ids = {};
    hr = pages->GetPages(&ids);
    if (hr == S_OK && ids.cElems > 0)
        *out = TRUE;
    CoTaskMemFree(ids.pElems);
    return hr;
}

HRESULT CRootFilter::ShowPropertyPages(HWND parent, const char* caption) const
{
    if (!m_pFilter)
        return E_POINTER;
    return ShowObjectPropertyPages(m_pFilter, parent, caption);
}

HRESULT CRootFilter::ShowObjectPropertyPages(IUnknown* object, HWND parent, const char* caption)
{
    if (!object)
        return E_POINTER;
    ComPtr<ISpecifyPropertyPages> pages;
    HRESULT hr = object->QueryInterface(IID_ISpecifyPropertyPages, reinterpret_cast<void**>(&pages));
    if (FAILED(hr) || !pages)
        return FAILED(hr) ? hr : S_FALSE;
    CAUUID ids = {};
    hr = pages->GetPages(&ids);
    if (hr != S_OK || ids.cElems == 0) {
        CoTaskMemFree(ids.pElems);
        return FAILED(hr) ? hr : S_FALSE;
    }
    wchar_t title[261];
    zunk::AnsiToWide(caption ? caption : "", title, 261);
    hr = OleCreatePropertyFrame(parent, 30, 30, title, 1, &object, ids.cElems, ids.pElems, 0, 0,
                                NULL);
    CoTaskMemFree(ids.pElems);
    return hr;
}

HRESULT CRootFilter::FindDeviceFilter(GUID category, const char* friendlyName, IBaseFilter** out)
{
    if (!out)
        return E_POINTER;
    *out = NULL;
    if (!friendlyName)
        return E_INVALIDARG;
    return BindFirstDevice(category,
                           [friendlyName](const char* found) { return DeviceNamesMatch(friendlyName, found); },
                           IID_IBaseFilter, reinterpret_cast<void**>(out));
}

void CRootFilter::SetDeviceIndex(int index)
{
    FilterCreatorRecord::SetDeviceIndex(index);
}

std::string CRootFilter::DumpPins() const
{
    std::string text = std::string(m_szName) + " pin List : \n";
    for (CRootPin* pin = m_pPins; pin; pin = pin->GetNext())
        text += std::string("  ") + pin->GetName() + "\n";
    return text;
}

CRootFilterFromInterface::CRootFilterFromInterface(CRootGraph* owner, IBaseFilter* filter)
    : CRootFilter(owner)
{
    AttachFilter(filter);
}

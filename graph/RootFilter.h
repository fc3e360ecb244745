// CRootFilter: one wrapped DirectShow filter with its pin list; the base of
// every filter wrapper. Made in two phases: a constructor (by class id, by
// device category and name, or from a filter already in a graph), then
// InitOnce, which runs the most derived SetDefaults hook and Init exactly
// once. Owned by the CRootGraph list it is added to. UI thread only.
#pragma once
#include <windows.h>
#include <strmif.h>

#include <string>

#include "graph/NameText.h"
#include "graph/RootPin.h"

class CRootGraph;

class CRootFilter
{
public:
    CRootFilter(CRootGraph* owner, const CLSID* clsid);
    CRootFilter(CRootGraph* owner, const GUID* category, const char* friendlyName, BOOL firstMatch);
    virtual ~CRootFilter();

    // Virtual slots every wrapper shares; the do-nothing ones are kept so
    // derived classes override them under these names (card filters use
    // OnVirtual4 as their SetDefaults).
    virtual int Reserved1(int, int, int) { return 0; }
    virtual int Reserved2(int, int, int) { return 0; }
    virtual CRootPin* FindPinByName(const char* name);
    virtual void OnVirtual4() {}
    virtual void OnVirtual5() {}
    virtual void OnVirtual6() {}
    virtual int OnVirtual7(int, int) { return 0; }
    // TRUE when the wrapper holds a filter. Overrides call this first, then
    // query their private interfaces; FALSE marks the wrapper invalid.
    virtual BOOL Init();

    // Second phase of construction: OnVirtual4, then Init, once. Later calls
    // return the first result. Returns IsValid().
    BOOL InitOnce();
    BOOL IsInitDone() const { return m_bInitDone; }

    // Takes a filter made elsewhere (one found in a graph) into a wrapper
    // constructed without one, before InitOnce: name and deviceName from the
    // filter's own name, pins listed, valid. FALSE when the wrapper already
    // holds a filter or filter is NULL.
    BOOL AttachFilter(IBaseFilter* filter);

    IBaseFilter* GetFilter() const { return m_pFilter; }
    CRootGraph* GetOwnerGraph() const { return m_pOwner; }
    BOOL IsValid() const { return m_bValid; }
    void SetValid(BOOL valid) { m_bValid = valid; }
    const char* GetName() const { return m_szName; }
    void SetName(const char* name);
    const char* GetDeviceName() const { return m_szDeviceName; }
    int GetPinCount() const { return m_nPinCount; }
    CRootPin* GetFirstPin() const { return m_pPins; }
    CRootFilter* GetNext() const { return m_pNext; }
    void SetNext(CRootFilter* next) { m_pNext = next; }
    BOOL NeedsPinRefresh() const { return m_bRefreshPins; }

    CRootPin* GetPinAt(int n) const;
    CRootPin* FindPinById(const wchar_t* id) const;
    CRootPin* FindPinByIPin(IPin* pin) const;
    // TRUE when the filter lists this pin now (compares pointers only).
    BOOL HasPin(IPin* pin) const;
    // First pin of that direction with no recorded peer (free TRUE) or with
    // one (free FALSE); free must be exactly TRUE or FALSE.
    CRootPin* FindPin(PIN_DIRECTION dir, BOOL free) const;
    BOOL RemovePin(CRootPin* pin);
    void FreePins();
    BOOL IsInGraph() const;
    HRESULT HasPropertyPages(BOOL* out) const;
    HRESULT ShowPropertyPages(HWND parent, const char* caption) const;
    // The property pages of any object (a filter, an interface of one) in a
    // modal frame at (30, 30): the frame's result, S_FALSE when the object
    // has no pages, or the failure of asking it for them.
    static HRESULT ShowObjectPropertyPages(IUnknown* object, HWND parent, const char* caption);

    BOOL BuildPinList();
    // Rebuilds the pin list after a connection change when refreshPins is
    // set: pins still present keep their wrapper (and peer), new pins get
    // one, vanished pins are deleted. The list stays in enumeration order,
    // so GetPinAt answers the same before and after a refresh.
    BOOL RefreshPins();

    // The first device of the category whose name matches friendlyName (the
    // same comparison as the by-name constructor), bound to *out: the
    // binding's HRESULT, S_FALSE when nothing matches, or the enumerator's
    // failure.
    static HRESULT FindDeviceFilter(GUID category, const char* friendlyName, IBaseFilter** out);
    // The program-wide index among devices of one name (FilterCreatorRecord).
    static void SetDeviceIndex(int index);

    // "<name> pin List : \n" followed by one line per pin, for the trace.
    std::string DumpPins() const;

protected:
    // For wrappers that get their filter by AttachFilter.
    explicit CRootFilter(CRootGraph* owner);

    // Set by Init overrides whose filters add or remove pins on connection.
    // Such a filter may free a pin it drops even while it is referenced
    // (Wine's parsers do), so the pin wrappers of these filters borrow their
    // IPin: the filter reference we hold keeps the pins it still lists.
    void SetRefreshPins(BOOL refresh);

    IBaseFilter* m_pFilter;  // one reference; NULL when construction failed
    BOOL m_bValid;
    char m_szName[zunk::kNameSize];
    char m_szDeviceName[zunk::kNameSize];
    int m_nPinCount;
    CRootFilter* m_pNext;    // link of the owning graph's list
    CRootPin* m_pPins;
    BOOL m_bRefreshPins;
    CRootGraph* m_pOwner;    // the graph owns us; not counted

private:
    void Clear(CRootGraph* owner);
    void LookUpDevice(const GUID* category, const char* friendlyName, BOOL firstMatch);
    void AppendPin(CRootPin* pin);

    BOOL m_bInitDone;

    CRootFilter(const CRootFilter&) = delete;
    CRootFilter& operator=(const CRootFilter&) = delete;
};

// A wrapper around a filter that is already in a graph (one the graph added
// on its own during intelligent connection).
class CRootFilterFromInterface : public CRootFilter
{
public:
    CRootFilterFromInterface(CRootGraph* owner, IBaseFilter* filter);
};
